#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quillet developers
# Renders every screenshot into a folder of its own and measures their contrast.
#   contrast.sh SCREENSHOTS_PROGRAM CONTRAST_SCRIPT
set -euo pipefail
dir=$(mktemp -d /tmp/quillet-contrast.XXXXXX)
trap 'rm -rf "$dir"' EXIT
QT_QPA_PLATFORM=offscreen "$1" "$dir" >"$dir/log" 2>&1 || { cat "$dir/log"; exit 1; }
/usr/bin/python3 "$2" "$dir"
