#!/usr/bin/env bash
# The main window's WM_CLASS is the menu entry's StartupWMClass, by which docks match the window
# with the entry and its icon. Without network, as the pane opens the service's home page; needs
# a display (CTest gives an Xvfb of its own), xdotool and xprop.
# Usage: window_class_test.sh PROGRAM DESKTOP_ENTRY
set -euo pipefail
program=$1 entry=$2
skip=77

wanted=$(sed -n 's/^StartupWMClass=//p' "$entry")
[[ -n $wanted ]] || { echo "FAIL: $entry has no StartupWMClass" >&2; exit 1; }
[[ -n ${DISPLAY:-} ]] || { echo "SKIP: no display" >&2; exit $skip; }
netless=(unshare --net --map-root-user)
# A chroot refuses user namespaces; root needs none.
"${netless[@]}" true 2>/dev/null || netless=(unshare --net)
"${netless[@]}" true 2>/dev/null ||
    { echo "SKIP: unshare --net is refused: no start without network" >&2; exit $skip; }

"${netless[@]}" "$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true' EXIT

# The first viewable top-level window that the program's process owns.
id=$(timeout 30 xdotool search --sync --onlyvisible --pid "$pid" | head -n 1) ||
    { echo "FAIL: no window of the program appeared within 30 seconds" >&2; exit 1; }
class=$(xprop -id "$id" WM_CLASS)
echo "$class"
# WM_CLASS(STRING) = "instance", "class": desktops match StartupWMClass with the instance.
instance=$(sed -n 's/^WM_CLASS(STRING) = "\([^"]*\)".*/\1/p' <<<"$class")
if [[ $instance != "$wanted" ]]; then
    echo "FAIL: the window's WM_CLASS instance is '$instance', the entry's StartupWMClass '$wanted'" >&2
    exit 1
fi
