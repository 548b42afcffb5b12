#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quillet developers
# scripts/check-setup passes on the project's own lists and fails, naming the command and
# its package, when the set-up list lacks a package that a listed command comes from.
set -uo pipefail
scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0

expect_failure() {  # what, then the words its message must hold
    local what=$1 out rc
    shift
    out=$(bash "$scripts/check-setup" "${args[@]}" 2>&1); rc=$?
    if [ $rc -eq 0 ]; then echo "FAILED: $what passed the check"; status=1; return; fi
    for word in "$@"; do
        grep -q -- "$word" <<<"$out" || { echo "FAILED: $what: no '$word' in: $out"; status=1; }
    done
}

args=()
bash "$scripts/check-setup" >/dev/null || { echo "FAILED: the project's own lists"; status=1; }

# The set-up list without the package of xsetroot.
sed 's/ x11-xserver-utils//' "$scripts/setup" >"$work/setup"
args=(--setup "$work/setup")
expect_failure "a set-up list without x11-xserver-utils" xsetroot x11-xserver-utils

# A command that only a hand install brought (gdb comes with this machine's image, and no
# package of the set-up list needs it), and one that is not installed at all.
printf 'no-such-command-here\n' >"$work/commands"
args=(--commands "$work/commands")
expect_failure "a command that is not installed" no-such-command-here
if command -v gdb >/dev/null && dpkg -S "$(command -v gdb)" >/dev/null 2>&1; then
    printf 'gdb\n' >"$work/commands"
    expect_failure "a command from a package the set-up does not name" gdb "package gdb"
fi


exit $status
