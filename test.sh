#!/usr/bin/env bash
# Installs what is missing, builds Quillomat with AddressSanitizer and UndefinedBehaviorSanitizer
# in build-tests/, checks the format and runs every test headless: each test that shows a window
# starts an X server of its own, so that tests running at once share nothing on screen.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh --tests build-tests -DBUILD_TESTING=ON -DQUILLOMAT_SANITIZE=ON
find app bench browser fuzz linkcode main_use resources tests \( -name '*.cpp' -o -name '*.h' \) -print0 |
    xargs -0 clang-format --dry-run --Werror ||
    { echo "Format with clang-format -i (the committed .clang-format)." >&2; exit 1; }
cd build-tests
# No test reaches the desktop it was started from.
unset DISPLAY WAYLAND_DISPLAY
export LANG=C.UTF-8 WEBKIT_DISABLE_COMPOSITING_MODE=1 ASAN_OPTIONS=detect_leaks=0
exec ctest --output-on-failure --parallel "$(nproc)" --timeout 120 "$@"
