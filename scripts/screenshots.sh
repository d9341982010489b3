#!/usr/bin/env bash
# Takes the pictures in docs/screenshots/ of every screen of the real
# program, driven under Xvfb as a person would, each cropped to its window.
# Usage: scripts/screenshots.sh [path of a built tavik binary]
# Without a binary it installs what is missing and builds one in build/.
set -euo pipefail
TAVIK_E2E_SCRIPT=$(cd "$(dirname "$0")" && pwd)/$(basename "$0")
cd "$(dirname "$0")/.."
root=$(pwd)
binary=${1:-}
if [ -z "$binary" ]; then
  scripts/install-deps.sh
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build --target tavik >/dev/null
  binary=build/tavik
fi
binary=$(cd "$(dirname "$binary")" && pwd)/$(basename "$binary")

source tests/e2e/lib/packages.sh
source tests/e2e/lib/xvfb.sh
source tests/e2e/lib/tavik.sh
source tests/e2e/lib/screen_text.sh
source tests/e2e/lib/content.sh
source tests/e2e/lib/drill_rows.sh
source tests/e2e/lib/main_window.sh
require_packages xvfb xdotool x11-utils imagemagick
run_on_session_bus "$binary"

out=$root/docs/screenshots
mkdir -p "$out"
start_tavik_session

# The splash is up for half a second: take it as soon as it is mapped.
TAVIK_DIR=$work
cp "$binary" "$work/tavik"
copy_charts_module "$binary" "$work"
(cd "$work" && exec ./tavik >"$work/tavik.log" 2>&1) &
TAVIK_PID=$!
poll 200 eval 'splash=$(splash_window)' || fail "the splash did not show"
import -window "$splash" "$out/splash.png"
poll 200 find_new_window "$SCREEN_SIZE" || fail "the main window did not open"
MAIN_WINDOW=$FOUND_WINDOW
SCREENS=("$MAIN_WINDOW")
focus_window "$MAIN_WINDOW"
sleep 0.3
screenshot "$out/main-masked.png"

click "${free_word[@]}"
type_text st
press Return
sleep 0.3
screenshot "$out/main-revealed.png"

click "${help_button[@]}"
expect_new_screen help
sleep 0.3
screenshot "$out/help.png"
click "${help_back[@]}"
expect_screen_closed help

# Opens a screen from the main window with the given options clicked
# (words, sentences, paper, solve, check).
open_screen() { # name option...
  local name=$1 option place
  shift
  for option in "$@"; do
    place="option_$option[@]"
    click "${!place}"
  done
  click "${start_button[@]}"
  expect_new_screen "$name"
  sleep 0.3
}

# Takes the top screen and closes it.
take_and_close() { # name
  screenshot "$out/$1.png"
  press Escape
  expect_screen_closed "$1"
}

# One drill screen of each kind, before and after grading: every row
# answered right but the third, which keeps its first letter.
drill_screen() { # name kind
  open_screen "$1" "$2" solve
  RIGHT_ANSWERS=()
  answer_page "$2" 2
  sleep 0.3
  screenshot "$out/$1.png"
  press Return
  sleep 0.5
  take_and_close "$1-graded"
}
drill_screen word-drill words
drill_screen sentence-drill sentences

open_screen word-check words check
take_and_close word-check
open_screen sentence-check sentences check
take_and_close sentence-check

open_screen print-words words paper solve
take_and_close print-words
open_screen print-sentences sentences paper solve
take_and_close print-sentences

# The words missed in the two drills above, picked by the 苦手 button.
click "${weak_button[@]}"
xdotool mousemove --window "$MAIN_WINDOW" 40 580
sleep 0.3
screenshot "$out/main-weak-words.png"

# Near misses on a page, marked after grading where each went astray: a
# letter dropped, a capital, a blank at the end, two letters swapped, and
# every fifth row right.
misspelt_page() { # words|sentences
  local answer typed row=0
  read_answers "$1"
  click_first_box
  for answer in "${ANSWERS[@]}"; do
    ((row == 0)) || press Tab
    case $((row % 5)) in
    0) typed=${answer:0:2}${answer:3} ;;
    1) typed=${answer^} ;;
    2) typed="$answer " ;;
    3) typed=${answer:0:1}${answer:2:1}${answer:1:1}${answer:3} ;;
    *) typed=$answer ;;
    esac
    press ctrl+a
    type_text "$typed"
    row=$((row + 1))
  done
}
marked_drill() { # name kind
  open_screen "$1" "$2" pc solve
  misspelt_page "$2"
  press Return
  sleep 0.5
  take_and_close "$1"
}
search st
marked_drill word-drill-marked words
marked_drill sentence-drill-marked sentences

# The learning record of all the drills above.
click "${record_button[@]}"
expect_new_screen record
sleep 0.5
take_and_close record

click "${close_button[@]}"
wait_for_tavik_end
ls "$out"
