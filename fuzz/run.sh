#!/usr/bin/env bash
# Builds the fuzzers with clang in build-fuzz and runs each for a bounded time:
# the media readers' FUZZ_SECONDS each (60 by default), piyo-import's and
# piyo-check-media's FUZZ_TOOL_SECONDS each (35 by default). Seeds come from a
# media directory: MEDIA_DIR, else the default build tree's.
# usage: fuzz/run.sh [extra ctest arguments]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${FUZZ_BUILD_DIR:-build-fuzz}
cmake -S . -B "$build" -G Ninja \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPIYO_FUZZ=ON -DPIYO_BUILD_MEDIA=OFF \
  -DPIYO_FUZZ_SECONDS="${FUZZ_SECONDS:-60}" \
  -DPIYO_FUZZ_TOOL_SECONDS="${FUZZ_TOOL_SECONDS:-35}" \
  -DPIYO_FUZZ_MEDIA_DIR="${MEDIA_DIR:-$root/build}"
cmake --build "$build" --target fuzzers -j"${JOBS:-2}"
rm -rf "$build/fuzz/artifacts" # what is left there is what this run found
status=0
ctest --test-dir "$build/fuzz" -L fuzz --output-on-failure "$@" || status=$?
echo "--- fuzz summary"
for log in "$build"/fuzz/fuzz_*.log; do
  if [ -e "$log" ]; then
    sed -n "s/^stat::number_of_executed_units: */$(basename "$log" .log): executions /p" "$log"
  fi
done
if [ -d "$build/fuzz/artifacts" ]; then
  ls "$build/fuzz/artifacts" | sed "s/^/artifact: /"
fi
exit $status
