#!/usr/bin/env bash
# Installs what is missing, builds Quillomat with AddressSanitizer and UndefinedBehaviorSanitizer
# in build-tests/, and runs every test headless: window tests under Xvfb.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh build-tests -DBUILD_TESTING=ON -DQUILLOMAT_SANITIZE=ON
cd build-tests
export LANG=C.UTF-8 WEBKIT_DISABLE_COMPOSITING_MODE=1 ASAN_OPTIONS=detect_leaks=0
exec xvfb-run -a -s "-screen 0 1280x1024x24" \
    ctest --output-on-failure --parallel "$(nproc)" --timeout 120 "$@"
