#!/usr/bin/env bash
# Command 1: install what building and running need, build the program and its
# bundled media (not the tests), and start it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
scripts/build.sh program-and-media
build=${BUILD_DIR:-build}
case "$build" in /*) ;; *) build=$PWD/$build ;; esac
exec "$build/piyo"
