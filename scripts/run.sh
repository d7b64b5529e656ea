#!/usr/bin/env bash
# Command 1: install what is needed, build, and start piyo on its bundled media.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec "./${BUILD_DIR:-build}/piyo"
