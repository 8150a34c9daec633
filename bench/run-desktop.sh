#!/usr/bin/env bash
# Builds the desktop benchmarks (release, no sanitizers) in build-bench/ and prints one table:
# Quillomat beside a floor program built from the same stack (bench/floor_browser.cpp: a bare
# GTK window holding only a web view) with the same security, WebKit's bubblewrap sandbox, both
# loading the home page from the same loopback server through the same proxy, under one Xvfb
# display with a D-Bus session bus of its own, as a desktop session has:
#   - start-up, from exec to the main window mapped and to the home page loaded, and the PSS of
#     the whole process tree a second after the load: medians of N runs each (default 7), the two
#     programs taking turns; targets: mapped within 1.05 x the floor's, loaded within
#     1.02 x, PSS within 1.05 x. The tree's distinct resident pages (each counted once) are
#     reported beside PSS: other programs mapping the same libraries shrink PSS, not them;
#   - the main use, inside the real main window: from the browser pane's address changing to an
#     article-edit page to the clipboard holding the code (message boxes excluded), median and
#     99th percentile over 1,000 addresses, each page shown MS (50) before the next; target:
#     median under 1 ms. The check that follows the claim, the wait for another program that
#     may take the clipboard back before the box tells of the copy, is reported beside it.
# Usage: bench/run-desktop.sh [--runs N] [--addresses N] [--pause-ms MS] [--no-session-bus]
#                             [--display N]
# --display N runs Xvfb on display :N instead of the first free one (on a shared machine).
# Files of the last run, screenshots of the first measured start among them, stay in
# build-bench/desktop-bench/.
# Nothing leaves the machine: the programs' proxy is the driver's server on 127.0.0.1.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=7
addresses=1000
pause=50
session_bus=1
display=(-a)
while (($#)); do
    case $1 in
        --runs) runs=$2; shift 2 ;;
        --addresses) addresses=$2; shift 2 ;;
        --pause-ms) pause=$2; shift 2 ;;
        --no-session-bus) session_bus=0; shift ;;
        --display) display=(-n "$2"); shift 2 ;;
        *) echo "usage: bench/run-desktop.sh [--runs N] [--addresses N] [--pause-ms MS]" \
                "[--no-session-bus] [--display N]" >&2; exit 2 ;;
    esac
done

source bench/prepare.sh
prepare_benchmarks "The desktop benchmarks" build-essential cmake pkg-config libgtkmm-3.0-dev libwebkit2gtk-4.1-dev libsoup-3.0-dev libfontconfig-dev libglib2.0-dev-bin libx11-dev libbenchmark-dev fonts-wine fonts-dejavu-core xvfb xauth xclip dbus-daemon
cmake --build "$build" --parallel "$(nproc)" \
    --target quillomat floor_browser startup_driver main_use_bench quillomat_variant >/dev/null

out=$build/desktop-bench
rm -rf "$out"
mkdir -p "$out"
screenshots=()
if command -v import >/dev/null; then
    screenshots=(--screenshots "$out/screenshots")
fi

launcher=(xvfb-run "${display[@]}" -s "-screen 0 1280x1024x24")
if ((session_bus)); then
    launcher=(dbus-run-session -- "${launcher[@]}")
else
    unset DBUS_SESSION_BUS_ADDRESS
fi
export LANG=C.UTF-8 WEBKIT_DISABLE_COMPOSITING_MODE=1
echo "Running: start-up and memory ($runs runs each), then the main use ($addresses addresses)..."
if ! "${launcher[@]}" bash -c '
        set -e
        "$1/bench/startup_driver" --runs "$2" --tsv --log "$4/programs.log" "${@:6}" \
            "Quillomat:$1/quillomat" "floor:$1/bench/floor_browser --sandbox" >"$4/startup.tsv"
        "$1/bench/main_use_bench" --addresses "$3" --pause-ms "$5" --tsv >"$4/main-use.tsv"
    ' _ "$build" "$runs" "$addresses" "$out" "$pause" "${screenshots[@]}" \
    >"$out/stdout.log" 2>"$out/stderr.log"
then
    grep -v "dbus-daemon\|portal\|Gtk-WARNING\|^$" "$out/stderr.log" | tail -20 >&2
    echo "The desktop benchmarks failed; see $out/stderr.log and $out/programs.log." >&2
    exit 1
fi

echo
bus=no
((session_bus)) && bus=yes
echo "Quillomat beside the floor program with WebKit's sandbox: start-up and memory are medians"
echo "of $runs runs, the main use is over $addresses addresses (session bus: $bus)."
awk -F'\t' -v q1="'" '
    function verdict(ok) { return ok ? "ok" : "MISSED" }
    FILENAME ~ /startup/ {
        mapped[$1] = $2; loaded[$1] = $3; pss[$1] = $4; pages[$1] = $5; others[$1] = $6
    }
    FILENAME ~ /main-use/ { median = $2; p99 = $3; maximum = $4; check = $7 }
    END {
        q = "Quillomat"; f = "floor"
        printf "%-40s %12s %12s %7s  %-20s %s\n", "measure", "Quillomat", "floor", "ratio",
               "target", "verdict"
        r = mapped[q] / mapped[f]
        printf "%-40s %9.1f ms %9.1f ms %7.3f  %-20s %s\n", "start-up: exec -> main window mapped",
               mapped[q], mapped[f], r, "<= 1.05 x floor", verdict(r <= 1.05)
        r = loaded[q] / loaded[f]
        printf "%-40s %9.1f ms %9.1f ms %7.3f  %-20s %s\n", "start-up: exec -> home page loaded",
               loaded[q], loaded[f], r, "<= 1.02 x floor", verdict(r <= 1.02)
        r = pss[q] / pss[f]
        printf "%-40s %8.1f MiB %8.1f MiB %7.3f  %-20s %s\n", "memory: PSS of the process tree",
               pss[q], pss[f], r, "<= 1.05 x floor", verdict(r <= 1.05)
        r = pages[q] / pages[f]
        printf "%-40s %8.1f MiB %8.1f MiB %7.3f  %-20s %s\n", "memory: resident pages, each once",
               pages[q], pages[f], r, "(reported)", ""
        printf "%-40s %9.3f ms %12s %7s  %-20s %s\n", "main use: address -> clipboard, median",
               median / 1000, "-", "-", "< 1 ms", verdict(median < 1000)
        printf "%-40s %9.3f ms %12s %7s  %-20s %s\n", "main use: address -> clipboard, p99",
               p99 / 1000, "-", "-", "(reported)", ""
        printf "%-40s %9.3f ms %12s %7s  %-20s %s\n", "main use: then the check, median",
               check / 1000, "-", "-", "(reported)", ""
        if (others[q] + others[f] > 0) {
            printf "\nNote: other programs ran WebKit meanwhile (median %.0f processes).",
                   (others[q] + others[f]) / 2
            print " They share the library"
            print "pages, which shrinks PSS, the floor" q1 "s more than Quillomat" q1 "s; the " \
                  "resident pages"
            print "are not affected. Rerun on a quiet machine for the PSS verdict."
        }
    }
' "$out/startup.tsv" "$out/main-use.tsv"
echo
echo "Programs' output: $out/programs.log; screenshots of the first measured run: $out/screenshots/"
