#!/usr/bin/env bash
# The real program where the accessibility bus is announced but its folder gone: it starts, its
# web process runs, it says nothing alarming, it ends cleanly. Run in a D-Bus session of its own.
# usage: broken_accessibility_bus.sh QUILLOMAT X_WINDOW_TOOL
set -u
quillomat=$1
tool=$2
caption='.:: Quillomat [ version 2 ] par Brennic ::.'
pid=
output=$(mktemp)
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -f "$output"' EXIT

address=$(gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
          --method org.a11y.Bus.GetAddress) || { echo "no accessibility bus to break"; exit 1; }
socket=$(sed -E "s/.*unix:path=([^,']*).*/\1/" <<<"$address")
[ -S "$socket" ] || { echo "the accessibility bus is not a socket: $address"; exit 1; }
rm -rf "$(dirname "$socket")"

# A web process of the program's: WebKit starts it, sandboxed or not, for the home page.
web_process_runs() {
    for each in $(pgrep WebKitWebProces); do
        local ancestor=$each
        while [ "$ancestor" -gt 1 ]; do
            [ "$ancestor" = "$pid" ] && return 0
            ancestor=$(awk '{print $4}' "/proc/$ancestor/stat" 2>/dev/null || echo 1)
        done
    done
    return 1
}

# Nothing leaves the machine: every page request goes to a closed loopback port.
http_proxy=http://127.0.0.1:9 "$quillomat" 2>"$output" &
pid=$!
"$tool" wait "$caption" 60 || { echo "the main window never showed"; cat "$output"; exit 1; }
for _ in $(seq 300); do
    web_process_runs && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
web_process_runs || { echo "no web process runs for the page"; cat "$output"; exit 1; }
"$tool" close "$caption" || { echo "the main window did not go when closed"; exit 1; }
wait "$pid"
status=$?
pid=
[ "$status" -eq 0 ] || { echo "the program ended with status $status"; cat "$output"; exit 1; }
# GLib's warnings, criticals and errors (the toolkit's bridge, WebKit), and bubblewrap's.
if grep -E "(WARNING|CRITICAL|ERROR) \*\*|bwrap:|accessibility bus" "$output"; then
    echo "the program printed the above"
    exit 1
fi
echo "1 passed, 0 failed"
