# Drives one copy of the real program under the X server of xvfb.sh, as a
# person would: clicks at client coordinates, typed keys, and the windows
# that appear and go. Every screen is a 780 x 600 window titled "Tavik";
# SCREENS holds the open ones, the main window first and the top one last.
TAVIK_DIR=
TAVIK_PID=
MAIN_WINDOW=
SCREENS=()
FOUND_WINDOW=
TAVIK_SESSION_STOPS=()

SCREEN_SIZE=780x600
SPLASH_SIZE=500x332
# A place on every screen where no control lies, in the book's own pixels.
readonly BARE_PAGE=(40 580)
# Device pixels per pixel of the book: above 1 where the program scales
# itself to fit a small screen.
TAVIK_SCALE=1

# Where the program runs scaled: windows sized and clicks placed by the
# factor, given in the book's own pixels as before.
expect_scaled_windows() { # factor
  TAVIK_SCALE=$1
  SCREEN_SIZE="$(scaled 780)x$(scaled 600)"
  SPLASH_SIZE="$(scaled 500)x$(scaled 332)"
}

scaled() { # pixels
  awk -v p="$1" -v s="$TAVIK_SCALE" 'BEGIN {printf "%d", p * s + 0.5}'
}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Runs a command every 50 ms until it succeeds, at most `tries` times.
poll() {
  local tries=$1 attempt
  shift
  for attempt in $(seq "$tries"); do
    "$@" && return 0
    sleep 0.05
  done
  return 1
}

tavik_windows() {
  xdotool search --onlyvisible --name '^Tavik$' 2>/dev/null || true
}

# The splash carries its title only in the newer of the two name properties,
# which xdotool does not always read; it is found by its class.
splash_window() {
  local id
  for id in $(xdotool search --onlyvisible --classname '^tavik$' 2>/dev/null); do
    if [ "$(window_size "$id")" = "$SPLASH_SIZE" ]; then
      echo "$id"
      return 0
    fi
  done
  return 1
}

window_size() {
  xdotool getwindowgeometry --shell "$1" 2>/dev/null |
    awk -F= '/^WIDTH/ {w = $2} /^HEIGHT/ {h = $2} END {print w "x" h}'
}

window_visible() {
  tavik_windows | grep -qx "$1"
}

# Sets FOUND_WINDOW to a visible Tavik window of the given size that is not
# one of the other arguments.
find_new_window() {
  local size=$1 id
  shift
  for id in $(tavik_windows); do
    case " $* " in *" $id "*) continue ;; esac
    if [ "$(window_size "$id")" = "$size" ]; then
      FOUND_WINDOW=$id
      return 0
    fi
  done
  return 1
}

# A window that is neither a screen nor the splash: a message box.
find_message_box() {
  local id size
  for id in $(tavik_windows); do
    size=$(window_size "$id")
    if [ "$size" != "$SCREEN_SIZE" ] && [ "$size" != "$SPLASH_SIZE" ]; then
      FOUND_WINDOW=$id
      return 0
    fi
  done
  return 1
}

# The learning record's charts are a module the program finds beside
# itself, as in the build folder.
copy_charts_module() { # binary directory
  local module
  module=$(dirname "$1")/tavik-progress-charts.so
  [ ! -e "$module" ] || cp "$module" "$2/"
}

# Copies the binary into the directory (where its ini files then land) and
# starts it there (in the learner's session of input_session.sh, if one is
# up); returns once the splash (shown for half a second, so
# polling sees it) has given way to the main window.
tavik_start() {
  local binary=$1
  TAVIK_DIR=$2
  cp "$binary" "$TAVIK_DIR/tavik"
  copy_charts_module "$binary" "$TAVIK_DIR"
  (cd "$TAVIK_DIR" && exec "${AS_LEARNER[@]}" ./tavik >>"$TAVIK_DIR/tavik.log" 2>&1) &
  TAVIK_PID=$!
  SPLASH_SEEN=no
  local attempt
  for attempt in $(seq 400); do
    if [ "$SPLASH_SEEN" = no ] && splash_window >/dev/null; then
      SPLASH_SEEN=yes
    fi
    if find_new_window "$SCREEN_SIZE"; then
      [ "$SPLASH_SEEN" = yes ] || fail "the splash was never on screen"
      MAIN_WINDOW=$FOUND_WINDOW
      SCREENS=("$MAIN_WINDOW")
      poll 100 eval '! splash_window >/dev/null' || fail "the splash stays up beside the main window"
      focus_window "$MAIN_WINDOW"
      return 0
    fi
    tavik_running || fail "tavik ended before its main window opened (X server $DISPLAY $(xdpyinfo >/dev/null 2>&1 && echo answers || echo is gone)): $(cat "$TAVIK_DIR/tavik.log")"
    sleep 0.05
  done
  fail "the main window did not open"
}

tavik_running() {
  [ -n "$TAVIK_PID" ] && [ -d "/proc/$TAVIK_PID" ] && [ "$(ps -o stat= -p "$TAVIK_PID" | cut -c1)" != Z ]
}

# Waits until the program has ended by itself, as it does at the close
# button: at once, with success, and with nothing reported on its way (a
# build with sanitizers reports there).
wait_for_tavik_end() {
  poll 200 eval '! tavik_running' || fail "tavik is still running"
  local status=0
  wait "$TAVIK_PID" 2>/dev/null || status=$?
  TAVIK_PID=
  SCREENS=()
  [ "$status" = 0 ] || fail "tavik ended with status $status: $(cat "$TAVIK_DIR/tavik.log")"
  if grep -qE 'runtime error:|Sanitizer' "$TAVIK_DIR/tavik.log"; then
    fail "tavik reported faults: $(cat "$TAVIK_DIR/tavik.log")"
  fi
}

# For the EXIT trap: ends a program that a failed check left running.
tavik_stop() {
  if tavik_running; then
    kill "$TAVIK_PID" 2>/dev/null || true
    wait "$TAVIK_PID" 2>/dev/null || true
  fi
  TAVIK_PID=
}

# Makes the scratch directory $work and starts the X server. However the
# script ends, the program is stopped, then the given commands run (stopping
# what else the script started), then the X server stops and $work goes.
start_tavik_session() {
  work=$(mktemp -d)
  TAVIK_SESSION_STOPS=("$@")
  trap end_tavik_session EXIT
  start_xvfb
}

end_tavik_session() {
  local stop
  tavik_stop
  for stop in "${TAVIK_SESSION_STOPS[@]}"; do
    "$stop"
  done
  stop_xvfb
  rm -rf "$work"
}

top_screen() {
  echo "${SCREENS[-1]}"
}

# Without a window manager no window becomes active by itself; keys go to
# the window that holds the input focus.
focus_window() {
  # --sync waits for ever if the window goes before it gets the focus.
  timeout 5 xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1" 2>/dev/null || true
}

# A click at client coordinates of the top screen.
click() {
  xdotool mousemove --window "$(top_screen)" "$(scaled "$1")" "$(scaled "$2")" click 1
}

press() {
  xdotool key --delay 30 "$@"
}

type_text() {
  xdotool type --delay 25 -- "$1"
}

# After a click or key that opens a modal screen: waits for it, focuses it.
expect_new_screen() {
  poll 200 find_new_window "$SCREEN_SIZE" "${SCREENS[@]}" || fail "${1:-a screen} did not open"
  SCREENS+=("$FOUND_WINDOW")
  focus_window "$FOUND_WINDOW"
}

# After a click or key that closes the top screen: waits until it is gone.
expect_screen_closed() {
  local top
  top=$(top_screen)
  poll 200 eval '! window_visible "$top"' || fail "${1:-the screen} did not close"
  unset 'SCREENS[-1]'
  focus_window "$(top_screen)"
}

# Sync points for checks that something did not happen: a picture button of
# the top screen, out until now, lights up under the pointer, then goes out
# when the pointer crosses the bare page. Each shows only once the program
# has handled every event sent before.
light_button() { # what x y
  local what=$1 x=$2 y=$3
  button_picture "$work/out-$x-$y.png" "$x" "$y" || fail "$what: the screen is gone"
  xdotool mousemove --window "$(top_screen)" "$x" "$y"
  poll 100 eval 'button_picture "$work/now.png" "$x" "$y" && ! same_pictures "$work/out-$x-$y.png" "$work/now.png"' ||
    fail "$what does not light up under the pointer"
}

put_button_out() { # what x y (lit by light_button)
  local what=$1 x=$2 y=$3
  xdotool mousemove --window "$(top_screen)" "${BARE_PAGE[@]}"
  poll 100 eval 'button_picture "$work/now.png" "$x" "$y" && same_pictures "$work/out-$x-$y.png" "$work/now.png"' ||
    fail "$what stays lit over the bare page"
}

# The top screen stays open after the events sent before; the picture
# button at x y, out until now, shows when they have been handled.
expect_screen_stays() { # what x y
  light_button "${1:-the screen}: the button at $2,$3" "$2" "$3"
  window_visible "$(top_screen)" || fail "${1:-the screen} closed"
  tavik_running || fail "tavik ended"
  [ -z "$(find_message_box && echo "$FOUND_WINDOW")" ] || fail "an unexpected message box opened"
  put_button_out "${1:-the screen}: the button at $2,$3" "$2" "$3"
}

# Waits for a message box, then dismisses it with Return.
dismiss_message_box() {
  poll 300 find_message_box || fail "no message box appeared${1:+: $1}"
  local box=$FOUND_WINDOW
  focus_window "$box"
  press Return
  poll 200 eval '! window_visible "$box"' || fail "the message box stayed open"
  focus_window "$(top_screen)"
}

# A piece of the picture button at x y of the top screen.
button_picture() { # file x y
  region_picture "$1" $(($2 - 10)) $(($3 - 5)) 20 10
}

# A picture of the top screen (or of the given window), cropped to it.
screenshot() {
  import -window "${2:-$(top_screen)}" "$1"
}

# The picture of one client area region of the top screen, for comparing
# what the learner sees before and after an action.
region_picture() { # file x y width height
  # import waits for ever on a window that went while it looked.
  timeout 10 import -window "$(top_screen)" -crop "$4x$5+$2+$3" +repage "$1"
}

same_pictures() {
  [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]
}
