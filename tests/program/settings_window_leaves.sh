#!/usr/bin/env bash
# Leaves the real program's settings window both ways: its title bar brings the main window
# back; "Quitter" ends the program at once, no window left.
# usage: settings_window_leaves.sh QUILLOMAT X_WINDOW_TOOL
set -u
quillomat=$1
tool=$2
caption='.:: Quillomat [ version 2 ] par Brennic ::.'

# Nothing leaves the machine: every page request goes to a closed loopback port.
http_proxy=http://127.0.0.1:9 "$quillomat" &
pid=$!
trap 'kill "$pid" 2>/dev/null' EXIT

fail() { echo "$1"; exit 1; }
# This process's visible window with the exact title, if any.
window_of() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        [ "$(xdotool getwindowname "$id")" = "$1" ] && { echo "$id"; return 0; }
    done
    return 1
}
# Each wait ends as soon as its command succeeds; a minute is for a machine busy with other work.
wait_until() {
    for _ in $(seq 600); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
shown() { window_of "$1" >/dev/null; }
gone() { ! shown "$1"; }
ended() { ! kill -0 "$pid" 2>/dev/null; }
# A left click at a point of a window's client area.
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; }

"$tool" wait "$caption" 60 || fail "the main window never showed"
wait_until shown "$caption" || fail "the main window is not the program's"

# "Réglages..." (824, 8, 89 x 201), then the title bar's close box of the settings window.
click "$(window_of "$caption")" 868 108
wait_until shown 'Réglages' || fail "Réglages... showed no settings window"
wait_until gone "$caption" || fail "the main window stayed while the settings window showed"
"$tool" close 'Réglages' || fail "could not close the settings window"
wait_until shown "$caption" || fail "no window on screen after the settings window was closed"
wait_until gone 'Réglages' || fail "the settings window stayed after its close box"

# Again, then "Quitter" (144, 160, 129 x 25).
click "$(window_of "$caption")" 868 108
wait_until shown 'Réglages' || fail "the second Réglages... showed no settings window"
click "$(window_of 'Réglages')" 208 172
wait_until ended || fail "the program still runs a minute after Quitter"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "1 passed, 0 failed"
