# A private Xvfb for one test script: start_xvfb starts it and sets DISPLAY,
# stop_xvfb (from the script's EXIT trap) stops it. Needs the packages xvfb,
# xdotool and x11-utils.
start_xvfb() {
  # Xvfb picks a free display number itself and tells it through a pipe:
  # scripts that look for a free number first race each other when tests
  # run side by side.
  local fifo display
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  if ! read -r -t 10 display <"$fifo"; then
    rm -f "$fifo"
    echo "Xvfb did not start" >&2
    return 1
  fi
  rm -f "$fifo"
  export DISPLAY=":$display"
  local tries=0
  until xdpyinfo >/dev/null 2>&1; do
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ]; then
      echo "Xvfb did not start" >&2
      return 1
    fi
    sleep 0.05
  done
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
