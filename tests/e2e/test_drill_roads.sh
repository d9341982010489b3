#!/usr/bin/env bash
# The roads of drills on screen through the real program: a search, the
# options clicked, the drill started, answers typed on two pages, paging,
# help, grading and back; once for each choice of words or sentences and of
# solving or checking. A second run goes on from the statistics the first
# one stored, and the close button ends the program without saving.
#
# The drills come in random order, so the answers typed are chosen to give a
# known score whatever the order: one answer word typed into every box is
# right exactly where its question stands.
set -euo pipefail
binary=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/packages.sh"
source "$here/lib/xvfb.sh"
source "$here/lib/tavik.sh"
source "$here/lib/content.sh"
source "$here/lib/settings_files.sh"

require_packages xvfb xdotool x11-utils imagemagick
work=$(mktemp -d)
cleanup() {
  tavik_stop
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT
start_xvfb

# Places on the main window (client coordinates, the middle of each control).
free_word=(368 209)
search_button=(620 214)
random_box=(384 274)
random_button=(620 273)
option_words=(134 434)
option_sentences=(198 434)
option_pc=(286 434)
option_solve=(414 434)
option_check=(506 434)
start_button=(368 517)
help_button=(680 37)
close_button=(714 36)
# On the help screen.
help_back=(405 526)
# On the drill screens; the answer box of row k is 40 px below row 0's.
first_word_box=(500 124)
next_button=(269 542)
before_button=(117 542)

# The drill's texts: "st" finds words whose answers are all different, and
# one of them, custody, has two example sentences that both ask for it.
search_text=st
answer=custody
mapfile -t keys < <(words_matching "$search_text")
word_count=${#keys[@]}
sentence_count=$(sentences_of "${keys[@]}" | wc -l)
sentence_hits=$(sentences_of "${keys[@]}" | awk -F'\t' -v a="$answer" '$4 == a' | wc -l)
((word_count > 10 && word_count <= 20 && sentence_count > 10 && sentence_count <= 20)) ||
  fail "the search text no longer gives two pages of each drill"
((sentence_hits == 2)) || fail "custody should be asked by two sentences"

# Statistics as grading keeps them.
score=0 questions=0 rate=0 games=0
graded() { # right count
  score=$((score + $1))
  questions=$((questions + $2))
  rate=$(((($1 * 100 / $2) + games * rate) / (games + 1)))
  games=$((games + 1))
}

search() {
  click "${free_word[@]}"
  press ctrl+a
  type_text "$1"
  click "${search_button[@]}"
}

lower_panel() {
  region_picture "$1" 81 380 545 186
}

# The numbers of word and sentence questions chosen.
count_line() {
  region_picture "$1" 160 340 400 35
}

# The level, the number of gradings and the mean rate.
level_panel() {
  region_picture "$1" 220 100 460 70
}

# Types the answer into the boxes of one page, the focus in the first box:
# every box starts with the level's hint, which the answer replaces; Tab
# leads from box to box and, after the page's last box, back to the first.
answer_page() { # boxes
  local box
  for box in $(seq "$1"); do
    press ctrl+a
    type_text "$answer"
    press Tab
  done
}

page_count() {
  echo $((($1 + 9) / 10))
}

# --- First run: no ini files yet -------------------------------------------
tavik_start "$binary" "$work"
echo "the splash gave way to the main window"
[ ! -e "$work/conf.ini" ] && [ ! -e "$work/tavik.ini" ] || fail "ini files written before any drill"

lower_panel "$work/masked.png"
level_panel "$work/level-first-run.png"
# The random search with its prompt still in the box only asks for a count.
click "${random_button[@]}"
dismiss_message_box "the prompt for a question count"
lower_panel "$work/after-prompt.png"
same_pictures "$work/masked.png" "$work/after-prompt.png" || fail "the prompt message unmasked the panel"

# Help from the main window: keys do nothing there, Back closes it.
click "${help_button[@]}"
expect_new_screen "help"
press Escape Return
expect_screen_stays "help"
click "${help_back[@]}"
expect_screen_closed "help"

# A search that finds one word leaves the start button masked.
search abolish
[ "$(words_matching abolish | wc -l)" = 1 ] || fail "abolish should be one word"
lower_panel "$work/one-word.png"
same_pictures "$work/masked.png" "$work/one-word.png" || fail "a one-word search unmasked the panel"
click "${start_button[@]}"
expect_screen_stays "the main window"
[ ! -e "$work/conf.ini" ] || fail "the masked start button started a drill"

# Enter in the search box runs the free-word search.
click "${free_word[@]}"
press ctrl+a
type_text "$search_text"
press Return
poll 40 eval 'lower_panel "$work/revealed.png"; ! same_pictures "$work/masked.png" "$work/revealed.png"' ||
  fail "the search for '$search_text' did not unmask the panel"
echo "searched '$search_text': $word_count words, $sentence_count sentences"

# Road 1: words, on screen, to solve. Answers on both pages, help in between.
click "${option_sentences[@]}"
click "${option_words[@]}"
click "${option_pc[@]}"
click "${option_solve[@]}"
click "${start_button[@]}"
expect_new_screen "the word drill"
expect_config "$work" True True True
click "${first_word_box[@]}"
answer_page 10
click "${help_button[@]}"
expect_new_screen "help over the word drill"
click "${help_back[@]}"
expect_screen_closed "help"
press Prior
answer_page $((word_count - 10))
press Next
sleep 0.2
press Prior
region_picture "$work/ungraded.png" 0 0 780 100
press Return
graded 1 "$word_count"
expect_statistics "$work" "" "$score" "$questions" "$rate" "$games"
region_picture "$work/graded.png" 0 0 780 100
same_pictures "$work/ungraded.png" "$work/graded.png" && fail "no score shown after grading"
# Graded, the boxes are locked and Enter leads back.
press Return
expect_screen_closed "the graded word drill"
echo "road words/screen/solve: $score of $questions right, rate $rate"

# Road 2: sentences, on screen, to solve.
click "${option_sentences[@]}"
click "${start_button[@]}"
expect_new_screen "the sentence drill"
expect_config "$work" False True True
answer_page 10
press Prior
answer_page $((sentence_count - 10))
press Next Prior Return
graded "$sentence_hits" "$sentence_count"
expect_statistics "$work" "" "$score" "$questions" "$rate" "$games"
press Escape
expect_screen_closed "the graded sentence drill"
echo "road sentences/screen/solve: rate $rate after $games drills"

cp "$work/tavik.ini" "$work/tavik.ini.graded"
expect_unchanged_statistics() {
  cmp -s "$work/tavik.ini.graded" "$work/tavik.ini" || fail "$1 changed tavik.ini"
}

# Road 3: words, on screen, to check, after a random pick of 15 words.
count_line "$work/counts-search.png"
click "${random_box[@]}"
press ctrl+a
type_text "15問"
click "${random_button[@]}"
poll 40 eval 'count_line "$work/counts-random.png"; ! same_pictures "$work/counts-search.png" "$work/counts-random.png"' ||
  fail "the random pick of 15 words did not change the counts"
click "${option_words[@]}"
click "${option_check[@]}"
click "${start_button[@]}"
expect_new_screen "the word list"
expect_config "$work" True True False
region_picture "$work/word-list-1.png" 0 60 780 460
press Prior
poll 40 eval 'region_picture "$work/word-list-2.png" 0 60 780 460; ! same_pictures "$work/word-list-1.png" "$work/word-list-2.png"' ||
  fail "Page Up did not show page 2 of 15 words"
shows_list_page() { # number
  region_picture "$work/word-list.png" 0 60 780 460
  same_pictures "$work/word-list-$1.png" "$work/word-list.png"
}
press Next
poll 40 shows_list_page 1 || fail "Page Down did not come back to page 1"
click "${next_button[@]}"
poll 40 shows_list_page 2 || fail "the Next button did not show page 2"
click "${before_button[@]}"
poll 40 shows_list_page 1 || fail "the Previous button did not come back to page 1"
press Return
expect_screen_stays "the word list on Enter"
press Escape
expect_screen_closed "the word list"
expect_unchanged_statistics "the word list"
echo "road words/screen/check: two pages of 15 words, nothing graded"

# Road 4: sentences, on screen, to check.
click "${option_sentences[@]}"
click "${start_button[@]}"
expect_new_screen "the sentence list"
expect_config "$work" False True False
region_picture "$work/sentence-list-1.png" 0 60 780 460
same_pictures "$work/word-list-1.png" "$work/sentence-list-1.png" && fail "the sentence list shows the word list"
press Return
expect_screen_stays "the sentence list on Enter"
press Escape
expect_screen_closed "the sentence list"
expect_unchanged_statistics "the sentence list"
echo "road sentences/screen/check: nothing graded"

# The close button ends the program; option clicks since the last start are
# not saved.
click "${option_words[@]}"
click "${close_button[@]}"
wait_for_tavik_end
expect_config "$work" False True False
expect_unchanged_statistics "closing"

# --- Second run: the options and statistics of the first -------------------
tavik_start "$binary" "$work"
level_panel "$work/level-second-run.png"
same_pictures "$work/level-first-run.png" "$work/level-second-run.png" &&
  fail "the second run shows the level panel of a learner without gradings"
search cu
mapfile -t keys < <(words_matching cu)
sentence_count=$(sentences_of "${keys[@]}" | wc -l)
# The stored options still choose the sentence list; solve it this time.
click "${option_solve[@]}"
click "${start_button[@]}"
expect_new_screen "the sentence drill of the second run"
expect_config "$work" False True True
answer_page "$sentence_count"
press Return
graded "$sentence_hits" "$sentence_count"
expect_statistics "$work" "" "$score" "$questions" "$rate" "$games"
echo "second run: $games drills, rate $rate"
press Return
expect_screen_closed "the graded sentence drill"

# Closing from a drill screen ends the program; the typed answers are lost.
cp "$work/tavik.ini" "$work/tavik.ini.graded"
click "${option_words[@]}"
click "${start_button[@]}"
expect_new_screen "the word drill of the second run"
click "${first_word_box[@]}"
answer_page "${#keys[@]}"
click "${close_button[@]}"
wait_for_tavik_end
expect_unchanged_statistics "closing an ungraded drill"
expect_config "$work" True True True
echo PASS
