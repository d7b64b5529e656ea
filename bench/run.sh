#!/usr/bin/env bash
# Builds the benchmarks when needed (Release, in build-bench/) and runs them all
# under a virtual display and a PulseAudio null sink. Each prints median, min
# and max of what it measures. Never run by CTest.
# Usage: bench/run.sh [build-dir]
#   BENCH_ONLY="startup responsiveness" runs only the benchmarks whose names begin so.
# Exits non-zero when a benchmark cannot run or a soak check fails.
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-${BENCH_BUILD_DIR:-build-bench}}

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release || exit 1
fi
targets=(piyo bench_bare_window bench_startup bench_quiz bench_reference bench_soak bench_responsiveness bench_history bench_import bench_formats)
if [ -f bench/sound/CMakeLists.txt ]; then targets+=(bench_sound); fi
if [ -f bench/spectrogram/CMakeLists.txt ]; then targets+=(bench_spectrogram); fi
targets+=(bench_memory)
cmake --build "$build" --target "${targets[@]}" -j"$(nproc)" || exit 1

source scripts/test-session.sh

failed=()
run() {
  local name=$1
  shift
  if [ -n "${BENCH_ONLY:-}" ]; then
    local wanted=""
    for only in $BENCH_ONLY; do [[ $name == "$only"* ]] && wanted=1; done
    [ -n "$wanted" ] || return 0
  fi
  echo
  local start=$SECONDS
  if ! "$@"; then failed+=("$name"); fi
  echo "  [$name: $((SECONDS - start)) s]"
}

echo "piyo benchmarks, $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
# Start-up first, while nothing else of ours has touched the machine.
run startup "$build/bench_startup" 10
if [ -x "$build/bench_sound" ]; then run sound "$build/bench_sound"; fi
run quiz-present env QT_QPA_PLATFORM=offscreen "$build/bench_quiz" present 50
run quiz-present-on-screen env QT_QPA_PLATFORM=xcb "$build/bench_quiz" present 50
run reference env QT_QPA_PLATFORM=offscreen "$build/bench_reference" 20
run reference-on-screen env QT_QPA_PLATFORM=xcb "$build/bench_reference" 20
if [ -x "$build/bench_spectrogram" ]; then
  run spectrogram env QT_QPA_PLATFORM=xcb PIYO_SOUND_MODULE="$build/piyo-sound.so" "$build/bench_spectrogram" 9
fi
# The longest UI-thread stall per user action, on a real display, on the bundled
# media and on a large set the benchmark writes beside a copy of itself.
run responsiveness env QT_QPA_PLATFORM=xcb "$build/bench_responsiveness" 10
run responsiveness-large env QT_QPA_PLATFORM=xcb "$build/bench_responsiveness" 10 --large
# At 300 % the windows are 1920 x 1200: a screen of their size for these runs.
for n in $(seq 140 170); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { large_display=":$n"; break; }
done
Xvfb "$large_display" -screen 0 2048x1536x24 -nolisten tcp -noreset >/dev/null 2>&1 &
started_pids+=($!)
for _ in $(seq 50); do DISPLAY=$large_display xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
run responsiveness-300 env DISPLAY="$large_display" QT_QPA_PLATFORM=xcb "$build/bench_responsiveness" 10 --scale=3
run input-lag python3 bench/inputlag/input_lag.py --program "$build/piyo" --runs 7
run quiz-memory env QT_QPA_PLATFORM=offscreen "$build/bench_quiz" memory 10000
run history-record "$build/bench_history" record 1000
run history-results "$build/bench_history" results 100000
run history-last-answers "$build/bench_history" last 100000
run import "$build/bench_import" 3
# Simulated learners over 60 days: what each way of drawing leaves them remembering.
run memory "$build/bench_memory"
run formats env QT_QPA_PLATFORM=offscreen "$build/bench_formats" 20
run soak env QT_QPA_PLATFORM=offscreen "$build/bench_soak" 10000 33000

echo
if [ ${#failed[@]} -gt 0 ]; then
  echo "FAILED: ${failed[*]}"
  exit 1
fi
echo "all benchmarks ran; every soak check passed"
