#!/usr/bin/env bash
# Starts the program and checks that its main window's WM_CLASS is the StartupWMClass of the menu
# entry, so that docks and window lists match the window with the entry and show its icon.
# The program is kept off the network in a namespace of its own: its browser pane would open the
# service's home page. Needs a display (CTest gives it an Xvfb of its own) and xprop/xwininfo.
# Usage: window_class_test.sh PROGRAM DESKTOP_ENTRY
set -euo pipefail
program=$1 entry=$2
skip=77

wanted=$(sed -n 's/^StartupWMClass=//p' "$entry")
[[ -n $wanted ]] || { echo "FAIL: $entry has no StartupWMClass" >&2; exit 1; }
[[ -n ${DISPLAY:-} ]] || { echo "SKIP: no display" >&2; exit $skip; }
if ! unshare --net --map-root-user true 2>/dev/null; then
    echo "SKIP: cannot start the program without network (unshare --net is refused)" >&2
    exit $skip
fi

unshare --net --map-root-user "$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true' EXIT

# WM_CLASS of the first viewable top-level window that the program's process owns.
window_class() {
    local id
    for id in $(xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) .*/\1/p'); do
        xprop -id "$id" _NET_WM_PID 2>/dev/null | grep -q "= $pid\$" || continue
        xwininfo -id "$id" | grep -q 'Map State: IsViewable' || continue
        xprop -id "$id" WM_CLASS
        return 0
    done
    return 1
}

for _ in $(seq 1 120); do
    kill -0 "$pid" 2>/dev/null || { echo "FAIL: the program ended before showing a window" >&2; exit 1; }
    if class=$(window_class); then
        echo "$class"
        # WM_CLASS(STRING) = "instance", "class": desktops match StartupWMClass with the instance.
        instance=$(sed -n 's/^WM_CLASS(STRING) = "\([^"]*\)".*/\1/p' <<<"$class")
        if [[ $instance != "$wanted" ]]; then
            echo "FAIL: the window's WM_CLASS instance is '$instance', the entry's StartupWMClass '$wanted'" >&2
            exit 1
        fi
        exit 0
    fi
    sleep 0.25
done
echo "FAIL: no window of the program appeared within 30 seconds" >&2
exit 1
