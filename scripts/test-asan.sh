#!/usr/bin/env bash
# Builds with the asan preset (address and undefined behaviour, leak checking
# on; asan-ci in CI) into build-asan/ and runs every test there.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
PIYO_PRESET=${PIYO_PRESET:-asan} BUILD_DIR= scripts/build.sh
source scripts/test-session.sh
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=0
# Sanitized code runs several times slower than the release build.
export PIYO_FAULTS_ACTION_LIMIT_MS=4000
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0
ctest --test-dir build-asan --output-on-failure -j2 "$@"
