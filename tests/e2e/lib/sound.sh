# What the program plays, recorded: a private PulseAudio (it refuses root,
# so it runs as nobody in a private runtime folder) whose only sink is a
# pipe that a reader copies into a file. start_sound_server points
# PULSE_SERVER at it; stop_sound_server ends, by their process ids, the
# speech service the program started on its own, the server and the reader.
# Needs the packages pulseaudio, pulseaudio-utils and sox.
readonly SOUND_RATE=22050

start_sound_server() {
  SOUND_DIR=$(mktemp -d)
  chown nobody:nogroup "$SOUND_DIR"
  chmod 700 "$SOUND_DIR"
  local as_nobody=(setpriv --reuid=nobody --regid=nogroup --clear-groups --
    env -i PATH=/usr/bin:/bin HOME="$SOUND_DIR" XDG_RUNTIME_DIR="$SOUND_DIR")
  "${as_nobody[@]}" mkfifo "$SOUND_DIR/sink"
  "${as_nobody[@]}" sh -c 'exec cat "$HOME/sink" >"$HOME/played.raw"' &
  SOUND_READER_PID=$!
  "${as_nobody[@]}" pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
    -L "module-native-protocol-unix socket=$SOUND_DIR/native auth-anonymous=1" \
    -L "module-pipe-sink file=$SOUND_DIR/sink format=s16le rate=$SOUND_RATE channels=1 sink_name=recorder use_system_clock_for_timing=yes" \
    >"$SOUND_DIR/server.log" 2>&1 &
  SOUND_SERVER_PID=$!
  export PULSE_SERVER=unix:$SOUND_DIR/native
  poll 200 eval 'pactl info >/dev/null 2>&1' || fail "no sound server: $(cat "$SOUND_DIR/server.log")"
}

# The speech service the program started on its own, while it runs (it
# ends by itself a few seconds after its last client).
speech_service_pid() {
  local pid file=${XDG_RUNTIME_DIR:-/nonexistent}/speech-dispatcher/pid/speech-dispatcher.pid
  pid=$(cat "$file" 2>/dev/null) && [ -n "$pid" ] || return 1
  [ -d "/proc/$pid" ] && [ "$(ps -o stat= -p "$pid" | cut -c1)" != Z ] && echo "$pid"
}

# Ends the speech service with the signal (TERM unless told) and waits
# until it has gone.
stop_speech_service() { # [signal]
  local pid
  pid=$(speech_service_pid) || return 0
  kill "-${1:-TERM}" "$pid" 2>/dev/null || true
  poll 100 eval '! speech_service_pid >/dev/null' || true
}

stop_sound_server() {
  local pid
  stop_speech_service
  for pid in "${SOUND_SERVER_PID:-}" "${SOUND_READER_PID:-}"; do
    [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
  done
  rm -rf "${SOUND_DIR:-/nonexistent}"
}

# Marks the point in the recording after which heard_seconds listens.
mark_sound() {
  SOUND_MARK=$(($(stat -c %s "$SOUND_DIR/played.raw") / 2 * 2))
}

# The length in seconds of the recording since the mark, after the sox
# effects given.
seconds_since_mark() { # effect...
  tail -c +$((SOUND_MARK + 1)) "$SOUND_DIR/played.raw" >"$SOUND_DIR/since-mark.raw"
  sox -t raw -r "$SOUND_RATE" -e signed -b 16 -c 1 "$SOUND_DIR/since-mark.raw" -n "$@" stat 2>&1 |
    awk '/^Length/ {print $3}'
}

# Whether any sound has come since the mark.
sound_since_mark() {
  [ "$(seconds_since_mark silence 1 0.02 1%)" != 0.000000 ]
}

# How long after the mark the sound began, in seconds.
silence_before_sound() {
  awk -v all="$(seconds_since_mark)" -v sound="$(seconds_since_mark silence 1 0.02 1%)" \
    'BEGIN {printf "%.3f\n", all - sound}'
}

# How long the sound since the mark lasts without the silence around it
# (0.000000 for silence): once nothing more has come for a second, or after
# `wait` seconds of silence.
heard_seconds() { # wait
  local tries=0 heard last= still=0
  while sleep 0.25; do
    tries=$((tries + 1))
    heard=$(seconds_since_mark silence 1 0.02 1% reverse silence 1 0.02 1% reverse)
    [ "$heard" != 0.000000 ] && [ "$heard" = "$last" ] && still=$((still + 1)) || still=0
    last=$heard
    ((still < 4)) || break
    [ "$heard" != 0.000000 ] || ((tries < $1 * 4)) || break
  done
  echo "$heard"
}
