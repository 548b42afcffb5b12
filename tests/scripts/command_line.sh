#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quillet developers
# The programs' command lines: --help and --version answer on standard output and open no
# window (they are run with no display at all, where opening one would end in Qt's abort), a
# wrong option is refused on standard error with status 2, and the program without a display
# says so in one line with status 1.
#
# Usage: command_line.sh QUILLET QBANK
set -uo pipefail

quillet=$1
qbank=$2
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
failed=0

# expect STATUS STDOUT-PATTERN STDERR-PATTERN COMMAND...: runs COMMAND with no display and
# checks its exit status and that each stream matches its pattern (an empty pattern: empty).
expect() {
    local status=$1 want_out=$2 want_err=$3 rc
    shift 3
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" >"$out" 2>"$err" </dev/null
    rc=$?
    local problem=
    [ "$rc" -eq "$status" ] || problem="exit status $rc, not $status"
    if [ -z "$want_out" ]; then [ -s "$out" ] && problem+=" output on stdout"
    else grep -Eq "$want_out" "$out" || problem+=" stdout does not match /$want_out/"; fi
    if [ -z "$want_err" ]; then [ -s "$err" ] && problem+=" output on stderr"
    else grep -Eq "$want_err" "$err" || problem+=" stderr does not match /$want_err/"; fi
    if [ -n "$problem" ]; then
        echo "FAILED: $* -> $problem" >&2
        sed 's/^/  stdout: /' "$out" >&2
        sed 's/^/  stderr: /' "$err" >&2
        failed=1
    fi
}

expect 0 '^Usage: quillet' '' "$quillet" --help
expect 0 '^Usage: quillet' '' "$quillet" -h
expect 0 '^quillet [0-9]+(\.[0-9]+)+$' '' "$quillet" --version
expect 2 '' "^quillet: unknown option '--frobnicate'" "$quillet" --frobnicate
expect 2 '' "^quillet: unexpected argument 'extra'" "$quillet" extra
expect 1 '' '^quillet: no display to open windows on \(DISPLAY is not set\)$' "$quillet"
expect 1 '' 'WAYLAND_DISPLAY is not set' env QT_QPA_PLATFORM=wayland "$quillet"
expect 0 '^Usage: qbank' '' "$qbank" --help
expect 0 '^qbank [0-9]+(\.[0-9]+)+$' '' "$qbank" --version
expect 2 '' "unknown option --frobnicate" "$qbank" --frobnicate
# --version is exactly one line.
[ "$("$quillet" --version | wc -l)" -eq 1 ] || { echo "FAILED: quillet --version is not one line" >&2; failed=1; }
exit "$failed"
