#!/usr/bin/env bash
# Two copies of Tavik open at once on one tavik.ini take turns grading word
# drills. Each copy read the statistics when it started, yet every grading
# of both must end up in the file: each adds to what the file holds then.
# Both keep their learning record in the one history.sqlite beside it, and
# every answer of every grading lands there too.
set -euo pipefail
binary=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/xvfb.sh"

work=$(mktemp -d)
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
  stop_xvfb
}
trap cleanup EXIT

mkdir -p "$work/program" "$work/home"
cp "$binary" "$work/program/tavik"
printf '[STATISTICS]\nNAME=花子\nSCORE= 0\nQUESTIONS= 0\nRATE= 0\nNOG= 0\n' >"$work/program/tavik.ini"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
start_xvfb

visible_windows() {
  xdotool search --onlyvisible --name '^Tavik$' 2>/dev/null | sort || true
}

# Starts a copy and prints the id of its main window once it is up.
start_copy() {
  local before after tries=0
  before=$(visible_windows)
  "$work/program/tavik" >>"$work/tavik.log" 2>&1 &
  pids+=($!)
  while :; do
    after=$(comm -13 <(echo "$before") <(visible_windows) | head -1)
    [ -n "$after" ] && { echo "$after"; return 0; }
    tries=$((tries + 1))
    [ "$tries" -gt 200 ] && return 1
    sleep 0.05
  done
}

# The drill screen a click on the start button opened over main window $1.
wait_for_new_window() {
  local known=$1 tries=0 found
  while :; do
    found=$(comm -13 <(echo "$known") <(visible_windows) | head -1)
    [ -n "$found" ] && { echo "$found"; return 0; }
    tries=$((tries + 1))
    [ "$tries" -gt 200 ] && return 1
    sleep 0.05
  done
}

stored() {
  sed -n "s/^$1= *//p" "$work/program/tavik.ini" | tr -d '\r'
}

# One word drill of all 141 words on the copy with main window $1, graded
# at once and left again; tavik.ini must then count $2 drills.
grade_once() {
  local menu=$1 expected=$2 known drill tries=0
  xdotool windowraise "$menu"
  xdotool windowfocus --sync "$menu"
  xdotool mousemove --window "$menu" 340 209 click 1
  xdotool key Return
  known=$(visible_windows)
  xdotool mousemove --window "$menu" 368 517 click 1
  drill=$(wait_for_new_window "$known")
  xdotool windowfocus --sync "$drill"
  xdotool key Return
  until [ "$(stored NOG)" = "$expected" ]; do
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ]; then
      echo "after $expected gradings tavik.ini counts $(stored NOG)" >&2
      return 1
    fi
    sleep 0.05
  done
  xdotool key Escape
  tries=0
  while visible_windows | grep -qx "$drill"; do
    tries=$((tries + 1))
    [ "$tries" -gt 200 ] && { echo "the drill screen stayed open" >&2; return 1; }
    sleep 0.05
  done
}

first=$(start_copy)
second=$(start_copy)
for turn in 1 2 3; do
  grade_once "$first" $((2 * turn - 1))
  grade_once "$second" $((2 * turn))
done

test "$(stored NOG)" = 6
test "$(stored QUESTIONS)" = 846
test "$(stored NAME)" = 花子
test ! -e "$work/program/tavik.ini.lock"
recorded() {
  sqlite3 "$work/program/history.sqlite" "$1"
}
test "$(recorded 'SELECT count(*) FROM answers')" = 846
# Each drill left every answer box with its first letter only: all wrong.
test "$(recorded 'SELECT count(*) FROM words WHERE box = 1')" = 141
# Closed by the window manager while the other copy runs on, the first copy
# ends within a second, its answers folded into history.sqlite itself.
pid=$(xdotool getwindowpid "$first")
/usr/bin/python3 "$here/lib/close_window.py" "$first"
running() { ps -o stat= -p "$pid" | grep -qv Z; } # its parent, gone, cannot reap it
for _ in $(seq 20); do running || break; sleep 0.05; done
! running || { echo "the closed copy still runs" >&2; exit 1; }
cp "$work/program/history.sqlite" "$work/backup.sqlite"
test "$(sqlite3 "$work/backup.sqlite" 'SELECT count(*) FROM answers')" = 846

# The record held by another program (the sqlite3 shell) while the second
# copy grades: the window goes on, the statistics are stored, the answers
# wait; the lock let go, the × at once stores them: nothing promised is lost.
mkfifo "$work/shell"
sqlite3 "$work/program/history.sqlite" <"$work/shell" &
holder=$!
exec 7>"$work/shell"
echo 'BEGIN IMMEDIATE;' >&7
until ! sqlite3 -cmd '.timeout 0' "$work/program/history.sqlite" 'BEGIN IMMEDIATE;' 2>/dev/null; do
  sleep 0.05
done
grade_once "$second" 7
for _ in $(seq 400); do
  grep -q 'graded drills wait in memory' "$work/tavik.log" && break
  sleep 0.05
done
grep -q 'graded drills wait in memory' "$work/tavik.log"
test "$(recorded 'SELECT count(*) FROM answers')" = 846
echo 'COMMIT;' >&7
exec 7>&-
wait "$holder"
source "$here/lib/main_window.sh"
pid=$(xdotool getwindowpid "$second")
xdotool windowfocus --sync "$second"
xdotool mousemove --window "$second" "${close_button[@]}" click 1
for _ in $(seq 200); do running || break; sleep 0.05; done
! running || { echo "the second copy still runs after its ×" >&2; exit 1; }
test "$(stored NOG)" = 7
test "$(recorded 'SELECT count(*) FROM answers')" = $((846 + 141))
echo "two copies graded 3 drills each, then one more with the record held; tavik.ini and the learning record hold all 7"
