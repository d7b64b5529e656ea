#!/usr/bin/env bash
# Starts the unpacked program through its usr/bin link on a real X display, as a user's desktop
# would, and checks that it runs from the installed layout: the menu opens with the Japanese
# fonts in place, and the quiz it opens reads a bird's picture and call from usr/lib/piyo.
# usage: installed-program-starts.sh ROOT
set -euo pipefail
root=$(cd "$1" && pwd -P)
if [ -z "${DISPLAY:-}" ]; then
  if [ "${CI:-}" = "true" ]; then echo "DISPLAY is not set" >&2; exit 1; fi
  echo "DISPLAY is not set: skipped"; exit 77
fi
program=$root/usr/bin/piyo
if [ "$(readlink "$program")" != ../lib/piyo/piyo ]; then
  echo "$program is not a link to ../lib/piyo/piyo" >&2
  exit 1
fi

work=$(mktemp -d)
# Settings, media and history of its own, also when run by hand: a window scale stored in the
# user's settings would move every click below, and the answer history is not the user's.
for folder in home config data cache state runtime; do mkdir -m 700 "$work/$folder"; done
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export XDG_CACHE_HOME=$work/cache XDG_STATE_HOME=$work/state XDG_RUNTIME_DIR=$work/runtime
unset QT_QPA_PLATFORM
# strace records which media files the program opens (non-ASCII names come out escaped).
strace -f -qq -e trace=openat -e signal=none -o "$work/files" "$program" 2>"$work/stderr" &
tracer=$!
# The first file the program opens is a library, opened by its main thread: that line gives its id.
program_id() { head -n1 "$work/files" 2>/dev/null | grep -oE '^[0-9]+'; }
pid=""
finish() {
  [ -n "$pid" ] || pid=$(program_id || true)
  # Ending strace alone would leave the program running untraced.
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; else kill "$tracer" 2>/dev/null || true; fi
  wait "$tracer" 2>/dev/null || true
  cat "$work/stderr" >&2
  rm -rf "$work"
}
trap finish EXIT

# Polls for up to a minute until the command prints something; prints it.
poll() {
  local found=""
  for _ in $(seq 300); do
    found=$("$@" 2>/dev/null | head -n1 || true)
    [ -n "$found" ] && break
    kill -0 "$tracer" 2>/dev/null || break
    sleep 0.2
  done
  echo "$found"
}
fail() { echo "$*" >&2; exit 1; }

pid=$(poll program_id)
[ -n "$pid" ] || fail "the installed program did not start"
menu=$(poll xdotool search --all --onlyvisible --pid "$pid" --name '^ピヨメニュー$')
[ -n "$menu" ] || fail "the installed program showed no menu window (ピヨメニュー)"
if grep -q "not installed" "$work/stderr"; then
  fail "the installed program is missing a font it needs"
fi

# ■ピヨ探し, then ■春夏: centres of Label4 and Label11 of the menu layout, in pixels (15 twips each).
xdotool mousemove --window "$menu" 479 287 click 1
sleep 0.5
xdotool mousemove --window "$menu" 479 266 click 1
quiz=$(poll xdotool search --all --onlyvisible --pid "$pid" --name '^ピヨ探し')
[ -n "$quiz" ] || fail "the quiz did not open from the menu"

opened() { grep -E "\"$root/usr/lib/piyo/[^/\"]+/$1\", [^)]*\) = [0-9]+" "$work/files"; }
picture=$(poll opened 'b[0-9]+\.gif')
call=$(poll opened 'k[0-9]+\.wav')
[ -n "$picture" ] || fail "the quiz read no bird picture from $root/usr/lib/piyo"
[ -n "$call" ] || fail "the quiz read no call from $root/usr/lib/piyo"
echo "menu and quiz shown by the installed program; it read:"
echo "$picture"
echo "$call"
