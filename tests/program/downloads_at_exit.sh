#!/usr/bin/env bash
# Ends the real program, in a home of its own, during a slow download over the user's file of that
# name: closing its main window and SIGTERM, each over a message box, and "Quitter" in the settings
# window. Each time it ends cleanly, leaving no partial file nor sandbox folder, the user's file as
# it was, and every file that another program listed among the recently used ones meanwhile.
# usage: downloads_at_exit.sh QUILLOMAT X_WINDOW_TOOL SITE_SCRIPT
set -u
quillomat=$1
tool=$2
site=$3
caption='.:: Quillomat [ version 2 ] par Brennic ::.'
work=$(mktemp -d)
pid=
site_pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; [ -n "$site_pid" ] && kill "$site_pid";
      rm -rf "$work"' EXIT

# until SECONDS COMMAND...: runs COMMAND every tenth of a second until it succeeds.
until_true() {
    local tenths=$(($1 * 10))
    shift
    for _ in $(seq "$tenths"); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

/usr/bin/python3 "$site" "$work/port" &
site_pid=$!
until_true 10 [ -f "$work/port" ]
port=$(cat "$work/port") || { echo "the test site did not start"; exit 1; }

# This run's visible windows with the exact title.
windows_titled() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        [ "$(xdotool getwindowname "$id")" = "$1" ] && echo "$id"
    done
}
shown() { [ -n "$(windows_titled "$1")" ]; }
window_count() { [ "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l)" -ge "$1" ]; }
writing() { [ -n "$(find "$home" -maxdepth 1 -name '.quillomat-*' -size +0)" ]; }
gone() { ! kill -0 "$pid" 2>/dev/null; }
# recent_files URI...: a list of recently used files as another GTK program writes it.
recent_files() {
    local now
    now=$(date -u +%Y-%m-%dT%H:%M:%SZ)
    echo '<?xml version="1.0" encoding="UTF-8"?>'
    echo '<xbel version="1.0" xmlns:bookmark="http://www.freedesktop.org/standards/desktop-bookmarks">'
    for uri in "$@"; do
        echo "  <bookmark href=\"$uri\" added=\"$now\" modified=\"$now\" visited=\"$now\"><info>"
        echo "    <metadata owner=\"http://freedesktop.org\"><bookmark:applications>"
        echo "      <bookmark:application name=\"autre\" exec=\"autre %u\" modified=\"$now\" count=\"1\"/>"
        echo "    </bookmark:applications></metadata></info></bookmark>"
    done
    echo '</xbel>'
}

# end_during_download WAY: WAY is "close", "sigterm" or "quit".
end_during_download() {
    home=$work/$1
    local runtime=$work/$1-runtime recent=$work/$1/.local/share/recently-used.xbel
    mkdir -p "$home/.local/share" "$runtime"
    chmod 700 "$runtime"
    printf 'ancien contenu' >"$home/lent.bin"
    recent_files file:///autre/programme/avant.txt >"$recent"

    HOME=$home XDG_RUNTIME_DIR=$runtime http_proxy=http://127.0.0.1:$port "$quillomat" &
    pid=$!
    "$tool" wait "Enregistrer sous" 60 || { echo "$1: no save dialog"; return 1; }
    # Another program lists a file of its own meanwhile, and GTK reads the list again.
    recent_files file:///autre/programme/avant.txt file:///autre/programme/pendant.txt \
        >"$recent.new"
    mv "$recent.new" "$recent"
    inotifywait -qq -t 30 -e open "$recent" || { echo "$1: GTK never read the list again"; return 1; }
    # "Enregistrer" under the page's name, then "Replace" for the user's file of that name.
    xdotool windowfocus --sync "$(windows_titled 'Enregistrer sous')" key Return
    until_true 20 window_count 3 || { echo "$1: no question about the user's file"; return 1; }
    xdotool key Return
    until_true 30 writing || { echo "$1: the download did not start"; return 1; }

    if [ "$1" = quit ]; then
        # "Réglages...", then "Quitter".
        xdotool mousemove --window "$(windows_titled "$caption")" 868 108 click 1
        until_true 30 shown 'Réglages' || { echo "$1: no settings window"; return 1; }
        xdotool mousemove --window "$(windows_titled 'Réglages')" 208 172 click 1
    else
        # "Créer les liens pour l'article en cours..." with no article shown: a message box.
        xdotool mousemove --window "$(windows_titled "$caption")" 448 504 click 1
        until_true 30 shown Quillomat || { echo "$1: no message box opened"; return 1; }
        if [ "$1" = close ]; then
            "$tool" close "$caption" || { echo "$1: the main window stayed"; return 1; }
        else
            kill -TERM "$pid"
        fi
    fi
    until_true 30 gone || { echo "$1: the program still runs 30 s later"; return 1; }
    wait "$pid"
    local status=$?
    local ended=$pid
    pid=

    local failures=0 left
    [ "$status" -eq 0 ] || { echo "$1: the program ended with status $status"; failures=1; }
    left=$(find "$home" -maxdepth 1 -name '.quillomat-*')
    [ -z "$left" ] || { echo "$1: a partial file was left:" $left; failures=1; }
    [ "$(cat "$home/lent.bin")" = "ancien contenu" ] ||
        { echo "$1: the user's file was changed"; failures=1; }
    # GTK keeps them beside the file the user chose, which it lists as in any program.
    for uri in file:///autre/programme/avant.txt file:///autre/programme/pendant.txt \
        "file://$home/lent.bin"; do
        grep -q "href=\"$uri\"" "$recent" ||
            { echo "$1: $uri went from the list of recently used files"; failures=1; }
    done
    left=$(find "$runtime" -path "*/.flatpak/webkit-$ended-*")
    [ -z "$left" ] || { echo "$1: sandbox folders were left:" $left; failures=1; }
    return "$failures"
}

failed=0
for way in close sigterm quit; do
    end_during_download "$way" || failed=$((failed + 1))
done
echo "$((3 - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
