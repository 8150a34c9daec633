#!/usr/bin/env bash
# Installs what is missing, builds Quillomat with AddressSanitizer and UndefinedBehaviorSanitizer
# in build-tests/, and runs every test headless: each test that shows a window starts an X
# server of its own, so that tests running at once share nothing on screen.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh build-tests -DBUILD_TESTING=ON -DQUILLOMAT_SANITIZE=ON
cd build-tests
# No test reaches the desktop it was started from.
unset DISPLAY WAYLAND_DISPLAY
export LANG=C.UTF-8 WEBKIT_DISABLE_COMPOSITING_MODE=1 ASAN_OPTIONS=detect_leaks=0
exec ctest --output-on-failure --parallel "$(nproc)" --timeout 120 "$@"
