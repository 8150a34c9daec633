#!/usr/bin/env bash
# The colour dialogs leave the user's settings as they were. GTK's colour chooser notes each
# colour it is given as a custom colour, in the desktop's settings store; the program keeps
# that in memory while it still reads the store. Here the store is a real dconf database, in a
# home folder and D-Bus session of the test's own: Alt+1 opens the first swatch's dialog, and
# once the program has ended the database holds no colour of it.
# usage: colours_stay_out_of_dconf.sh QUILLOMAT X_WINDOW_TOOL
set -u
quillomat=$1
tool=$2
if [ -z "${QUILLOMAT_OWN_SESSION:-}" ]; then
    home=$(mktemp -d)
    trap 'rm -rf "$home"' EXIT
    mkdir -m 700 "$home/run"
    env -u GSETTINGS_BACKEND QUILLOMAT_OWN_SESSION=1 HOME="$home" XDG_CONFIG_HOME="$home/config" \
        XDG_CACHE_HOME="$home/cache" XDG_RUNTIME_DIR="$home/run" \
        dbus-run-session -- bash "$0" "$@"
    exit
fi
caption='.:: Quillomat [ version 2 ] par Brennic ::.'
key=org.gtk.Settings.ColorChooser
before=$(gsettings get $key custom-colors)
# Nothing leaves the machine: every page request goes to a closed loopback port.
http_proxy=http://127.0.0.1:9 "$quillomat" &
pid=$!
trap 'kill "$pid" 2>/dev/null' EXIT
"$tool" wait "$caption" 60 || { echo "the main window never showed"; exit 1; }
window=$(xdotool search --onlyvisible --pid "$pid" --name "^$caption\$" | head -1)
# Real key presses (XTEST) into the window that has the focus, as a keyboard makes them.
xdotool windowfocus --sync "$window"
xdotool key alt+1
# GTK's own title, in French as the program's toolkit speaks whatever the desktop's language.
"$tool" wait "Sélectionner une couleur" 30 || { echo "Alt+1 opened no colour dialog"; exit 1; }
"$tool" close "$caption"
wait "$pid"
after=$(gsettings get $key custom-colors)
echo "custom colours before: $before, after: $after"
[ "$after" = "$before" ] || { echo "the program wrote the user's settings"; exit 1; }
[ "$(gsettings get $key selected-color)" = "(false, 1.0, 1.0, 1.0, 1.0)" ] ||
    { echo "the program wrote the user's selected colour"; exit 1; }
echo "1 passed, 0 failed"
