#!/usr/bin/env bash
# Builds the core benchmarks (release, no sanitizers) in build-bench/, runs each five times and
# prints the medians, then how the time grows with the input: "10x input -> Nx time", where N is
# 10 times the growth of the time per byte; linear growth gives 10, and the target is at most 12.
# Usage: bench/run.sh [extra benchmark options, e.g. --benchmark_filter=Fill]
# Then runs bench/run-desktop.sh (start-up, memory, the main use; see there).
# Needs the packages that ./run.sh installs, plus libbenchmark-dev, jq and libsoup-3.0-dev (the
# desktop benchmarks share the build); installs them only as root.
set -euo pipefail
cd "$(dirname "$0")/.."

source bench/prepare.sh
prepare_benchmarks "The benchmarks" libbenchmark-dev jq libsoup-3.0-dev
cmake --build "$build" --parallel "$(nproc)" --target quillomat_core_bench

results=$build/bench-results.json
"$build/bench/quillomat_core_bench" --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true --benchmark_out="$results" \
    --benchmark_out_format=json "$@"

# One line per median: name, input bytes, CPU time in microseconds, bytes per second.
medians=$(jq -r '.benchmarks[] | select(.aggregate_name == "median")
    | [(.run_name | split("/")[0]), (.run_name | split("/")[1]), .cpu_time, .bytes_per_second]
    | @tsv' "$results")

echo
echo "Medians of 5 runs (CPU time):"
awk -F'\t' '
    function size_name(bytes) {
        return bytes >= 1048576 ? bytes / 1048576 " MiB" : bytes / 1024 " KiB"
    }
    BEGIN { printf "%-30s %8s %14s %12s\n", "benchmark", "input", "time (us)", "MiB/s" }
    { printf "%-30s %8s %14.3f %12.1f\n", $1, size_name($2), $3, $4 / 1048576 }
' <<<"$medians"

echo
echo "Growth of the time with the input (target: 10x input -> at most 12x time):"
awk -F'\t' '
    function size_name(bytes) {
        return bytes >= 1048576 ? bytes / 1048576 " MiB" : bytes / 1024 " KiB"
    }
    BEGIN {
        printf "%-30s %-17s %11s %11s %15s %22s %7s\n", "benchmark", "from -> to",
               "input x", "time x", "time/byte x", "10x input -> N x time", "verdict"
    }
    {
        if ($1 == name) {
            input_growth = $2 / size
            time_growth = $3 / time
            per_byte = time_growth / input_growth
            verdict = 10 * per_byte <= 12 ? "ok" : "MISSED"
            printf "%-30s %-17s %11.0f %11.1f %15.3f %22.1f %7s\n", $1,
                   size_name(size) " -> " size_name($2), input_growth, time_growth, per_byte,
                   10 * per_byte, verdict
        }
        name = $1; size = $2; time = $3
    }
' <<<"$medians"
echo
echo "Full results: $results"

# Then the desktop benchmarks: start-up, memory and the main use beside a floor program.
echo
bench/run-desktop.sh
