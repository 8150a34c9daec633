#!/usr/bin/env bash
# Builds the core's libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer
# into build-fuzz/ and runs each for SECONDS (default 60), as many at once as there are
# processors (FUZZ_PARALLEL overrides), then prints what each run did.
# Usage: ./fuzz.sh [SECONDS] [--merge]
#   --merge  afterwards, add the new inputs that widen coverage to fuzz/corpus/TARGET/.
# Runs start from fuzz/corpus/TARGET/ and write new inputs to build-fuzz/found/TARGET/, failing
# inputs to build-fuzz/artifacts/TARGET/ and the log to build-fuzz/logs/TARGET.log.
# Needs the packages that ./test.sh installs, plus clang and libclang-rt-14-dev (installed only
# as root).
set -euo pipefail
cd "$(dirname "$0")"

seconds=60
merge=false
for argument in "$@"; do
    case $argument in
        --merge) merge=true ;;
        *[!0-9]* | '')
            echo "usage: $0 [SECONDS] [--merge]" >&2
            exit 2
            ;;
        *) seconds=$argument ;;
    esac
done
parallel=${FUZZ_PARALLEL:-$(nproc)}
targets=(article_address fill_link_template replace_all)
build=build-fuzz

missing=()
for package in clang libclang-rt-14-dev; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if ((${#missing[@]})); then
    if [[ $(id -u) -ne 0 ]]; then
        echo "Fuzzing needs: apt-get install -y ${missing[*]} (as root), then run $0 again." >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The whole build is instrumented for coverage so that the core guides the fuzzer; only the
# core and the fuzz targets get built.
cmake -S . -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link \
    -DBUILD_TESTING=ON -DQUILLOMAT_SANITIZE=ON -DQUILLOMAT_FUZZERS=ON >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target "${targets[@]/%/_fuzzer}"

run_target() {
    local target=$1
    mkdir -p "$build/found/$target" "$build/artifacts/$target" "$build/logs"
    local status=0
    "$build/fuzz/${target}_fuzzer" "$build/found/$target" "fuzz/corpus/$target" \
        -dict="fuzz/$target.dict" -max_len=1024 -max_total_time="$seconds" \
        -print_final_stats=1 -artifact_prefix="$build/artifacts/$target/" \
        >"$build/logs/$target.log" 2>&1 || status=$?
    echo "$status" >"$build/logs/$target.status"
}

echo "Fuzzing ${targets[*]} for $seconds s each, $parallel at a time; logs in $build/logs/"
for target in "${targets[@]}"; do
    while (($(jobs -rp | wc -l) >= parallel)); do
        wait -n || true
    done
    run_target "$target" &
done
wait

# Each log ends with libFuzzer's final statistics; its last status line holds the coverage
# (cov: edges, ft: features) and the corpus (inputs/bytes).
final_stat() { sed -n "s/^stat::$2: *//p" "$1" | tail -1; }
status_field() { grep -E '^#[0-9]+.* cov: ' "$1" | tail -1 | sed -n "s/.* $2: \([^ ]*\).*/\1/p"; }

failed=false
row='%-20s %12s %8s %6s %7s %12s %9s %8s\n'
printf "$row" target executions exec/s cov ft corpus new-units failing
for target in "${targets[@]}"; do
    log=$build/logs/$target.log
    failing=$(find "$build/artifacts/$target" -type f | wc -l)
    printf "$row" "$target" "$(final_stat "$log" number_of_executed_units)" \
        "$(final_stat "$log" average_exec_per_sec)" "$(status_field "$log" cov)" \
        "$(status_field "$log" ft)" "$(status_field "$log" corp)" \
        "$(final_stat "$log" new_units_added)" "$failing"
    if ((failing > 0)) || [[ $(cat "$build/logs/$target.status") != 0 ]]; then
        failed=true
        echo "  $target failed: see $log and $build/artifacts/$target/" >&2
    fi
done
if $merge; then
    for target in "${targets[@]}"; do
        "$build/fuzz/${target}_fuzzer" -merge=1 -max_len=1024 "fuzz/corpus/$target" \
            "$build/found/$target" >"$build/logs/$target.merge.log" 2>&1
    done
    echo "Committed corpus now: $(find fuzz/corpus -type f | wc -l) files," \
        "$(cat fuzz/corpus/*/* | wc -c) bytes"
fi
! $failed
