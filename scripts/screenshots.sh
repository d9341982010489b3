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
require_packages xvfb xdotool x11-utils imagemagick
run_on_session_bus "$binary"

out=$root/docs/screenshots
mkdir -p "$out"
work=$(mktemp -d)
cleanup() {
  tavik_stop
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT
start_xvfb

# The splash is up for half a second: take it as soon as it is mapped.
TAVIK_DIR=$work
cp "$binary" "$work/tavik"
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

click 368 209
type_text st
press Return
sleep 0.3
screenshot "$out/main-revealed.png"

click 680 37
expect_new_screen help
sleep 0.3
screenshot "$out/help.png"
click 405 526
expect_screen_closed help

# One drill screen of each kind, before and after grading: every row
# answered right but the third, which keeps its first letter.
drill_screen() { # name option-x kind
  click "$2" 434
  click 414 434
  click 368 517
  expect_new_screen "$1"
  RIGHT_ANSWERS=()
  answer_page "$3" 2
  sleep 0.3
  screenshot "$out/$1.png"
  press Return
  sleep 0.5
  screenshot "$out/$1-graded.png"
  press Escape
  expect_screen_closed "$1"
}
drill_screen word-drill 134 words
drill_screen sentence-drill 198 sentences

check_screen() { # name option-x
  click "$2" 434
  click 506 434
  click 368 517
  expect_new_screen "$1"
  sleep 0.3
  screenshot "$out/$1.png"
  press Escape
  expect_screen_closed "$1"
}
check_screen word-check 134
check_screen sentence-check 198

print_screen() { # name option-x
  click "$2" 434
  click 334 434
  click 414 434
  click 368 517
  expect_new_screen "$1"
  sleep 0.3
  screenshot "$out/$1.png"
  press Escape
  expect_screen_closed "$1"
}
print_screen print-words 134
print_screen print-sentences 198

click 714 36
wait_for_tavik_end
ls "$out"
