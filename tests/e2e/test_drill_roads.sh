#!/usr/bin/env bash
# The roads of drills on screen through the real program: a search, the
# options clicked, the drill started, answers typed on two pages, paging,
# help, grading and back; once for each choice of words or sentences and of
# solving or checking. The two words missed in the first drill come back
# through the 苦手 pick and, answered right, leave it. A second run goes on
# from the statistics the first one stored, and the close button ends the
# program without saving.
# Along the way the English is heard once it shows as an answer, and never
# before grading, even after the speech service was killed mid-sentence;
# the second run finds no speech service and has no sound.
#
# The questions come in random order: the test reads each row's meaning or
# translation off the screen (through the accessibility tree) and types the
# answer the content files give for it.
set -euo pipefail
binary=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/packages.sh"
source "$here/lib/xvfb.sh"
source "$here/lib/tavik.sh"
source "$here/lib/screen_text.sh"
source "$here/lib/content.sh"
source "$here/lib/drill_rows.sh"
source "$here/lib/settings_files.sh"
source "$here/lib/main_window.sh"
source "$here/lib/sound.sh"

require_packages xvfb xdotool x11-utils imagemagick sqlite3 pulseaudio pulseaudio-utils sox \
  speech-dispatcher speech-dispatcher-espeak-ng
run_on_session_bus "$@"
start_tavik_session stop_sound_server
start_sound_server

# On the drill screens (their rows and boxes are read in lib/drill_rows.sh).
next_button=(269 542)
before_button=(117 542)
grade_button=(620 542)

search_for_two_pages st 10 drill

# Statistics as grading keeps them.
score=0 questions=0 rate=0 games=0
graded() { # right count
  score=$((score + $1))
  questions=$((questions + $2))
  rate=$(((($1 * 100 / $2) + games * rate) / (games + 1)))
  games=$((games + 1))
}

expect_level_panel() {
  expect_shown_at "${level_label[@]}" 初級 "the level"
  expect_shown_at "${games_label[@]}" "$games" "the number of gradings"
  expect_shown_at "${rate_label[@]}" "$rate" "the mean rate"
}

lower_panel() {
  region_picture "$1" 81 380 545 186
}

# Clicks at the place and expects a sound of min to max seconds (0 0 for
# silence, waited for `wait` seconds); HEARD is how long it lasted.
expect_heard() { # x y wait min max what
  mark_sound
  click "$1" "$2"
  HEARD=$(heard_seconds "$3")
  awk -v s="$HEARD" -v low="$4" -v high="$5" 'BEGIN {exit !(s >= low && s <= high)}' ||
    fail "$6 is heard for $HEARD s, not $4 to $5 s"
}

# PLACE_X and PLACE_Y: where the first label of the top screen at height y,
# from x-min on, shows the text (any text when it is empty).
find_label() { # y x-min text
  PLACE_Y=
  read -r PLACE_X PLACE_Y < <(screen_lines | awk -F'\t' -v y="$1" -v x="$2" -v text="$3" \
    '$1 == y && $2 >= x && (text == "" || $3 == text) {print $2, $1; exit}') || true
  [ -n "$PLACE_Y" ] || fail "no label '$3' at the height $1"
}

# --- First run: no ini files yet -------------------------------------------
tavik_start "$binary" "$work"
echo "the splash gave way to the main window"
[ ! -e "$work/conf.ini" ] && [ ! -e "$work/tavik.ini" ] || fail "ini files written before any drill"
expect_level_panel
expect_shown_at "${word_count_label[@]}" 0 "the word count"
expect_shown_at "${weak_count_label[@]}" "(0)" "the due count before any grading"

lower_panel "$work/masked.png"
# A button lights up under the pointer and stays lit until the pointer
# crosses the bare page.
search_button_picture() {
  region_picture "$1" 552 200 138 29
}
xdotool mousemove --window "$MAIN_WINDOW" 40 580
search_button_picture "$work/button-normal.png"
xdotool mousemove --window "$MAIN_WINDOW" "${search_button[@]}"
poll 40 eval 'search_button_picture "$work/button.png"; ! same_pictures "$work/button-normal.png" "$work/button.png"' ||
  fail "the search button does not light up under the pointer"
xdotool mousemove --window "$MAIN_WINDOW" "${free_word[@]}"
light_button "the random search button" "${random_button[@]}"
search_button_picture "$work/button.png"
same_pictures "$work/button-normal.png" "$work/button.png" && fail "the search box put the button out"
xdotool mousemove --window "$MAIN_WINDOW" "${BARE_PAGE[@]}"
poll 40 eval 'search_button_picture "$work/button.png"; same_pictures "$work/button-normal.png" "$work/button.png"' ||
  fail "the search button stays lit over the bare page"
# The random search with its prompt still in the box only asks for a count.
click "${random_button[@]}"
expect_message "問題数を選んでください"
light_button "the 苦手 button" "${weak_button[@]}"
lower_panel "$work/after-prompt.png"
same_pictures "$work/masked.png" "$work/after-prompt.png" || fail "the prompt message unmasked the panel"
put_button_out "the 苦手 button" "${weak_button[@]}"

# Help from the main window: keys do nothing there, Back closes it.
click "${help_button[@]}"
expect_new_screen "help"
press Escape Return
expect_screen_stays "help" "${help_back[@]}"
click "${help_back[@]}"
expect_screen_closed "help"

# A search that finds one word leaves the start button masked.
search abolish
expect_shown_at "${word_count_label[@]}" 1 "the word count of abolish"
click "${start_button[@]}"
expect_screen_stays "the main window" "${weak_button[@]}"
lower_panel "$work/one-word.png"
same_pictures "$work/masked.png" "$work/one-word.png" || fail "a one-word search unmasked the panel"
[ ! -e "$work/conf.ini" ] || fail "the masked start button started a drill"

# Japanese is searched in the meanings.
search 廃止
expect_shown_at "${word_count_label[@]}" "$(words_matching 廃止 | wc -l)" "the word count of 廃止"

# Enter in the search box runs the free-word search.
click "${free_word[@]}"
press ctrl+a
type_text "$search_text"
press Return
expect_shown_at "${word_count_label[@]}" "$word_count" "the word count of '$search_text'"
expect_shown_at "${sentence_count_label[@]}" "$sentence_count" "the sentence count of '$search_text'"
poll 40 eval 'lower_panel "$work/revealed.png"; ! same_pictures "$work/masked.png" "$work/revealed.png"' ||
  fail "the search for '$search_text' did not unmask the panel"
echo "searched '$search_text': $word_count words, $sentence_count sentences"

# Road 1: words, on screen, to solve. All right but the first row of each
# page; help in between, and paging back and forth before grading.
click "${option_sentences[@]}"
click "${option_words[@]}"
click "${option_pc[@]}"
click "${option_solve[@]}"
click "${start_button[@]}"
expect_new_screen "the word drill"
expect_config "$work" True True True
read_answers words
[ "$(shown_rows "$list_word_column" | tr '\n' ' ')" = "$(printf '%.1s ' "${ANSWERS[@]}")" ] ||
  fail "the answer boxes do not start with the answers' first letters"
RIGHT_ANSWERS=()
answer_page words 0
click "${help_button[@]}"
expect_new_screen "help over the word drill"
click "${help_back[@]}"
expect_screen_closed "help"
press Prior
expect_page 2
answer_page words 0
press Next
expect_page 1
press Prior
expect_page 2
# Where the first row's answer will show in red, silence before grading.
expect_heard 596 119 3 0 0 "the place of the answer before grading"
press Return
graded $((word_count - 2)) "$word_count"
# Clicked at once after grading, the word is heard (how soon is the speech
# benchmark's to measure; the bound here only tells a word from none).
expect_heard 596 119 15 0.3 2 "the red answer ${ANSWERS[0]}"
delay=$(silence_before_sound)
awk -v s="$delay" 'BEGIN {exit !(s <= 5)}' || fail "the red answer began $delay s after the click"
echo "the red answer ${ANSWERS[0]} began $delay s after the click and is heard for $HEARD s"
expect_statistics "$work" "" "$score" "$questions" "$rate" "$games"
screen_lines | cut -f3 | grep -qxF "$((word_count - 2))／${word_count}点" ||
  fail "the score label does not read $((word_count - 2))／${word_count}点"
for answer in "${RIGHT_ANSWERS[@]:10}"; do
  screen_lines | cut -f3 | grep -qxF "$answer" || fail "page 2 does not show the right answer $answer"
done
# Graded, Enter leads back; the main window shows the new statistics.
press Return
expect_screen_closed "the graded word drill"
expect_level_panel
echo "road words/screen/solve: $score of $questions right, rate $rate"

# The two missed words are due at once: the 苦手 pick takes exactly them
# and their sentences, and a search's result line shows it.
missed=("${RIGHT_ANSWERS[0]}" "${RIGHT_ANSWERS[10]}")
mapfile -t missed_keys < <(keys_of_headwords "${missed[@]}")
expect_shown_at "${weak_count_label[@]}" "(2)" "the due count after two wrong answers"
click "${weak_button[@]}"
expect_shown_at "${word_count_label[@]}" 2 "the word count of the 苦手 pick"
expect_shown_at "${sentence_count_label[@]}" "$(sentences_of "${missed_keys[@]}" | wc -l)" \
  "the sentence count of the 苦手 pick"
click "${start_button[@]}"
expect_new_screen "the drill of the missed words"
read_answers words
[ "$(printf '%s\n' "${ANSWERS[@]}" | sort)" = "$(printf '%s\n' "${missed[@]}" | sort)" ] ||
  fail "the 苦手 pick asks ${ANSWERS[*]}, not ${missed[*]}"
# Answered right they move to box 2, due tomorrow, and leave the pick.
RIGHT_ANSWERS=()
answer_page words
press Return
graded 2 2
expect_statistics "$work" "" "$score" "$questions" "$rate" "$games"
press Return
expect_screen_closed "the drill of the missed words"
expect_shown_at "${weak_count_label[@]}" "(0)" "the due count after the missed words were right"
for key in "${missed_keys[@]}"; do
  box=$(sqlite3 "$work/history.sqlite" "SELECT box FROM words WHERE word = $key")
  [ "$box" = 2 ] || fail "word $key is in box '$box' of the learning record, not 2"
done
click "${weak_button[@]}"
expect_message "復習する単語はありません"
expect_shown_at "${word_count_label[@]}" 2 "the word count after nothing was due"
echo "苦手 pick: ${missed[*]} picked, then right and in box 2"
search "$search_text"
expect_shown_at "${word_count_label[@]}" "$word_count" "the word count of '$search_text'"

# Road 2: sentences, on screen, to solve: every answer right.
click "${option_sentences[@]}"
click "${start_button[@]}"
expect_new_screen "the sentence drill"
expect_config "$work" False True True
RIGHT_ANSWERS=()
answer_page sentences
press Prior
expect_page 2
answer_page sentences
press Next
expect_page 1
press Prior
expect_page 2
# The first row's sentence line (before the blank, or after the box).
find_label 112 88 ""
line=($((PLACE_X + 4)) $((PLACE_Y + 6)))
expect_heard "${line[@]}" 2 0 0 "the sentence line before grading"
press Return
graded "$sentence_count" "$sentence_count"
# After grading, the red answer says the word, the line the longer sentence.
find_label 130 0 "${ANSWERS[0]}"
expect_heard $((PLACE_X + 4)) $((PLACE_Y + 6)) 5 0.3 2 "the red answer ${ANSWERS[0]}"
word_heard=$HEARD
expect_heard "${line[@]}" 5 "$(awk -v w="$word_heard" 'BEGIN {print w + 0.5}')" 20 "the sentence"
echo "the answer ${ANSWERS[0]} is heard for $word_heard s, its sentence for $HEARD s"
# A click while the sentence sounds cuts it: the word follows at once, not
# after the rest of the sentence.
sentence_heard=$HEARD
mark_sound
click "${line[@]}"
poll 200 sound_since_mark || fail "the sentence did not begin"
click $((PLACE_X + 4)) $((PLACE_Y + 6))
HEARD=$(heard_seconds 5)
awk -v h="$HEARD" -v s="$sentence_heard" -v w="$word_heard" 'BEGIN {exit !(h < s + w - 0.5)}' ||
  fail "the sentence went on under the click: $HEARD s heard for a sentence of $sentence_heard s and a word of $word_heard s"
echo "a click cut the sentence: $HEARD s heard for a sentence of $sentence_heard s and a word of $word_heard s"
# The speech service killed mid-sentence: the next click speaks again.
mark_sound
click "${line[@]}"
poll 200 sound_since_mark || fail "the sentence did not begin"
stop_speech_service KILL
heard_seconds 1 >/dev/null
expect_heard $((PLACE_X + 4)) $((PLACE_Y + 6)) 15 0.3 2 "the red answer after the service was killed"
expect_statistics "$work" "" "$score" "$questions" "$rate" "$games"
screen_lines | cut -f3 | grep -qxF "${sentence_count}／${sentence_count}点" ||
  fail "the score label does not read ${sentence_count}／${sentence_count}点"
press Escape
expect_screen_closed "the graded sentence drill"
expect_level_panel
echo "road sentences/screen/solve: rate $rate after $games drills"

cp "$work/tavik.ini" "$work/tavik.ini.graded"
expect_unchanged_statistics() {
  cmp -s "$work/tavik.ini.graded" "$work/tavik.ini" || fail "$1 changed tavik.ini"
}

# Road 3: words, on screen, to check, after a random pick of 15 words: each
# meaning stands beside its word, on both pages.
click "${random_box[@]}"
press ctrl+a
type_text "15問"
click "${random_button[@]}"
expect_shown_at "${word_count_label[@]}" 15 "the word count of a random pick"
click "${option_words[@]}"
click "${option_check[@]}"
click "${start_button[@]}"
expect_new_screen "the word list"
expect_config "$work" True True False
check_word_list_page() { # page
  local meanings words row
  mapfile -t meanings < <(shown_rows "$meaning_column")
  mapfile -t words < <(shown_rows "$list_word_column")
  ((${#meanings[@]} == $2 && ${#words[@]} == $2)) ||
    fail "page $1 of the word list shows ${#meanings[@]} meanings and ${#words[@]} words, not $2"
  for row in "${!meanings[@]}"; do
    headword_of_meaning "${meanings[$row]}" | grep -qxF -- "${words[$row]}" ||
      fail "the word list shows ${words[$row]} beside ${meanings[$row]}"
  done
}
check_word_list_page 1 10
expect_heard $((list_word_column + 4)) 118 5 0.3 2 "a word of the word list"
press Prior
expect_page 2
check_word_list_page 2 5
press Next
expect_page 1
click "${next_button[@]}"
expect_page 2
click "${before_button[@]}"
expect_page 1
press Return
expect_screen_stays "the word list on Enter" "${help_button[@]}"
press Escape
expect_screen_closed "the word list"
expect_unchanged_statistics "the word list"
echo "road words/screen/check: two pages of 15 words, nothing graded"

# Road 4: sentences, on screen, to check: whole sentences, no boxes.
click "${option_sentences[@]}"
click "${start_button[@]}"
expect_new_screen "the sentence list"
expect_config "$work" False True False
mapfile -t translations < <(shown_rows "$translation_column")
((${#translations[@]} == 10)) || fail "the sentence list shows ${#translations[@]} translations"
for text in "${translations[@]}"; do
  text=${text#　（}
  sentence=$(sentence_of_translation "${text%）【*}")
  screen_lines | cut -f3 | grep -qxF -- "$sentence" || fail "the sentence list does not show '$sentence'"
done
press Return
expect_screen_stays "the sentence list on Enter" "${help_button[@]}"
press Escape
expect_screen_closed "the sentence list"
expect_unchanged_statistics "the sentence list"
echo "road sentences/screen/check: whole sentences, nothing graded"

# The learning record saved as CSV from its screen holds every stored
# answer once, as a spreadsheet's CSV reader sees it.
click "${record_button[@]}"
expect_new_screen "the learning record"
click 269 542
poll 200 eval 'xdotool search --onlyvisible --name "^CSVで保存$" >"$work/dialog"' ||
  fail "the CSV save dialog did not open"
focus_window "$(head -1 "$work/dialog")"
press ctrl+a
type_text "$work/record.csv"
press Return
expect_message "CSVを保存しました"
press Escape
expect_screen_closed "the learning record"
/usr/bin/python3 - "$work/record.csv" "$work/history.sqlite" "$CONTENT_DIR/sentences.tsv" <<'PYTHON' || fail "the CSV is not the record"
import collections, csv, datetime, sqlite3, sys
with open(sys.argv[1], newline="", encoding="utf-8") as f:
    assert f.read(1) == "\ufeff", "no byte-order mark"
    rows = list(csv.reader(f))
with open(sys.argv[3], encoding="utf-8") as f:
    text = {r[0]: r[2] + r[3] + r[4] for r in (line.rstrip("\n").split("\t") for line in f)}
assert rows[0] == ["日時", "単語", "例文番号", "例文", "解答", "正誤"], rows[0]
stored = [(datetime.datetime.fromtimestamp(ms / 1000).strftime("%Y-%m-%d %H:%M:%S"), word,
           "" if sentence is None else str(sentence),
           "" if sentence is None else text[str(sentence)], typed, "正" if right else "誤")
          for ms, word, sentence, typed, right in sqlite3.connect(sys.argv[2]).execute(
              "SELECT graded_at, headword, sentence, typed, correct FROM answers")]
assert stored, "nothing stored"
assert collections.Counter(map(tuple, rows[1:])) == collections.Counter(stored), (rows, stored)
print(f"CSV: {len(stored)} stored answers, each once")
PYTHON

# The close button ends the program; option clicks since the last start are
# not saved.
click "${option_words[@]}"
click "${close_button[@]}"
wait_for_tavik_end
expect_config "$work" False True False
expect_unchanged_statistics "closing"

# --- Second run: the options and statistics of the first -------------------
# This time no speech service answers: it is looked for where none can
# start. The drills go as before, and nothing is heard.
stop_speech_service
export SPEECHD_ADDRESS=unix_socket:/proc/no-speech-service/speechd.sock
tavik_start "$binary" "$work"
expect_level_panel
search cu
mapfile -t keys < <(words_matching cu)
# The stored options still choose the sentence list; solve it this time,
# all right but the first row.
click "${option_solve[@]}"
click "${start_button[@]}"
expect_new_screen "the sentence drill of the second run"
expect_config "$work" False True True
RIGHT_ANSWERS=()
answer_page sentences 0
press Return
graded $((${#RIGHT_ANSWERS[@]} - 1)) "${#RIGHT_ANSWERS[@]}"
last_drill=${#RIGHT_ANSWERS[@]}
expect_statistics "$work" "" "$score" "$questions" "$rate" "$games"
find_label 130 0 "${ANSWERS[0]}"
expect_heard $((PLACE_X + 4)) $((PLACE_Y + 6)) 3 0 0 "the red answer without a speech service"
press Return
expect_screen_closed "the graded sentence drill"
expect_level_panel
echo "second run: $games drills, rate $rate"

# Closing from a drill screen ends the program; the typed answers are lost.
cp "$work/tavik.ini" "$work/tavik.ini.graded"
click "${option_words[@]}"
click "${start_button[@]}"
expect_new_screen "the word drill of the second run"
answer_page words
click "${close_button[@]}"
wait_for_tavik_end
expect_unchanged_statistics "closing an ungraded drill"
expect_config "$work" True True True
# history.sqlite alone holds every answer, the last drill's as graded: its
# sentence, the word that sentence drills with its headword, the text typed
# and the mark (every row right but the first).
[ ! -s "$work/history.sqlite-wal" ] || fail "the last answers stayed in the record's log"
cp "$work/history.sqlite" "$work/backup.sqlite"
sqlite3 -separator $'\t' "$work/backup.sqlite" "SELECT sentence, word, headword, typed, correct
  FROM answers WHERE graded_at = (SELECT MAX(graded_at) FROM answers) ORDER BY id" >"$work/last.tsv"
awk -F'\t' -v rows="$last_drill" '
  FILENAME ~ /words/ {headword[$1] = $2; next}
  FILENAME ~ /sentences/ {word[$1] = $2; answer[$1] = $4; next}
  {n++; if ($2 != word[$1] || $3 != headword[$2] || $5 != (n > 1) || ($5 && $4 != answer[$1])) bad++}
  END {exit !(n == rows && !bad)}' "$CONTENT_DIR/words.tsv" "$CONTENT_DIR/sentences.tsv" \
  "$work/last.tsv" || fail "the record holds the last drill as: $(cat "$work/last.tsv")"

# --- Third run: a laptop's screen at 150 %, too small for the book ---------
# 1366 x 768 at 150 % leaves 910 x 512 pixels: the program scales itself to
# a device pixel ratio of 1.2, and the word drill is clicked through in the
# book's own coordinates, paged with its button and graded.
stop_xvfb
XVFB_SCREEN=1366x768x24 start_xvfb
export QT_SCALE_FACTOR=1.5
expect_scaled_windows 1.2
tavik_start "$binary" "$work"
search "$search_text"
expect_shown_at "${word_count_label[@]}" "$word_count" "the word count on the fitted window"
click "${start_button[@]}"
expect_new_screen "the fitted word drill"
RIGHT_ANSWERS=()
answer_page words 0
click "${next_button[@]}"
expect_page 2
answer_page words
click "${grade_button[@]}"
graded $((word_count - 1)) "$word_count"
expect_statistics "$work" "" "$score" "$questions" "$rate" "$games"
screen_lines | cut -f3 | grep -qxF "$((word_count - 1))／${word_count}点" ||
  fail "the fitted drill does not read $((word_count - 1))／${word_count}点"
click "${before_button[@]}"
expect_page 1
press Escape
expect_screen_closed "the fitted word drill"
expect_level_panel
click "${close_button[@]}"
wait_for_tavik_end
echo "fitted to 1366 x 768 at 150 %: a word drill clicked through and graded"

# --- Fourth run: a netbook's 1024 x 600 at 100 %, scaled below 1 -----------
# The book is drawn whole at 90 %, the desk at its right edge; the speech
# service the drill starts inherits nothing of the fit.
stop_xvfb
XVFB_SCREEN=1024x600x24 start_xvfb
unset QT_SCALE_FACTOR SPEECHD_ADDRESS
expect_scaled_windows 0.9
tavik_start "$binary" "$work"
search "$search_text"
expect_shown_at "${word_count_label[@]}" "$word_count" "the word count on the window at 90 %"
region_picture "$work/edge.png" "$(scaled 772)" "$(scaled 300)" 1 1
(($(convert "$work/edge.png" -format '%[fx:int(255*lightness)]' info:) < 140)) ||
  fail "the window at 90 % shows the book cropped, not the desk at its edge"
click "${start_button[@]}"
expect_new_screen "the word drill at 90 %"
poll 200 speech_service_pid >/dev/null || fail "the drill at 90 % started no speech service"
! tr '\0' '\n' <"/proc/$(speech_service_pid)/environ" | grep -E '^(QT_SCALE_FACTOR|TAVIK_FITTED_TO_SCREEN)=' ||
  fail "the speech service inherited the fit"
press Escape
expect_screen_closed "the word drill at 90 %"
click "${close_button[@]}"
wait_for_tavik_end
echo "fitted to 1024 x 600: drawn whole at 90 %"
echo PASS
