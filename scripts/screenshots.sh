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

# Today's study after those drills: the words missed, then new ones.
click "${today_button[@]}"
xdotool mousemove --window "$MAIN_WINDOW" 40 580
sleep 0.3
screenshot "$out/main-today.png"

# Near misses on a page, marked after grading where each went astray: a
# letter dropped, a capital, a blank at the end, two letters swapped, and
# every fifth row right; stair and stare, wherever they are, mixed up.
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
    case $answer in
    stair) typed=stare ;;
    stare) typed=stair ;;
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

# Screens too small for the book, the whole screen taken: the main window
# and a graded word drill on a 1366 x 768 laptop at 150 % and on 1920 x 1080
# at 200 % (the desktop's scale given as QT_SCALE_FACTOR), which the
# program fits at a device pixel ratio of 1.2 and 1.7.
fitted_screens() { # screen desktop-scale fitted-ratio name
  stop_xvfb
  XVFB_SCREEN=$1x24 start_xvfb
  expect_scaled_windows "$3"
  QT_SCALE_FACTOR=$2 tavik_start "$binary" "$work"
  search st
  expect_shown_at "${word_count_label[@]}" 12 "the word count"
  import -window root "$out/fitted-$4-main.png"
  for option in words pc solve; do
    place="option_$option[@]"
    click "${!place}"
  done
  click "${start_button[@]}"
  expect_new_screen "the fitted word drill"
  answer_page words 2
  press Return
  poll 60 eval 'screen_lines | cut -f3 | grep -q "点$"' || fail "the fitted drill was not graded"
  import -window root "$out/fitted-$4-drill-graded.png"
  press Escape
  expect_screen_closed "the fitted word drill"
}
fitted_screens 1920x1080 2 1.7 1920x1080-200
click "${close_button[@]}"
wait_for_tavik_end
# Screens smaller than the book: a netbook's 1024 x 600 and 800 x 600, both
# fitted at 0.9, with the record of the drill just graded.
for small in 1024x600 800x600; do
  fitted_screens "$small" 1 0.9 "$small"
  click "${record_button[@]}"
  expect_new_screen "the fitted learning record"
  sleep 0.5
  import -window root "$out/fitted-$small-record.png"
  press Escape
  expect_screen_closed "the fitted learning record"
  click "${close_button[@]}"
  wait_for_tavik_end
done

# The save dialog of the PDF in Japanese (Qt's own translations), with two
# earlier sheets whose names differ only in their middle; on the laptop at
# 150 %, fitted too.
mkdir -p "$work/home/Documents"
touch "$work/home/Documents/Tavik 単語問題 2026-12-01.pdf" "$work/home/Documents/Tavik 単語解答 2026-12-01.pdf"
export HOME=$work/home LANG=ja_JP.UTF-8
fitted_screens 1366x768 1.5 1.2 1366x768-150
click "${option_paper[@]}"
click "${start_button[@]}"
expect_new_screen "the print screen"
click 629 362
poll 200 eval 'dialog=$(xdotool search --onlyvisible --name "^PDF" | head -1)' ||
  fail "the save dialog did not open"
poll 60 eval 'import -window "$dialog" "$out/save-dialog-ja.png"'
focus_window "$dialog"
press Escape
poll 200 eval '! window_visible "$dialog"' || fail "the save dialog stayed open"
click "${close_button[@]}"
wait_for_tavik_end
ls "$out"
