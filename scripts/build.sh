#!/usr/bin/env bash
# Configures and builds piyo into build/ (or $BUILD_DIR), media set included.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
werror=OFF
if [ "${CI:-}" = "true" ]; then werror=ON; fi
cmake -S . -B "$build" -G Ninja -DPIYO_WERROR=$werror "$@"
cmake --build "$build" -j"$(nproc)"
