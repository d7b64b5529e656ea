#!/usr/bin/env bash
# clang-tidy with .clang-tidy over the program's sources in a build's compile
# commands; any finding fails. What the 'tidy' build target runs.
# usage: scripts/tidy.sh RUN_CLANG_TIDY CLANG_TIDY BUILD_DIR JOBS FILE_REGEX
#
# On a clean run nothing is printed: run-clang-tidy echoes each file's
# command, and clang counts the warnings it found in headers outside src/ and
# did not show ("12 warnings generated."); both lines go. Everything else, a
# finding and the counts that come with it among them, is shown as it comes.
set -euo pipefail
run_clang_tidy=$1 clang_tidy=$2 build=$3 jobs=$4 files=$5
"$run_clang_tidy" -quiet -clang-tidy-binary "$clang_tidy" -p "$build" -j "$jobs" "$files" 2>&1 |
  sed -u -E -e '/^[0-9]+ warnings? generated\.$/d' -e "\\#^$clang_tidy #d"
