#!/usr/bin/env bash
# Installs what is missing, builds Quillomat in build/ and starts it.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh build -DBUILD_TESTING=OFF
exec build/quillomat
