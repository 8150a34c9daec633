# Sourced by the benchmark scripts: installs the listed Debian packages that are missing (as
# root), then configures the release build of the benchmarks in build-bench/.
# Usage: prepare_benchmarks "what for" PACKAGE...
prepare_benchmarks() {
    local purpose=$1
    shift
    local missing=() package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    if ((${#missing[@]})); then
        if [[ $(id -u) -ne 0 ]]; then
            echo "$purpose need: apt-get install -y ${missing[*]} (as root)." >&2
            exit 1
        fi
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
    build=build-bench
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
        -DQUILLOMAT_SANITIZE=OFF -DQUILLOMAT_BENCHMARKS=ON >/dev/null
}
