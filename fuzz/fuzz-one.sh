#!/usr/bin/env bash
# Runs one fuzzer for a bounded time over its seeds and its growing corpus,
# keeps its log beside the corpus and prints how many inputs it ran.
# usage: fuzz-one.sh FUZZER SEED_DIR CORPUS_DIR ARTIFACT_DIR SECONDS [LIBFUZZER_OPTION...]
# (the options given replace the defaults below: the last of a name counts)
set -uo pipefail
fuzzer=$1 seeds=$2 corpus=$3 artifacts=$4 seconds=$5
shift 5
name=$(basename "$fuzzer")
log=$(dirname "$artifacts")/$name.log
mkdir -p "$corpus" "$artifacts"
export LSAN_OPTIONS=suppressions=$(dirname "$0")/lsan.supp:print_suppressions=0
# Freed memory held back to catch a use after free counts towards the memory
# limit: 64 MB of it (rather than 256) leaves the limit to what the code holds.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=64}
# -timeout: media are decoded on worker threads, so a slow input no longer
# freezes the window, but one that takes 10 s (sanitizers included) is a runaway
# decode all the same. A 4096 px picture, the largest taken, decodes well within it.
"$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
  -print_final_stats=1 -artifact_prefix="$artifacts/$name-" "$@" "$corpus" "$seeds" >"$log" 2>&1
status=$?
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
echo "$name: ${runs:-?} inputs (limit ${seconds} s), corpus $(ls "$corpus" | wc -l) files, exit $status"
if [ "$status" != 0 ]; then
  grep -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error|artifact_prefix|Test unit written)' "$log" | head -20
  tail -n 40 "$log"
fi
exit "$status"
