# Sourced by the test scripts: starts a display and a sound server of the
# tests' own, Xvfb and a PulseAudio null sink, so the tests never drive the
# user's screen or play through the user's speakers; and gives them a home and
# XDG folders of their own, so that nothing they start reads the user's
# settings and media or writes into the user's home (the answer history, a
# window manager's log, the sound server's cookie). Stops and removes all of
# it when the calling script exits.

started_pids=()
pulse_pid=""
stop_test_session() {
  for pid in "${started_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  if [ -n "$pulse_pid" ]; then
    # The sound server tidies its folder as it goes: the folder is removed after it has gone.
    kill "$pulse_pid" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$pulse_pid" 2>/dev/null || break; sleep 0.1; done
  fi
  if [ -n "${test_session:-}" ]; then rm -rf "$test_session"; fi
}
trap stop_test_session EXIT

test_session=$(mktemp -d /tmp/piyo-session.XXXXXX)
mkdir -p "$test_session"/{home,config,data,cache,state,runtime}
chmod 700 "$test_session" "$test_session/runtime"
export HOME=$test_session/home
export XDG_CONFIG_HOME=$test_session/config XDG_DATA_HOME=$test_session/data
export XDG_CACHE_HOME=$test_session/cache XDG_STATE_HOME=$test_session/state
# The sound server's socket and pid file live in the runtime folder.
export XDG_RUNTIME_DIR=$test_session/runtime
# Nor the user's desktop bus.
unset DBUS_SESSION_BUS_ADDRESS

for n in $(seq 90 190); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { display=":$n"; break; }
done
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
started_pids+=($!)
export DISPLAY=$display
unset WAYLAND_DISPLAY
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

unset PULSE_SERVER
pulseaudio --daemonize=yes --system=false --exit-idle-time=-1 -n --disallow-exit \
  --load="module-native-protocol-unix auth-anonymous=1" \
  --load="module-null-sink sink_name=nullsink rate=48000 channels=2" --load=module-always-sink \
  >/dev/null 2>&1
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pulse_pid=$(cat "$XDG_RUNTIME_DIR/pulse/pid" 2>/dev/null || true)
pactl set-default-sink nullsink
server=$(pactl info 2>/dev/null | sed -n 's/^Server String: //p')
case "$server" in /*) server="unix:$server" ;; esac
export PULSE_SERVER=$server
