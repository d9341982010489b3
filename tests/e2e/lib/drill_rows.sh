# The question rows of the drill screens as the learner reads them, and
# answers typed into them. Needs tavik.sh, screen_text.sh and content.sh.

# The columns (x in the window) of the rows' numbers, of the meanings (word
# screen), of the translations (sentence screen) and of the answer boxes or,
# in list mode, the words (word screen).
number_column=56
meaning_column=96
translation_column=104
list_word_column=432

# At level 初級 a row's text ends with the answer's letter count, and its
# answer box starts with the answer's first letter.
strip_hint() { # text answer
  local hint="【${#2}文字】"
  [ "${1%"$hint"}" != "$1" ] || fail "'$1' does not end with the hint $hint"
  echo "${1%"$hint"}"
}

# The answers of the rows on show, top to bottom, into ANSWERS, found from
# what the rows show: the meanings on the word screen, the translations on
# the sentence screen.
read_answers() { # words|sentences
  local column text answer
  [ "$1" = words ] && column=$meaning_column || column=$translation_column
  mapfile -t texts < <(shown_rows "$column")
  ANSWERS=()
  for text in "${texts[@]}"; do
    if [ "$1" = words ]; then
      answer=$(headword_of_meaning "${text%【*}")
    else
      text=${text#　（}
      answer=$(answer_of_translation "${text%）【*}")
    fi
    [ -n "$answer" ] || fail "no $1 question reads '$text'"
    strip_hint "$text" "$answer" >/dev/null
    ANSWERS+=("$answer")
  done
}

# The texts of one column of the question rows, top to bottom (the buttons
# along the foot of the page are no row).
shown_rows() { # x
  screen_lines | awk -F'\t' -v x="$1" '$2 == x && $1 < 520 {print $3}'
}

# Waits until the drill screen shows the page: its first row's number.
expect_page() { # page
  local first=$((($1 - 1) * 10 + 1)) tries
  for tries in $(seq 60); do
    shown_rows "$number_column" | grep -xE "[0-9]+\." | head -1 | grep -qxF "$first." && return 0
    sleep 0.05
  done
  fail "page $1 is not on show"
}

# Clicks into the answer box of the first row on show (on the sentence
# screen the box follows the text before the blank).
click_first_box() {
  local y x width height
  read -r y x width height _ < <(screen_lines --boxes | head -1)
  [ -n "$height" ] || fail "no answer box on show"
  click $((x + width / 2)) $((y + height / 2))
}

# Types the answers into the boxes of one page, starting in the first box;
# Tab leads from box to box, and the focus stays in the last one (past it
# lie the buttons, which take Enter for themselves once tabbed to). Rows
# named in `wrong` keep their first letter only. The page's right answers
# are added to RIGHT_ANSWERS.
answer_page() { # words|sentences wrong-rows...
  local kind=$1 answer row=0
  shift
  read_answers "$kind"
  ((${#ANSWERS[@]} > 0)) || fail "no questions on show"
  click_first_box
  for answer in "${ANSWERS[@]}"; do
    ((row == 0)) || press Tab
    if [[ " $* " != *" $row "* ]]; then
      press ctrl+a
      type_text "$answer"
    fi
    row=$((row + 1))
  done
  RIGHT_ANSWERS+=("${ANSWERS[@]}")
}
