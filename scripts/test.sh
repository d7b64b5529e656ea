#!/usr/bin/env bash
# Command 2: install what is needed, build, and run every test with CTest,
# under a virtual display and a PulseAudio null sink.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
source scripts/test-session.sh
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j2 "$@"
