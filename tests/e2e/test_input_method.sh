#!/usr/bin/env bash
# Japanese typed through real input methods, the same steps under fcitx5 +
# Mozc and under IBus + Mozc: Mozc on in the search box and a conversion
# still open when 検索 is clicked; answer boxes that type English however
# hard the learner tries to switch Mozc on; grading by a click straight
# after typing; and Mozc back on in the search box after the drill.
set -euo pipefail
binary=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/packages.sh"
source "$here/lib/xvfb.sh"
source "$here/lib/tavik.sh"
source "$here/lib/screen_text.sh"
source "$here/lib/content.sh"
source "$here/lib/drill_rows.sh"
source "$here/lib/main_window.sh"
source "$here/lib/input_session.sh"

require_packages xvfb xdotool x11-utils imagemagick dbus at-spi2-core python3-pyatspi
if ! require_packages fcitx5 fcitx5-mozc fcitx5-frontend-qt6 ibus ibus-mozc 2>/dev/null; then
  echo "SKIP: the input method packages (fcitx5, fcitx5-mozc, fcitx5-frontend-qt6, ibus, ibus-mozc) cannot be installed here"
  exit 77
fi
start_tavik_session
# The learner's session lives in here.
chmod 755 "$work"

# On the drill screen.
grade_button=(620 542)
back_button=(437 542)
score_label=(560 68)

# The input method that takes the keys of the focused box: "mozc" or another.
input_method() {
  if [ "$method" = fcitx ]; then
    learner fcitx5-remote -n
  else
    learner ibus engine | sed 's/^mozc-jp$/mozc/'
  fi
}

expect_input_method() { # expected where
  local expected=$1 now
  poll 40 eval '[ "$(input_method)" = "$expected" ]' || {
    now=$(input_method)
    fail "$method: $2 has the input method '$now', not '$expected'"
  }
}

# What a learner does to type Japanese into the focused box: fcitx5 switches
# to Mozc with Ctrl+Space; under IBus Mozc is chosen as the engine and starts
# in direct input, which the 半角/全角 key turns to kana. IBus shares one
# engine among all boxes: once chosen it stays, and its kana mode with it.
switch_mozc_on() {
  [ "$(input_method)" = mozc ] && return 0
  if [ "$method" = fcitx ]; then
    press ctrl+space
  else
    learner ibus engine mozc-jp
    press Zenkaku_Hankaku
  fi
}

# Types the reading and converts it with Space; the conversion stays open
# (nothing confirms it). Returns once the box has changed and then held
# still for a moment, as a person waits to see the candidate.
compose() { # reading x y width height
  local box=("$2" "$3" "$4" "$5") changed=no tries
  region_picture "$work/before.png" "${box[@]}"
  type_text "$1"
  press space
  for tries in $(seq 40); do
    sleep 0.1
    region_picture "$work/now.png" "${box[@]}"
    if ! same_pictures "$work/before.png" "$work/now.png"; then
      mv "$work/now.png" "$work/before.png"
      changed=yes
    elif [ "$changed" = yes ]; then
      return 0
    fi
  done
  fail "$method: typing '$1' into the box at $2,$3 did not settle into a conversion"
}

# The texts of the text boxes on show, top to bottom, one a line.
box_texts() {
  screen_lines --boxes | cut -f5
}

expect_boxes() { # expected-texts... (the boxes of the top window, in order)
  local expected shown
  expected=$(printf '%s\n' "$@")
  poll 60 eval '[ "$(box_texts)" = "$expected" ]' || {
    shown=$(box_texts | tr '\n' ' ')
    fail "$method: the boxes hold '$shown', not '$*'"
  }
}

# A conversion still open in the search box, and a click on 検索: the
# search finds what the box shows, and the box shows the word once.
search_while_composing() { # reading word
  local words sentences
  words=$(words_matching "$2" | wc -l)
  sentences=$(sentences_of $(words_matching "$2") | wc -l)
  click "${free_word[@]}"
  expect_input_method mozc "the search box"
  press ctrl+a
  compose "$1" 304 200 129 19
  click "${search_button[@]}"
  expect_shown_at "${word_count_label[@]}" "$words" "$method: the word count of $2"
  expect_shown_at "${sentence_count_label[@]}" "$sentences" "$method: the sentence count of $2"
  expect_boxes "$2"
  echo "$method: $2 still converting, 検索 clicked: $words words, $sentences sentences, the box holds $2"
}

# Into the row's answer box, switching Mozc on there first, the answer typed
# over the hint letter.
answer_row() { # row answer
  local y x width height
  read -r y x width height _ < <(screen_lines --boxes | sed -n "$(($1 + 1))p")
  click $((x + width / 2)) $((y + height / 2))
  switch_mozc_on
  echo "$method: the answer box has '$(input_method)' after switching Mozc on"
  press ctrl+a
  type_text "$2"
}

run_steps() {
  method=$1
  local home=$work/$method
  mkdir -p "$home/program"
  start_learner_session "$method" "$home"
  trap stop_learner_session EXIT
  tavik_start "$binary" "$home/program"

  click "${free_word[@]}"
  switch_mozc_on
  search_while_composing haisi 廃止

  click "${option_words[@]}"
  click "${option_pc[@]}"
  click "${option_solve[@]}"
  click "${start_button[@]}"
  expect_new_screen "the word drill"
  read_answers words
  answer_row 0 "${ANSWERS[0]}"
  expect_boxes "${ANSWERS[0]}" "${ANSWERS[1]:0:1}"
  answer_row 1 "${ANSWERS[1]}"
  # Graded by a click straight after the last letter, nothing confirmed.
  click "${grade_button[@]}"
  expect_shown_at "${score_label[@]}" "2／2点" "$method: the score"
  expect_boxes "${ANSWERS[@]}"
  echo "$method: answers typed with Mozc switched on were English and graded right"

  click "${back_button[@]}"
  expect_screen_closed "the graded drill"
  # Mozc back on by itself.
  search_while_composing osenn 汚染
  stop_learner_session
}

failed=()
for method in fcitx ibus; do
  (run_steps "$method") || failed+=("$method")
done
((${#failed[@]} == 0)) || fail "the steps failed under: ${failed[*]}"
echo PASS
