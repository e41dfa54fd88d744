# Sourced by the test command: a private PulseAudio server with a null sink, so that Wine's
# waveOut opens a real device and tests can record what was played from the sink's monitor.
# Fails, loudly, when the server does not answer: the tests that hear the sink would otherwise
# all be skipped.
tarvo_start_sound() {
  export PULSE_RUNTIME_PATH=$XDG_RUNTIME_DIR/pulse
  mkdir -p "$PULSE_RUNTIME_PATH"
  export HOME_FOR_PULSE=$root/build/pulse-home
  mkdir -p "$HOME_FOR_PULSE"
  HOME=$HOME_FOR_PULSE pulseaudio --kill >/dev/null 2>&1 || true
  HOME=$HOME_FOR_PULSE pulseaudio -D -n --exit-idle-time=-1 --system=false --disable-shm=true \
    --load=module-native-protocol-unix \
    --load="module-null-sink sink_name=nullsink format=u8 rate=11025 channels=1" >/dev/null 2>&1 || true
  local i answered=0
  for i in $(seq 1 50); do
    if HOME=$HOME_FOR_PULSE pactl info >/dev/null 2>&1; then
      answered=1
      break
    fi
    sleep 0.1
  done
  if [ "$answered" != 1 ]; then
    echo "ERROR: the sound server started for the tests does not answer (pactl info)" >&2
    return 1
  fi
  HOME=$HOME_FOR_PULSE pactl set-default-sink nullsink >/dev/null 2>&1 || true
}

tarvo_stop_sound() {
  [ -n "${HOME_FOR_PULSE:-}" ] && HOME=$HOME_FOR_PULSE pulseaudio --kill >/dev/null 2>&1 || true
}
