#!/usr/bin/env bash
# A person who cannot see the screen and uses no mouse does a whole drill:
# the screens are read through the accessibility tree (AT-SPI), every button
# and option is named in Japanese, and keys alone lead from the search to
# the graded drill and out of the program. Then the same drill on a Wayland
# compositor (Weston): no title bar offering maximize, and a maximize the
# compositor starts itself (Super+Shift+M) is taken without a protocol error;
# with an X display at hand the program uses X11 even on a Wayland desktop.
set -euo pipefail
binary=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)

# Assistive technology talks to the program over a session bus of its own.
source "$here/lib/packages.sh"
source "$here/lib/screen_text.sh"
run_on_session_bus "$binary"
source "$here/lib/xvfb.sh"
source "$here/lib/tavik.sh"

work=$(mktemp -d)
tavik_pid=
weston_pid=
stop_tavik() {
  if [ -n "$tavik_pid" ] && kill -0 "$tavik_pid" 2>/dev/null; then
    kill "$tavik_pid" 2>/dev/null || true
    wait "$tavik_pid" 2>/dev/null || true
  fi
  tavik_pid=
}
cleanup() {
  stop_tavik
  if [ -n "$weston_pid" ]; then
    kill "$weston_pid" 2>/dev/null || true
    wait "$weston_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
  stop_xvfb
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  if [ -f "$work/tree" ]; then
    echo "--- the window as assistive technology sees it:" >&2
    cat "$work/tree" >&2
  fi
  exit 1
}

# The tree of the top window, into $work/tree; the first reading waits for
# the accessibility registry to come up.
read_tree() {
  local tries
  for tries in $(seq 100); do
    if /usr/bin/python3 "$here/lib/screen_text.py" --tree >"$work/tree" 2>/dev/null; then
      return 0
    fi
    sleep 0.1
  done
  fail "the program's windows cannot be read"
}

# Waits until the top window holds a node with role and name (and, given,
# a description and the states), as "role<TAB>name<TAB>description<TAB>states".
expect_node() { # role name [description [states]]
  local pattern tries
  pattern=$(printf '%s\t%s\t' "$1" "$2")
  for tries in $(seq 60); do
    read_tree
    if [ $# -ge 4 ]; then
      grep -qxF "$(printf '%s\t%s\t%s\t%s' "$1" "$2" "$3" "$4")" "$work/tree" && return 0
    elif [ $# -ge 3 ]; then
      grep -qF "$(printf '%s\t%s\t%s\t' "$1" "$2" "$3")" "$work/tree" && return 0
    else
      grep -qF "$pattern" "$work/tree" && return 0
    fi
    sleep 0.05
  done
  fail "no $1 '$2' ${3:+($3) }${4:+[$4] }on the window"
}

# The name of the node that has the keyboard focus.
expect_focus() { # name
  local tries focused
  for tries in $(seq 60); do
    read_tree
    focused=$(awk -F'\t' '$4 ~ /(^|,)focused(,|$)/ {print $2}' "$work/tree" | tail -1)
    [ "$focused" = "$1" ] && return 0
    sleep 0.05
  done
  fail "the focus is on '$focused', not on '$1'"
}

count_nodes() { # role name
  read_tree
  grep -cF "$(printf '%s\t%s\t' "$1" "$2")" "$work/tree" || true
}

screens() {
  xdotool search --onlyvisible --name '^Tavik$' 2>/dev/null | wc -l
}

expect_screens() { # count
  local tries
  for tries in $(seq 200); do
    [ "$(screens)" = "$1" ] && return 0
    sleep 0.05
  done
  fail "$(screens) windows are open, not $1"
}

# Without a window manager a new window gets no keyboard focus by itself.
focus_top() {
  local top
  top=$(xdotool search --onlyvisible --name '^Tavik$' | tail -1)
  xdotool windowfocus --sync "$top" 2>/dev/null || xdotool windowfocus "$top"
}

press() {
  xdotool key --delay 40 "$@"
}

tab_to() { # name
  local step
  for step in $(seq 20); do
    read_tree
    awk -F'\t' '$4 ~ /focused/ {print $2}' "$work/tree" | grep -qxF "$1" && break
    press Tab
  done
  expect_focus "$1"
}

start_xvfb
cp "$binary" "$work/tavik"
(cd "$work" && exec ./tavik >"$work/tavik.log" 2>&1) &
tavik_pid=$!
wait_for_window Tavik >/dev/null || fail "the main window did not open"
expect_screens 1
focus_top

# The main window: named buttons, counts that say what they count.
expect_node "push button" "自由検索"
expect_node "push button" "ランダム検索"
expect_node "push button" "苦手な単語"
expect_node "label" "復習する単語 0語"
expect_node "push button" "ヘルプ"
expect_node "push button" "終了"
expect_node "label" "レベル 初級"
expect_node "label" "総採点回数 0回"
expect_focus "検索する語"
# Only controls that show and have a name: not the hidden Label7, not the
# mask over the lower panel.
/usr/bin/python3 "$here/lib/screen_text.py" --exposed >"$work/tree"
awk -F'\t' 'NR > 1 && ($2 == "" || $4 !~ /showing/)' "$work/tree" | grep -q . &&
  fail "hidden or unnamed nodes exposed: $(awk -F'\t' 'NR > 1 && ($2 == "" || $4 !~ /showing/)' "$work/tree")"

xdotool type --delay 30 produc
press Return
expect_node "label" "検索結果 3単語"
expect_node "label" "検索結果 3例文"
expect_node "radio button" "単語を選択" "選択中" "focusable,checked"
expect_node "radio button" "例文を選択" "未選択" "focusable"
expect_node "push button" "開始"

# Options by Tab and Space, past 今日の学習: sentences, then back to words.
press Tab Tab Tab Tab Tab Tab Tab
expect_focus "例文を選択"
press space
expect_node "radio button" "例文を選択" "選択中" "focused,focusable,checked"
expect_node "radio button" "単語を選択" "未選択" "focusable"
press shift+Tab
expect_focus "単語を選択"
press space
expect_node "radio button" "単語を選択" "選択中" "focused,focusable,checked"

# To the start button and into the word drill.
press Tab Tab Tab Tab Tab Tab
expect_focus "開始"
press Return
expect_screens 2
focus_top
expect_node "push button" "採点"
expect_node "push button" "再検索"
expect_node "label" "総問題数：3問"
expect_node "label" "page 1/1"
# Each box is said with its question: the meaning and, at 初級, the count.
for box in 1 2 3; do
  poll 60 eval 'read_tree; grep -qE "^text	解答 $box：.+【[0-9]+文字】		(focused,)?focusable,editable$" "$work/tree"' ||
    fail "answer box $box is not said with its question"
done
expect_focus "$(awk -F'\t' '$2 ~ /^解答 1：/ {print $2}' "$work/tree")"

# Three wrong answers, graded with Enter; the marks say so.
xdotool type --delay 30 x
press Tab
xdotool type --delay 30 y
press Tab
xdotool type --delay 30 z
press Return
expect_node "label" "0／3点"
[ "$(count_nodes "image" "不正解")" = 3 ] || fail "three marks 不正解 expected"
grep -qE '^text	.*editable' "$work/tree" && fail "graded answer boxes are still editable"
[ "$(count_nodes "push button" "採点")" = 0 ] || fail "grading is still offered"

# Enter after grading goes back; Tab to 終了 and Space end the program.
press Return
expect_screens 1
focus_top
expect_node "label" "総採点回数 1回"
expect_node "label" "復習する単語 3語"
tab_to "終了"
press space
for tries in $(seq 100); do
  kill -0 "$tavik_pid" 2>/dev/null || break
  sleep 0.05
done
kill -0 "$tavik_pid" 2>/dev/null && fail "the program is still running after 終了"
status=0
wait "$tavik_pid" || status=$?
tavik_pid=
[ "$status" = 0 ] || fail "the program ended with status $status"
if grep -qE 'runtime error:|Sanitizer' "$work/tavik.log"; then
  fail "the program reported faults: $(cat "$work/tavik.log")"
fi
grep -q 'QUESTIONS= 3' "$work/tavik.ini" || fail "the grading was not stored: $(cat "$work/tavik.ini")"
echo "a whole drill done by keyboard and read through the accessibility tree"

# On Wayland: Weston inside this X server, whose x11 backend gives it the
# input seat Qt needs, without its on-screen keyboard. WAYLAND_DEBUG shows
# what the program asks of the compositor.
require_packages weston qt6-wayland
printf '[input-method]\npath=\n' >"$work/weston.ini"
weston --config="$work/weston.ini" --backend=x11-backend.so --socket=tavik-e2e \
  --width=1024 --height=768 --idle-time=0 >"$work/weston.log" 2>&1 &
weston_pid=$!
poll 100 test -S "$XDG_RUNTIME_DIR/tavik-e2e" || fail "weston did not start: $(cat "$work/weston.log")"
(cd "$work" && WAYLAND_DISPLAY=tavik-e2e QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 \
  exec ./tavik >"$work/tavik.log" 2>"$work/wayland.log") &
tavik_pid=$!
xdotool windowfocus --sync "$(xdotool search --class '^Weston Compositor$' | head -1)"
expect_node "push button" "自由検索"
xdotool type --delay 30 produc
press Return
expect_node "label" "検索結果 3単語"
tab_to "開始"
press Return
expect_node "push button" "採点"
xdotool type --delay 30 x
press Return
expect_node "label" "0／3点"
# Every window as big as its screen: Qt drew no title bar (its own always
# offers maximize); and the windows name their desktop entry.
geometries=$(grep -o 'set_window_geometry([^)]*)' "$work/wayland.log" | sort -u)
[ "$geometries" = "$(printf 'set_window_geometry(0, 0, 500, 332)\nset_window_geometry(0, 0, 780, 600)')" ] ||
  fail "windows drawn with a frame: $geometries"
grep -qF 'set_app_id("tavik")' "$work/wayland.log" || fail "no desktop file name on the windows"
grep -qE 'xdg_toplevel@[0-9]+\.set_parent\(xdg_toplevel@[0-9]+\)' "$work/wayland.log" ||
  fail "the drill is not a transient window of the main window"
press super+shift+m
configured='xdg_toplevel@[0-9]+\.configure\([1-9][0-9]*, [0-9]+'
poll 60 grep -qE "$configured" "$work/wayland.log" || fail "Weston did not maximize the drill"
size=$(grep -oE "$configured" "$work/wayland.log" | tail -1 | cut -d'(' -f2)
poll 60 grep -qF "set_window_geometry(0, 0, $size)" "$work/wayland.log" ||
  fail "the maximized drill did not take $size"
# Drawn at that size, then still answering.
poll 60 eval "sed -n '/set_window_geometry(0, 0, $size)/,\$ p' \"\$work/wayland.log\" | grep -q 'wl_surface@[0-9]*\.commit()'" ||
  fail "the program did not draw the maximized drill: $(grep -i error "$work/wayland.log" | tail -3)"
kill -0 "$tavik_pid" 2>/dev/null || fail "the program died on a maximize: $(grep -i error "$work/wayland.log" | tail -3)"
expect_node "label" "0／3点"
stop_tavik
echo "on Wayland: a drill graded, no title bar, a maximize to $size taken"

# A Wayland desktop with an X display: the program asks for X11 itself.
(cd "$work" && exec env -u QT_QPA_PLATFORM WAYLAND_DISPLAY=tavik-e2e XDG_SESSION_TYPE=wayland \
  ./tavik >"$work/tavik.log" 2>&1) &
tavik_pid=$!
window=$(wait_for_window Tavik) || fail "no X11 window: the program did not use xcb"
# Panels and task switchers show the program's icon.
xprop -id "$window" -notype 32c _NET_WM_ICON | grep -q '^_NET_WM_ICON = 256, 256,' || fail "the window carries no icon"
stop_tavik
echo "with DISPLAY set and no platform chosen, the program uses X11; its window has the icon"
