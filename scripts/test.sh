#!/usr/bin/env bash
# Command 2: install what is needed, build everything, and run every test with
# CTest on a display and a sound server of the tests' own (Xvfb and a
# PulseAudio null sink). PIYO_PRESET picks the build (release by default;
# CI uses ci, which treats warnings as errors).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
source scripts/test-session.sh
ctest --test-dir "${BUILD_DIR:-$(scripts/preset-dir.sh "${PIYO_PRESET:-release}")}" --output-on-failure -j2 "$@"
