#!/usr/bin/env bash
# Makes the README's screenshots in docs/ with the real program on its bundled
# media: the menu, a quiz and a reference screen at 100 % and at 200 %, the
# quiz by ear and its results view; then the contact sheet and the call sheet.
# It runs on a display, a sound server and settings of its own (those of the
# tests, scripts/test-session.sh), so neither your screen nor your settings or
# answer history are touched. The quiz shows a bird drawn at random.
# usage: scripts/screenshots.sh [BUILD_DIR]     (build/ by default)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-${BUILD_DIR:-build}}
case "$build" in /*) ;; *) build=$PWD/$build ;; esac
docs=$PWD/docs
source scripts/test-session.sh
cmake --build "$build" --target program-and-media contact-sheet call-sheet

program_pid="" menu=""
# Starts the program and waits for its menu window.
start() {
  "$build/piyo" >/dev/null 2>&1 &
  program_pid=$!
  menu=$(window 'ピヨメニュー')
}
stop() {
  kill "$program_pid" 2>/dev/null || true
  wait "$program_pid" 2>/dev/null || true
}
# The program's visible window whose title begins so, waited for up to 20 s.
window() {
  local found=""
  for _ in $(seq 100); do
    found=$(xdotool search --all --onlyvisible --pid "$program_pid" --name "^$1" 2>/dev/null | head -n1 || true)
    [ -n "$found" ] && break
    sleep 0.2
  done
  [ -n "$found" ] || { echo "no window '$1' appeared" >&2; exit 1; }
  echo "$found"
}
# Clicks at a point given in pixels at 100 %, scaled to the window's size.
click() {
  xdotool mousemove --window "$1" $(($2 * scale / 100)) $(($3 * scale / 100)) click 1
}
# Waits (up to 15 s) until the window's picture has stayed the same for a second: a
# picture grown into place, a description filled in.
steady() {
  local previous="" same=0 now
  for _ in $(seq 30); do
    now=$(import -window "$1" ppm:- | md5sum)
    if [ "$now" = "$previous" ]; then same=$((same + 1)); else same=0; fi
    [ "$same" -ge 2 ] && return 0
    previous=$now
    sleep 0.5
  done
}
grab() {
  steady "$1"
  import -window "$1" "$docs/$2"
  echo "$docs/$2: $(identify -format '%w x %h' "$docs/$2")"
}

# Centres of the controls, from the layouts in twips (÷ 15) at 100 %.
menu_look_up=(480 229) menu_quiz=(479 287) menu_spring=(480 265)
board_to_menu=(590 17) by_ear=(407 17) results=(237 17)
first_name=(392 44) oruri=(392 152) description=(257 369)

shots() {
  local suffix=$1
  start
  grab "$menu" "menu$suffix.png"
  # The quiz once a bird has grown into place and one answer has been given.
  click "$menu" "${menu_quiz[@]}"
  sleep 0.5
  click "$menu" "${menu_spring[@]}"
  quiz=$(window 'ピヨ探し')
  steady "$quiz"
  click "$quiz" "${first_name[@]}"
  sleep 1
  grab "$quiz" "quiz$suffix.png"
  click "$quiz" "${board_to_menu[@]}"
  menu=$(window 'ピヨメニュー')
  # The reference screen with オオルリ's description open.
  click "$menu" "${menu_look_up[@]}"
  sleep 0.5
  click "$menu" "${menu_spring[@]}"
  reference=$(window 'ピヨ調べ')
  click "$reference" "${oruri[@]}"
  steady "$reference"
  click "$reference" "${description[@]}"
  grab "$reference" "reference$suffix.png"
  stop
}

scale=100
shots ""

open_quiz() {
  start
  click "$menu" "${menu_quiz[@]}"
  sleep 0.5
  click "$menu" "${menu_spring[@]}"
  quiz=$(window 'ピヨ探し')
}
# By ear, then the results view of the answers given so far; then by ear off
# again (it is remembered).
open_quiz
click "$quiz" "${by_ear[@]}"
grab "$quiz" quiz-by-ear.png
click "$quiz" "${results[@]}"
grab "$quiz" quiz-results.png
stop
open_quiz
click "$quiz" "${by_ear[@]}"
sleep 1
stop

# Ctrl++ four times: 125, 150, 175, 200 %; every screen opens at that size.
start
xdotool windowfocus --sync "$menu"
for _ in 1 2 3 4; do xdotool key ctrl+plus; sleep 0.3; done
sleep 1
stop
scale=200
shots "-200"

cp "$build/contact-sheet.png" "$build/call-sheet.png" "$docs/"
echo "$docs/contact-sheet.png, $docs/call-sheet.png"
