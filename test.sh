#!/usr/bin/env bash
# Installs what is missing, builds Quillomat with AddressSanitizer and UndefinedBehaviorSanitizer
# in build-tests/, checks the format and runs every test headless: each test that shows a window
# starts an X server of its own, so that tests running at once share nothing on screen.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh --tests build-tests -DBUILD_TESTING=ON -DQUILLOMAT_SANITIZE=ON \
    -DQUILLOMAT_PACKAGE_FROM="$PWD/build"
# The Debian package is checked as it is shipped: from ./run.sh's build, without sanitizers.
tools/setup.sh build -DBUILD_TESTING=OFF

# The committed .clang-format is written for clang-format 14 (Debian 12's), which CI runs; other
# versions lay out some code otherwise, so with them differences are shown but refuse nothing.
sources() {
    find app bench browser fuzz linkcode main_use resources tests \( -name '*.cpp' -o -name '*.h' \) \
        -print0
}
format_version=$(clang-format --version | sed -n 's/.*clang-format version \([0-9]*\).*/\1/p')
if [[ $format_version == 14 ]]; then
    sources | xargs -0 clang-format --dry-run --Werror ||
        { echo "Format with clang-format -i (the committed .clang-format)." >&2; exit 1; }
else
    echo "The format is checked with clang-format 14, for which .clang-format is written; this is" \
        "clang-format ${format_version:-of unknown version}, whose differences refuse nothing." >&2
    sources | xargs -0 clang-format --dry-run
fi
cd build-tests
# No test reaches the desktop it was started from.
unset DISPLAY WAYLAND_DISPLAY
export LANG=C.UTF-8 WEBKIT_DISABLE_COMPOSITING_MODE=1 ASAN_OPTIONS=detect_leaks=0
exec ctest --output-on-failure --parallel "$(nproc)" --timeout 120 "$@"
