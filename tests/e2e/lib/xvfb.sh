# A private Xvfb for one test script: start_xvfb starts it and sets DISPLAY,
# stop_xvfb (from the script's EXIT trap) stops it. Needs the packages xvfb,
# xdotool and x11-utils. XVFB_SCREEN sets the screen (1280x1024x24).

# The programs a script starts see this server alone, whatever the caller's
# shell chose (a GUI test session exports QT_QPA_PLATFORM=offscreen, a
# desktop its Wayland display, scale and input method); a step that wants
# one of these sets it itself.
unset DISPLAY WAYLAND_DISPLAY XDG_SESSION_TYPE QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME \
  QT_STYLE_OVERRIDE QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR \
  QT_ENABLE_HIGHDPI_SCALING QT_SCALE_FACTOR_ROUNDING_POLICY QT_FONT_DPI QT_IM_MODULE XMODIFIERS \
  GTK_IM_MODULE
# A script ended by a signal (a closed terminal, Ctrl+C, the runner's
# timeout) still goes through its EXIT trap, which ends what it started.
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM
start_xvfb() {
  # Two scripts that both find a display number free may start their servers
  # on it at once; only one gets the lock file, which names its owner. A
  # server is ours once the lock names it and it answers.
  local display tries
  for display in $(shuf -i 100-299 -n 40); do
    [ -e "/tmp/.X$display-lock" ] && continue
    # Without -noreset the server resets whenever its last client leaves
    # (the xdpyinfo below, a program that ended), refusing connections
    # for a moment.
    Xvfb ":$display" -screen 0 "${XVFB_SCREEN:-1280x1024x24}" -nolisten tcp -noreset >/dev/null 2>&1 &
    XVFB_PID=$!
    for tries in $(seq 100); do
      kill -0 "$XVFB_PID" 2>/dev/null || break
      if [ -e "/tmp/.X$display-lock" ] && [ "$(tr -d ' ' <"/tmp/.X$display-lock")" = "$XVFB_PID" ] &&
        DISPLAY=":$display" xdpyinfo >/dev/null 2>&1; then
        export DISPLAY=":$display"
        return 0
      fi
      sleep 0.05
    done
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  done
  XVFB_PID=
  echo "Xvfb did not start" >&2
  return 1
}

stop_xvfb() {
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  fi
}

# Waits until a visible window with the exact title exists; prints its id.
wait_for_window() {
  local title=$1 tries=0 id
  while :; do
    id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | tail -1 || true)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    tries=$((tries + 1))
    if [ "$tries" -gt 200 ]; then
      return 1
    fi
    sleep 0.05
  done
}
