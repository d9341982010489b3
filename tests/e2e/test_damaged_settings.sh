#!/usr/bin/env bash
# The real program with settings files it cannot use as they are: a copy in
# a folder it may not write (run as the user nobody when the test runs as
# root, who could write anywhere) moves the learner's statistics to the
# user's configuration folder and comes up; binary garbage or a 10 MB
# tavik.ini beside it neither stops it nor gets overwritten at start. A
# learning record of random bytes is kept aside under a new name, and the
# copy drills and grades into a new one.
set -euo pipefail
binary=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/xvfb.sh"
source "$here/lib/tavik.sh"

work=$(mktemp -d)
chmod 755 "$work"
tavik_pid=
stop_tavik() {
  if [ -n "$tavik_pid" ]; then
    kill "$tavik_pid" 2>/dev/null || true
    wait "$tavik_pid" 2>/dev/null || true
    tavik_pid=
  fi
}
cleanup() {
  stop_tavik
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
  stop_xvfb
}
trap cleanup EXIT

as_learner=()
if [ "$(id -u)" = 0 ]; then
  as_learner=(runuser -u nobody --)
fi

# Starts the copy in folder $1 with home $2 and waits until it is up: its
# main window open (FOUND_WINDOW) and the splash gone, which its timer takes
# away once the program runs on with the settings read.
start_copy() {
  local folder=$1 home=$2
  "${as_learner[@]}" env HOME="$home" XDG_CONFIG_HOME="$home/.config" \
    XDG_RUNTIME_DIR="$home/run" DISPLAY="$DISPLAY" "$folder/tavik" >"$work/tavik.log" 2>&1 &
  tavik_pid=$!
  if ! poll 400 find_new_window "$SCREEN_SIZE" || ! poll 200 eval '! splash_window >/dev/null'; then
    echo "no main window, or the splash stays; the program said:" >&2
    cat "$work/tavik.log" >&2
    return 1
  fi
  kill -0 "$tavik_pid"
}

new_home() {
  mkdir -p "$1/run"
  chmod 700 "$1/run"
  if [ "$(id -u)" = 0 ]; then
    chown -R nobody "$1"
  fi
}

start_xvfb
statistics=$'[STATISTICS]\r\nNAME=\xe8\x8a\xb1\xe5\xad\x90\r\nSCORE= 21\r\nQUESTIONS= 30\r\nRATE= 70\r\nNOG= 3\r\n'

# A read-only program folder.
mkdir -p "$work/readonly"
cp "$binary" "$work/readonly/tavik"
printf '%s' "$statistics" >"$work/readonly/tavik.ini"
# The learner's own file: another account's would stay behind.
[ ${#as_learner[@]} = 0 ] || chown nobody "$work/readonly/tavik.ini"
chmod 555 "$work/readonly"
new_home "$work/home1"
start_copy "$work/readonly" "$work/home1"
stop_tavik
cmp <(printf '%s' "$statistics") "$work/home1/.config/tavik/tavik.ini"
cmp <(printf '%s' "$statistics") "$work/readonly/tavik.ini"
echo "read-only folder: statistics moved to the user's folder, program up"

# Damaged files in a writable folder.
for damage in garbage huge; do
  folder="$work/$damage"
  mkdir -p "$folder"
  cp "$binary" "$folder/tavik"
  if [ "$damage" = garbage ]; then
    head -c 65536 /dev/urandom >"$folder/tavik.ini"
    head -c 4096 /dev/urandom >"$folder/conf.ini"
  else
    "$here/../fuzz/make-large-input.sh" "$folder/tavik.ini"
  fi
  chmod -R a+rwX "$folder"
  cp "$folder/tavik.ini" "$work/before.ini"
  new_home "$work/home-$damage"
  start_copy "$folder" "$work/home-$damage"
  stop_tavik
  cmp "$work/before.ini" "$folder/tavik.ini"
  echo "$damage tavik.ini: program up, file untouched"
done

folder="$work/damaged-record"
mkdir -p "$folder"
cp "$binary" "$folder/tavik"
head -c 20000 /dev/urandom >"$folder/history.sqlite"
cp "$folder/history.sqlite" "$work/before.sqlite"
chmod -R a+rwX "$folder"
new_home "$work/home-record"
start_copy "$folder" "$work/home-record"
# A word drill of all 141 words, graded at once.
menu=$FOUND_WINDOW
xdotool windowfocus --sync "$menu"
xdotool mousemove --window "$menu" 340 209 click 1
xdotool key Return
xdotool mousemove --window "$menu" 368 517 click 1
poll 100 find_new_window "$SCREEN_SIZE" "$menu" || fail "the drill did not open"
xdotool windowfocus --sync "$FOUND_WINDOW"
xdotool key Return
poll 100 grep -q '^NOG= 1' "$folder/tavik.ini" 2>/dev/null || fail "the grading was not stored"
# The record is written after tavik.ini, on the recorder's thread; killed, the
# program would not wait for it.
recorded() { test "$(sqlite3 "$folder/history.sqlite" 'SELECT count(*) FROM answers')" = 141; }
poll 100 recorded 2>/dev/null || fail "the grading did not reach the record"
stop_tavik
cmp "$work/before.sqlite" "$folder"/history-damaged-*.sqlite
test "$(sqlite3 "$folder/history.sqlite" 'SELECT count(*) FROM answers')" = 141
echo "random-bytes history.sqlite: kept aside, a new record holds the graded drill"
