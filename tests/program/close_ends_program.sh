#!/usr/bin/env bash
# Closes the real program's main window as a window manager would, with nothing else open and
# with a message box open: each time the program ends at once and cleanly.
# usage: close_ends_program.sh QUILLOMAT X_WINDOW_TOOL
set -u
quillomat=$1
tool=$2
caption='.:: Quillomat [ version 2 ] par Brennic ::.'
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null' EXIT

# close_while NAME BOX: BOX "yes" opens the no-article message box first.
close_while() {
    # Nothing leaves the machine: every page request goes to a closed loopback port.
    http_proxy=http://127.0.0.1:9 "$quillomat" &
    pid=$!
    "$tool" wait "$caption" 60 || { echo "$1: the main window never showed"; return 1; }
    if [ "$2" = yes ]; then
        # "Créer les liens pour l'article en cours..." with no article shown.
        xdotool mousemove --window "$(xdotool search --onlyvisible --pid "$pid" --name "^$caption\$" |
                                      head -1)" 448 504 click 1
        "$tool" wait Quillomat 30 || { echo "$1: no message box opened"; return 1; }
    fi
    "$tool" close "$caption" || { echo "$1: the main window did not go when closed"; return 1; }
    # Ends as soon as the program does; a minute is for a machine busy with other work.
    timeout 60 tail --pid="$pid" -s 0.1 -f /dev/null ||
        { echo "$1: the program still runs a minute after its main window was closed"; return 1; }
    wait "$pid"
    local status=$?
    pid=
    [ "$status" -eq 0 ] || { echo "$1: the program ended with status $status"; return 1; }
}

failed=0
close_while "nothing open" no || failed=$((failed + 1))
close_while "a message box open" yes || failed=$((failed + 1))
echo "$((2 - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
