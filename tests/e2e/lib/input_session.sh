# A learner's desktop session with a real Japanese input method: a session
# bus, fcitx5 or IBus with Mozc, and the program started in it (by
# tavik_start, through AS_LEARNER). Mozc refuses to run as root, so when the
# test runs as root the session belongs to the user nobody, with a home and
# runtime folder of its own; the X server, the clicks and the screenshots
# stay root's. Needs tavik.sh.
declare -a AS_LEARNER
LEARNER_RUNTIME=
INPUT_METHOD_PID=
LEARNER_BUS_PID=

# The profile of fcitx5: the plain US keyboard, and Mozc beside it (Ctrl+Space
# switches between them).
write_fcitx_profile() { # home
  mkdir -p "$1/.config/fcitx5"
  cat >"$1/.config/fcitx5/profile" <<'EOF'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=mozc

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=mozc
Layout=

[GroupOrder]
0=Default
EOF
}

# Starts the session for fcitx or ibus in the folder `home`, which the
# program's folder may lie in: both become the learner's.
start_learner_session() { # fcitx|ibus home
  local method=$1 home=$2 user=()
  LEARNER_RUNTIME=$home/run
  mkdir -p "$LEARNER_RUNTIME"
  chmod 700 "$LEARNER_RUNTIME"
  [ "$method" = fcitx ] && write_fcitx_profile "$home"
  if [ "$(id -u)" = 0 ]; then
    chown -R nobody:nogroup "$home"
    user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  fi
  AS_LEARNER=("${user[@]}" env HOME="$home" XDG_CONFIG_HOME="$home/.config"
    XDG_RUNTIME_DIR="$LEARNER_RUNTIME" DBUS_SESSION_BUS_ADDRESS="unix:path=$LEARNER_RUNTIME/bus"
    DISPLAY="$DISPLAY" GSETTINGS_BACKEND=memory QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    QT_IM_MODULE="$method" XMODIFIERS="@im=$method")
  "${AS_LEARNER[@]}" dbus-daemon --session --nofork --address="unix:path=$LEARNER_RUNTIME/bus" \
    >"$home/bus.log" 2>&1 &
  LEARNER_BUS_PID=$!
  poll 100 test -S "$LEARNER_RUNTIME/bus" || fail "the session bus did not start"
  if [ "$method" = fcitx ]; then
    "${AS_LEARNER[@]}" fcitx5 >"$home/im.log" 2>&1 &
    INPUT_METHOD_PID=$!
    poll 200 eval 'learner fcitx5-remote >/dev/null' || fail "fcitx5 did not start: $(cat "$home/im.log")"
  else
    # ibus-daemon exits when its parent does: this shell stays its parent.
    "${AS_LEARNER[@]}" ibus-daemon --panel=disable --emoji-extension=disable --config=disable \
      >"$home/im.log" 2>&1 &
    INPUT_METHOD_PID=$!
    poll 200 eval 'learner ibus engine xkb:us::eng >/dev/null' || fail "IBus did not start: $(cat "$home/im.log")"
  fi
}

# Runs a command in the learner's session; what it reports on stderr is dropped.
learner() {
  "${AS_LEARNER[@]}" "$@" 2>/dev/null
}

# Ends the program, the input method, Mozc and the helpers the bus started
# (all carry the session's runtime folder in their environment), then the bus.
stop_learner_session() {
  local pid
  tavik_stop
  [ -n "$LEARNER_RUNTIME" ] || return 0
  for pid in $INPUT_METHOD_PID $(grep -lsF "XDG_RUNTIME_DIR=$LEARNER_RUNTIME" /proc/[0-9]*/environ |
    cut -d/ -f3); do
    [ "$pid" = "$LEARNER_BUS_PID" ] || kill "$pid" 2>/dev/null || true
  done
  kill "$LEARNER_BUS_PID" 2>/dev/null || true
  wait "$INPUT_METHOD_PID" "$LEARNER_BUS_PID" 2>/dev/null || true
  LEARNER_RUNTIME=
  AS_LEARNER=()
}
