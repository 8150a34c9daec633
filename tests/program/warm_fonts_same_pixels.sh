#!/usr/bin/env bash
# The fonts opened on a thread ahead of the main window change nothing on screen: the program's
# start draws its main window, pixel for pixel, as a start that lets the toolkit open the fonts
# at their first use does, on a plain display, with larger text, at window scale 2, and under a
# desktop's settings daemon whose window scale and font rendering differ from the toolkit's own.
# The browser pane is left out of the comparison: its page is drawn by the web engine.
# usage: warm_fonts_same_pixels.sh QUILLOMAT_VARIANT X_WINDOW_TOOL
set -u
variant=$1
tool=$2
caption='.:: Quillomat [ version 2 ] par Brennic ::.'
work=$(mktemp -d)
pid=
settings_pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; [ -n "$settings_pid" ] && kill "$settings_pid";
      rm -rf "$work"' EXIT

# Whether the program has told that its main window's first frame is drawn.
first_frame_drawn() {
    grep -q ' first frame$' "$work/timeline"
}

# shot WINDOW OUT: the window as drawn, the pane painted over at its place in the 921 x 528
# layout, at the window's own size.
shot() {
    local size width height
    import -window "$1" "$work/raw.png" || return 1
    size=$(identify -format '%w %h' "$work/raw.png")
    read -r width height <<<"$size"
    convert "$work/raw.png" -fill black -draw "rectangle $((8 * width / 921)),$((32 * height / 528)) \
$((818 * width / 921)),$((378 * height / 528))" "$2"
}

# Whether the program shows no box: on a busy machine the notice of a page that stopped answering
# may stand over the main window for a while, and a shot would take it in.
no_box_shown() {
    local window
    for window in $(xdotool search --onlyvisible --pid "$pid" '' 2>/dev/null); do
        xprop -id "$window" _NET_WM_WINDOW_TYPE | grep -q DIALOG && return 1
    done
    return 0
}

# settled_shot WINDOW OUT: shot again until two shots in a row agree, with no other window of the
# program's boxes over the main window, so that a frame still reaching the screen is never compared.
settled_shot() {
    local tries
    shot "$1" "$work/previous.png" || return 1
    for tries in $(seq 600); do
        shot "$1" "$2" || return 1
        no_box_shown &&
            compare -metric AE "$work/previous.png" "$2" /dev/null 2>/dev/null && return 0
        mv "$2" "$work/previous.png"
    done
    return 1
}

# shoot OUT OPTION [VAR=VALUE...]: the main window as drawn, the pane painted over.
shoot() {
    local out=$1 option=$2
    shift 2
    # Nothing leaves the machine: every page request goes to a closed loopback port.
    env http_proxy=http://127.0.0.1:9 "$@" "$variant" --timeline ${option:+"$option"} \
        2>"$work/timeline" &
    pid=$!
    "$tool" wait "$caption" 60 || { echo "the main window never showed"; return 1; }
    local tries
    for tries in $(seq 600); do
        first_frame_drawn && break
        sleep 0.1
    done
    first_frame_drawn || { echo "the main window's first frame was never drawn"; return 1; }
    local window
    window=$(xdotool search --onlyvisible --pid "$pid" --name "^$caption\$" | head -1)
    settled_shot "$window" "$out" || { echo "the window never stopped changing"; return 1; }
    kill "$pid"
    wait "$pid" 2>/dev/null
    pid=
}

# desktop NAME SETTINGS_FILE|- [VAR=VALUE...]
failed=0
desktop() {
    local name=$1 settings=$2
    shift 2
    if [ "$settings" != - ]; then
        xsettingsd -c "$settings" 2>"$work/settings.log" &
        settings_pid=$!
        for _ in $(seq 600); do
            grep -q "Took ownership" "$work/settings.log" && break
            sleep 0.1
        done
    fi
    if ! shoot "$work/warm.png" "" "$@" || ! shoot "$work/cold.png" --no-font-warm-up "$@"; then
        echo "$name: the window could not be drawn"
        failed=1
    elif ! compare -metric AE "$work/warm.png" "$work/cold.png" "$work/difference.png" \
            2>"$work/pixels"; then
        echo "$name: $(cat "$work/pixels") pixels differ when the fonts are opened ahead, within" \
            "$(convert "$work/warm.png" "$work/cold.png" -compose difference -composite \
                -threshold 0 -format %@ info:)"
        failed=1
    fi
    if [ -n "$settings_pid" ]; then
        kill "$settings_pid"
        wait "$settings_pid" 2>/dev/null
        settings_pid=
    fi
}

cat >"$work/desktop-settings" <<'EOF'
Gdk/WindowScalingFactor 2
Xft/Antialias 1
Xft/HintStyle "hintslight"
Xft/RGBA "rgb"
Xft/DPI 110592
EOF
desktop "plain display" -
desktop "larger text" - GDK_DPI_SCALE=1.25
desktop "window scale 2" - GDK_SCALE=2
desktop "desktop settings" "$work/desktop-settings"
exit "$failed"
