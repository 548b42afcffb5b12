#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quillet developers
# The installed program, run the way a student runs it from a system folder.
#
# Installs the build into a temporary root, makes the whole tree read-only, and starts the
# installed program (under Xvfb) as a user who cannot write there, with fresh per-user
# folders. Checks that it reaches the main menu on the installed bank, that a setting changed
# on the options screen lands in the per-user settings file, that the next start reads it
# back, that a pool added with qbank --add is used at the next start and removing it gives the
# installed pool back, and that nothing is written into the installed tree.
#
# Usage: installed_program.sh BUILD_DIR
set -euo pipefail

build=$(cd "$1" && pwd)
work=$(mktemp -d /tmp/quillet-installed.XXXXXX)
xvfb_pid=
program_pid=

cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    chmod -R u+w "$work" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAILED: $*" >&2
    [ -n "${display:-}" ] && import -display ":$display" -window root "$work/failure.png" 2>/dev/null &&
        cp "$work/failure.png" "$build/installed-program-failure.png" &&
        echo "screen at the failure: $build/installed-program-failure.png" >&2
    exit 1
}

# --- Install into a temporary root and make it read-only ---------------------------------
# The program's own package only: the sounds are a separate, merely recommended package, so
# the program must run without them (silently).
root=$work/root
DESTDIR=$root cmake --install "$build" --prefix /usr --component quillet >/dev/null
if find "$root" -name '*.wav' -o -name 'quillet_sound*' | grep -q .; then
    fail "the program's component holds sound files: $(find "$root" -name '*.wav' -o -name 'quillet_sound*')"
fi
program=$root/usr/bin/quillet
bank=$root/usr/share/quillet/quillet.dat
[ -x "$program" ] || fail "no installed program at $program"
[ -f "$bank" ] || fail "no installed bank at $bank"
chmod 755 "$work"
chmod -R a+rX,a-w "$root"
snapshot() { (cd "$root" && find . -printf '%p %m %s\n' | sort && find . -type f -exec sha256sum {} + | sort); }
snapshot >"$work/installed-before"

# --- The student: an unprivileged user with fresh per-user folders ----------------------
# Root ignores permission bits, so under root the program runs as "nobody".
home=$work/home
mkdir -p "$home/config" "$home/data" "$home/runtime"
chmod 700 "$home/runtime"
if [ "$(id -u)" -eq 0 ]; then
    as_student=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    chown -R 65534:65534 "$home"
else
    as_student=()
fi
if "${as_student[@]}" sh -c 'touch "$1/usr/bin/probe" || touch "$1/usr/share/quillet/probe"' \
    sh "$root" 2>/dev/null; then
    fail "the student can write into the installed tree"
fi
settings=$home/config/quillet/quillet.ini

# --- A screen -----------------------------------------------------------------------------
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
display=$(tr -d '\n' <"$work/display")
[ -n "$display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=:$display
xsetroot -solid green

start_program() {
    "${as_student[@]}" env -i PATH=/usr/bin:/bin HOME="$home" DISPLAY="$DISPLAY" \
        XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
        XDG_DATA_DIRS="$work/no-data" XDG_RUNTIME_DIR="$home/runtime" \
        QT_QPA_PLATFORM=xcb "$program" >>"$work/program.log" 2>&1 &
    program_pid=$!
}

# Prints the id of the visible window of the given size, if any.
window_of_size() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$id")"
        if [ "$WIDTH" -eq "$1" ] && [ "$HEIGHT" -eq "$2" ]; then
            echo "$id"
            return 0
        fi
    done
    return 1
}

# Waits up to 60 s for a window of the given size; prints its id and position.
wait_for_window() {
    local id deadline=$((SECONDS + 60))
    while [ "$SECONDS" -lt "$deadline" ]; do
        kill -0 "$program_pid" 2>/dev/null || fail "the program ended: $(cat "$work/program.log")"
        if id=$(window_of_size "$1" "$2"); then
            eval "$(xdotool getwindowgeometry --shell "$id")"
            echo "$id $X $Y"
            return 0
        fi
        sleep 0.1
    done
    fail "no $1x$2 window ($3) appeared"
}

# Clicks at a point of a window given as "id x y".
click() {
    local id x y
    read -r id x y <<<"$1"
    xdotool mousemove $((x + $2)) $((y + $3))
    sleep 0.3
    xdotool mousemove $((x + $2 + 1)) $((y + $3)) click 1
    sleep 0.5
}

# The colour of one pixel of the screen, as ImageMagick names it.
pixel() {
    import -window root -crop "1x1+$1+$2" -depth 8 txt:- | tail -1 | awk '{print $3}'
}

wait_for_exit() {
    local deadline=$((SECONDS + 20))
    while [ "$SECONDS" -lt "$deadline" ]; do
        kill -0 "$program_pid" 2>/dev/null || { wait "$program_pid" || true; program_pid=; return 0; }
        sleep 0.1
    done
    fail "the program did not end after Exit"
}

# --- First start: the main menu on the installed bank, background on by default ----------
start_program
menu=$(wait_for_window 640 475 "main menu")
readlink -f /proc/"$program_pid"/fd/* 2>/dev/null | grep -qx "$(readlink -f "$bank")" ||
    fail "the program does not hold the installed bank $bank open"
[ "$(pixel 100 100)" = "#000000" ] || fail "the black background is not shown on the first start"

# Options screen: SETTINGS page, untick the black background, BACK.
click "$menu" 266 353
options=$(wait_for_window 577 338 "options screen")
click "$options" 355 65
click "$options" 30 240
click "$options" 497 21
deadline=$((SECONDS + 10))
while [ "$SECONDS" -lt "$deadline" ] && window_of_size 577 338 >/dev/null; do sleep 0.1; done
[ -f "$settings" ] || fail "no per-user settings file $settings after the options screen closed"
grep -qi '^OnOrOff=OFF' <(sed -n '/^\[DUVBlackBackground\]/,/^\[/p' "$settings") ||
    fail "the black background is not off in $settings: $(cat "$settings")"
click "$menu" 238 419
wait_for_exit

# --- Second start: the setting comes back ---------------------------------------------------
start_program
menu=$(wait_for_window 640 475 "main menu")
[ "$(pixel 100 100)" != "#000000" ] || fail "the black background is back on the second start"
click "$menu" 238 419
wait_for_exit

# --- A pool added from the command line is used at the next start ---------------------------
# A newer Technician pool as published, its figure in a folder of its own.
release=$work/release
mkdir -p "$release/figures"
printf '%s\r\n' "Technician Question Pool 2027-2031" \
    "SUBELEMENT T1 - COMMISSION'S RULES [35 Exam Questions - 1 Group]" "T1A - Purpose" \
    "T1A01 (C) [97.1]" "What is shown in figure T-1?" "A. One" "B. Two" "C. Three" "D. Four" \
    "~~" "~~~end of question pool text~~~" >"$release/technician.txt"
echo '<svg xmlns="http://www.w3.org/2000/svg" width="40" height="30"><rect x="10" y="10" width="20" height="10"/></svg>' >"$release/figures/T1.svg"
chmod -R a+rX "$release"
added=$home/data/quillet/quillet-added.dat
"${as_student[@]}" env -i PATH=/usr/bin:/bin HOME="$home" XDG_DATA_HOME="$home/data" \
    XDG_RUNTIME_DIR="$home/runtime" "$root/usr/bin/qbank" --add "$release/technician.txt" \
    --figures "$release/figures" >"$work/qbank.log" 2>&1 || fail "qbank --add: $(cat "$work/qbank.log")"
grep -q "Technician pool technician-2027-2031" "$work/qbank.log" ||
    fail "qbank --add did not say what it added: $(cat "$work/qbank.log")"
[ -f "$added" ] || fail "qbank --add wrote no $added: $(cat "$work/qbank.log")"

holds() { readlink -f /proc/"$program_pid"/fd/* 2>/dev/null | grep -qx "$(readlink -f "$1")"; }
start_program
menu=$(wait_for_window 640 475 "main menu")
holds "$bank" || fail "with an added pool the program does not hold the installed bank open"
holds "$added" || fail "the program does not use the added pools in $added"
click "$menu" 238 419
wait_for_exit

# Removing the added bank gives the installed pool back.
rm "$added"
start_program
menu=$(wait_for_window 640 475 "main menu")
holds "$bank" || fail "without the added bank the program does not hold the installed bank open"
click "$menu" 238 419
wait_for_exit

# --- Nothing was written into the installed tree ----------------------------------------------
snapshot >"$work/installed-after"
diff "$work/installed-before" "$work/installed-after" >&2 || fail "the installed tree changed"
echo "installed program: main menu on $bank, setting kept in $settings"
