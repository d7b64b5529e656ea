# Sourced by the test scripts: starts a display and a sound server of the
# tests' own, Xvfb and a PulseAudio null sink, so the tests never drive the
# user's screen or play through the user's speakers; stops them when the
# calling script exits.

started_pids=()
stop_test_session() {
  for pid in "${started_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  if [ -n "${test_runtime:-}" ]; then
    pulseaudio --kill 2>/dev/null || true
    rm -rf "$test_runtime"
  fi
}
trap stop_test_session EXIT

for n in $(seq 90 190); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { display=":$n"; break; }
done
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
started_pids+=($!)
export DISPLAY=$display
unset WAYLAND_DISPLAY
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# The sound server's socket and pid file live in a runtime folder of its own.
test_runtime=$(mktemp -d /tmp/piyo-runtime.XXXXXX)
chmod 700 "$test_runtime"
export XDG_RUNTIME_DIR=$test_runtime
unset PULSE_SERVER
pulseaudio --daemonize=yes --system=false --exit-idle-time=-1 -n --disallow-exit \
  --load="module-native-protocol-unix auth-anonymous=1" \
  --load="module-null-sink sink_name=nullsink rate=48000 channels=2" --load=module-always-sink \
  >/dev/null 2>&1
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl set-default-sink nullsink
server=$(pactl info 2>/dev/null | sed -n 's/^Server String: //p')
case "$server" in /*) server="unix:$server" ;; esac
export PULSE_SERVER=$server
