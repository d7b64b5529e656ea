#!/usr/bin/env bash
# Prints the build folder of a configure preset, for the scripts that use one.
set -euo pipefail
cd "$(dirname "$0")/.."
case "$1" in
  release | ci) echo build ;;
  dev) echo build-dev ;;
  asan | asan-ci) echo build-asan ;;
  *) echo "unknown preset: $1" >&2; exit 1 ;;
esac
