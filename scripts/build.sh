#!/usr/bin/env bash
# Configures and builds piyo with a CMake preset (release unless PIYO_PRESET
# says otherwise) into the preset's folder, build/ for release, or $BUILD_DIR.
# usage: scripts/build.sh [targets...]     (everything when none is given)
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${PIYO_PRESET:-release}
cmake --preset "$preset" ${BUILD_DIR:+-B "$BUILD_DIR"}
dir=${BUILD_DIR:-$(scripts/preset-dir.sh "$preset")}
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build "$dir" -j"$(nproc)" "${targets[@]}"
