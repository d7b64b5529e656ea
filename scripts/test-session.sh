# Sourced by the test scripts: makes sure a display and a sound server are up.
# Starts Xvfb and a PulseAudio null sink when none is running, and stops what
# it started when the calling script exits.

started_pids=()
stop_test_session() {
  for pid in "${started_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  if [ -n "${started_pulse:-}" ]; then pulseaudio --kill 2>/dev/null || true; fi
  if [ -n "${made_runtime:-}" ]; then rm -rf "$made_runtime"; fi
}
trap stop_test_session EXIT

if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  for n in $(seq 90 130); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { display=":$n"; break; }
  done
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  started_pids+=($!)
  export DISPLAY=$display
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi

if ! pactl info >/dev/null 2>&1; then
  if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    made_runtime=$(mktemp -d /tmp/piyo-runtime.XXXXXX)
    export XDG_RUNTIME_DIR=$made_runtime
  fi
  mkdir -p -m700 "$XDG_RUNTIME_DIR"
  pulseaudio --daemonize=yes --system=false --exit-idle-time=-1 -n --disallow-exit \
    --load="module-native-protocol-unix auth-anonymous=1" \
    --load="module-null-sink sink_name=nullsink rate=48000 channels=2" --load=module-always-sink \
    >/dev/null 2>&1
  started_pulse=1
  for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
  pactl set-default-sink nullsink
fi
if [ -z "${PULSE_SERVER:-}" ]; then
  server=$(pactl info 2>/dev/null | sed -n 's/^Server String: //p')
  case "$server" in /*) server="unix:$server" ;; esac
  export PULSE_SERVER=$server
fi
