# What the program plays, recorded: a private PulseAudio whose only sink is
# a pipe that a reader copies into a file. start_sound_server starts it and
# points PULSE_SERVER at it; stop_sound_server (for the session's stops)
# ends both by their process ids, and the speech service that the program
# started on its own, which plays through it. PulseAudio refuses to run as
# root, so the server and the reader run as nobody in a private runtime
# folder. Needs the packages pulseaudio, pulseaudio-utils and sox.
SOUND_DIR=
SOUND_SERVER_PID=
SOUND_READER_PID=
readonly SOUND_RATE=22050

start_sound_server() {
  SOUND_DIR=$(mktemp -d)
  chown nobody:nogroup "$SOUND_DIR"
  chmod 700 "$SOUND_DIR"
  # A plain command, so that $! is the process itself (setpriv and env
  # replace themselves with it).
  local as_nobody=(setpriv --reuid=nobody --regid=nogroup --clear-groups --
    env -i PATH=/usr/bin:/bin HOME="$SOUND_DIR" XDG_RUNTIME_DIR="$SOUND_DIR")
  "${as_nobody[@]}" mkfifo "$SOUND_DIR/sink"
  "${as_nobody[@]}" sh -c 'exec cat "$HOME/sink" >"$HOME/played.raw"' &
  SOUND_READER_PID=$!
  # The pipe sink keeps to the clock, so the file grows at the speed of
  # real playing and its silences are as long as heard.
  "${as_nobody[@]}" pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
    --disallow-exit -L "module-native-protocol-unix socket=$SOUND_DIR/native auth-anonymous=1" \
    -L "module-pipe-sink file=$SOUND_DIR/sink format=s16le rate=$SOUND_RATE channels=1 sink_name=recorder use_system_clock_for_timing=yes" \
    >"$SOUND_DIR/server.log" 2>&1 &
  SOUND_SERVER_PID=$!
  export PULSE_SERVER=unix:$SOUND_DIR/native
  poll 200 eval 'pactl info >/dev/null 2>&1' || fail "the sound server did not start: $(cat "$SOUND_DIR/server.log")"
  pactl set-default-sink recorder
}

stop_sound_server() {
  local pid speech_pid_file=${XDG_RUNTIME_DIR:-}/speech-dispatcher/pid/speech-dispatcher.pid
  if [ -n "${XDG_RUNTIME_DIR:-}" ] && [ -s "$speech_pid_file" ]; then
    pid=$(cat "$speech_pid_file")
    kill "$pid" 2>/dev/null || true
    poll 100 eval '! kill -0 "$pid" 2>/dev/null' || true
  fi
  for pid in "$SOUND_SERVER_PID" "$SOUND_READER_PID"; do
    [ -n "$pid" ] || continue
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  SOUND_SERVER_PID= SOUND_READER_PID=
  [ -z "$SOUND_DIR" ] || rm -rf "$SOUND_DIR"
}

# Marks the point in the recording after which heard_seconds listens.
mark_sound() {
  local size
  size=$(stat -c %s "$SOUND_DIR/played.raw")
  SOUND_MARK=$((size / 2 * 2))
}

# How long the sound since the mark lasts, silences before and after it
# left out (0 for silence), once it has ended: when nothing more has been
# heard for a second, or after `wait` seconds of silence.
heard_seconds() { # wait
  local tries=0 heard=0 last=-1 still=0
  while :; do
    sleep 0.25
    tries=$((tries + 1))
    tail -c +$((SOUND_MARK + 1)) "$SOUND_DIR/played.raw" >"$SOUND_DIR/since-mark.raw"
    heard=$(sox -t raw -r "$SOUND_RATE" -e signed -b 16 -c 1 "$SOUND_DIR/since-mark.raw" -n \
      silence 1 0.02 1% reverse silence 1 0.02 1% reverse stat 2>&1 | awk '/^Length/ {print $3}')
    if [ "$heard" = "$last" ] && [ "$heard" != 0.000000 ]; then
      still=$((still + 1))
      ((still < 4)) || break
    else
      still=0
    fi
    last=$heard
    if [ "$heard" = 0.000000 ] && ((tries >= $1 * 4)); then
      break
    fi
  done
  echo "$heard"
}
