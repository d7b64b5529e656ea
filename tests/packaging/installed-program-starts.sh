#!/usr/bin/env bash
# Starts the unpacked program through its usr/bin link on a real X display and waits for the
# menu window: it only opens when the program found its media beside itself in usr/lib/piyo.
# usage: installed-program-starts.sh ROOT
set -euo pipefail
root=$1
if [ -z "${DISPLAY:-}" ]; then
  if [ "${CI:-}" = "true" ]; then echo "DISPLAY is not set" >&2; exit 1; fi
  echo "DISPLAY is not set: skipped"; exit 77
fi
program=$root/usr/bin/piyo
[ -L "$program" ] || { echo "$program is not a link" >&2; exit 1; }
[ "$(readlink "$program")" = ../lib/piyo/piyo ] || { echo "$program does not link to ../lib/piyo/piyo" >&2; exit 1; }

stderr=$(mktemp)
unset QT_QPA_PLATFORM
"$program" 2>"$stderr" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; rm -f "$stderr"' EXIT

window=""
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  window=$(xdotool search --all --onlyvisible --pid "$pid" --name 'ピヨメニュー' 2>/dev/null | head -n1 || true)
  [ -n "$window" ] && break
  sleep 0.2
done
cat "$stderr" >&2
if [ -z "$window" ]; then
  echo "the installed program showed no menu window (ピヨメニュー)" >&2
  exit 1
fi
if grep -q "not installed" "$stderr"; then
  echo "the installed program is missing a font it needs" >&2
  exit 1
fi
echo "menu window $window shown by the installed program"
