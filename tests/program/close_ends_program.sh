#!/usr/bin/env bash
# Starts the real program, closes its main window as a window manager would, and checks that
# the process ends at once and cleanly.
# usage: close_ends_program.sh QUILLOMAT X_WINDOW_TOOL
set -u
quillomat=$1
tool=$2
caption='.:: Quillomat [ version 2 ] par Brennic ::.'

# Nothing leaves the machine: every page request goes to a closed loopback port.
http_proxy=http://127.0.0.1:9 "$quillomat" &
pid=$!
trap 'kill "$pid" 2>/dev/null' EXIT

"$tool" wait "$caption" 60 || { echo "the main window never showed"; exit 1; }
"$tool" close "$caption" || { echo "the main window did not go when closed"; exit 1; }
for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
    echo "the program still runs 10 s after its main window was closed"
    exit 1
fi
wait "$pid"
status=$?
[ "$status" -eq 0 ] || { echo "the program ended with status $status"; exit 1; }
echo "1 passed, 0 failed"
