#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quillet developers
# Every place that tells the version tells the project's: both programs' --version, the
# generated manual pages and software-centre description, the main menu's label, and the
# newest entry of the release notes that become the package's changelog.
#
# Usage: same_version.sh VERSION BUILD_DIR SOURCE_DIR
set -uo pipefail

version=$1
build=$2
source=$3
failed=0

check() { # WHAT FOUND
    if [ "$2" != "$version" ]; then
        echo "FAILED: $1 says '$2', the project's version is $version" >&2
        failed=1
    fi
}

check "quillet --version" "$("$build/quillet" --version | sed -n 's/^quillet //p')"
check "qbank --version" "$("$build/tools/qbank/qbank" --version | sed -n 's/^qbank //p')"
for page in quillet.1 qbank.1; do
    check "$page" "$(zcat "$build/man/$page.gz" | sed -n 's/^\.TH .*"Quillet \([^"]*\)".*/\1/p')"
done
check "the metainfo's newest release" "$(grep -o '<release version="[^"]*"' \
    "$build/dist/org.example.quillet.metainfo.xml" | head -1 | cut -d'"' -f2)"
check "the release notes" "$(head -1 "$source/dist/changelog" | sed -n 's/^quillet (\([^)]*\)).*/\1/p')"
check "the main menu" "$(strings -el "$build/quillet" | sed -n 's/^version \([0-9.]*\)$/\1/p' | head -1)"
exit "$failed"
