#!/usr/bin/env bash
# The roads of drills on paper through the real program: a search, the
# options clicked, the print screen paged, two copies chosen and printed to
# a CUPS PDF queue, the message dismissed and back; once for each choice of
# words or sentences and of question or answer sheets. Every copy must
# arrive as a document of its own with every question of the drill.
set -euo pipefail
binary=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/packages.sh"
source "$here/lib/xvfb.sh"
source "$here/lib/cups.sh"
source "$here/lib/tavik.sh"
source "$here/lib/screen_text.sh"
source "$here/lib/content.sh"
source "$here/lib/settings_files.sh"
source "$here/lib/main_window.sh"

[ "$(id -u)" = 0 ] || fail "needs root to install and run CUPS"
require_packages xvfb xdotool x11-utils imagemagick
run_on_session_bus "$@"
start_tavik_session stop_cups
start_cups

# On the print screens.
copies_box=(605 283)
print_button=(629 318)
pdf_button=(629 362)

search_for_two_pages co 20 sheet

preview() {
  region_picture "$1" 128 88 361 473
}

# Pages through the preview: Page Up shows page 2 and stops there, Page Down
# comes back to page 1 and stops there. A key that must do nothing is
# followed by one that must act: once that shows, the first has had its turn.
page_through_preview() {
  preview "$work/page1.png"
  press Prior
  poll 40 eval 'preview "$work/page2.png"; ! same_pictures "$work/page1.png" "$work/page2.png"' ||
    fail "Page Up did not show page 2"
  press Prior Next
  poll 100 eval 'preview "$work/back1.png"; same_pictures "$work/page1.png" "$work/back1.png"' ||
    fail "Page Down did not come back to page 1 after a Page Up on the last page: it went past"
  press Next Prior
  poll 100 eval 'preview "$work/again2.png"; same_pictures "$work/page2.png" "$work/again2.png"' ||
    fail "Page Up did not show page 2 after a Page Down on the first page: it went before"
  press Next
  poll 100 eval 'preview "$work/back1.png"; same_pictures "$work/page1.png" "$work/back1.png"' ||
    fail "Page Down did not come back to page 1"
}

# The copies list drops down as a window of its own beside the screens,
# found by its class: xdotool does not always read its name.
list_dropped_down() {
  xdotool search --onlyvisible --classname '^tavik$' | grep -qvxF -e "${SCREENS[0]}" -e "${SCREENS[-1]}"
}

# Chooses two copies in the drop-down list, prints with Enter (or with the
# print button, if asked), dismisses the message and prints the spooled file
# of each document that arrived.
print_two_copies() {
  local before
  before=$(cups_finished_jobs)
  click "${copies_box[@]}"
  poll 200 list_dropped_down || fail "the copies list did not drop down"
  press Down Return
  poll 60 eval 'screen_lines | cut -f3 | grep -qxF 2枚' || fail "the copies box does not show 2枚"
  if [ "${1:-}" = button ]; then
    click "${print_button[@]}"
  else
    press Return
  fi
  expect_message "印刷が完了しました"
  wait_for_printed_jobs 2 "$before" >"$work/jobs"
}

# Saves the sheets as a PDF through the save dialog, the path typed over the
# proposed one, and names the file in $work/jobs as if it were a printed job.
save_pdf() { # path
  local dialog=(xdotool search --onlyvisible --name '^PDFで保存$')
  click "${pdf_button[@]}"
  poll 200 eval '"${dialog[@]}" >"$work/dialog"' || fail "the save dialog did not open"
  focus_window "$(head -1 "$work/dialog")"
  press ctrl+a
  type_text "$1"
  press Return
  expect_message "PDFを保存しました"
  echo "$1" >"$work/jobs"
}

# Every printed document has both pages, each with the header and its page
# label, and together they hold every expected line of the drill.
check_documents() { # header, then a file of the lines every copy must hold
  local header=$1 expected=$2 job page text
  while read -r job; do
    [ "$(pdf_pages "$job")" = 2 ] || fail "$job has $(pdf_pages "$job") pages, not 2"
    text=
    for page in 1 2; do
      pdf_page_text "$job" "$page" >"$work/page.txt"
      grep -qF "$header" "$work/page.txt" || fail "page $page of $job lacks '$header'"
      grep -qF "$page/2" "$work/page.txt" || fail "page $page of $job lacks its page label $page/2"
      text+=$(cat "$work/page.txt")$'\n'
    done
    while IFS= read -r line; do
      grep -qF -- "$line" <<<"$text" || fail "$job lacks '$line'"
    done <"$expected"
  done <"$work/jobs"
}

tavik_start "$binary" "$work"
search "$search_text"

# Road 5: words on paper, question sheets.
click "${option_words[@]}"
click "${option_paper[@]}"
click "${option_solve[@]}"
click "${start_button[@]}"
expect_new_screen "the word print screen"
expect_config "$work" True False True
page_through_preview
# Help over the print screen leaves the preview as it was.
click "${help_button[@]}"
expect_new_screen "help over the print screen"
click "${help_back[@]}"
expect_screen_closed "help"
poll 40 eval 'preview "$work/after-help.png"; same_pictures "$work/page1.png" "$work/after-help.png"' ||
  fail "help changed the preview"
print_two_copies
for key in "${keys[@]}"; do
  headword=$(word_field "$key" 1)
  printf '%s [%s]\n' "$(word_field "$key" 2)" "$(letter_hint "$headword")"
done >"$work/expected"
echo "＿" >>"$work/expected"
check_documents "Tavik 単語問題" "$work/expected"
if grep -qxF "$(word_field "${keys[0]}" 1)" <(pdf_page_text "$(head -1 "$work/jobs")" 1; pdf_page_text "$(head -1 "$work/jobs")" 2); then
  fail "a question sheet shows an answer"
fi
# The PDF holds what each printed copy holds, once.
save_pdf "$work/words.pdf"
check_documents "Tavik 単語問題" "$work/expected"
press Escape
expect_screen_closed "the word print screen"
echo "road words/paper/solve: 2 copies of 2 pages, $word_count questions each"

# Road 6: words on paper, answer sheets.
click "${option_check[@]}"
click "${start_button[@]}"
expect_new_screen "the word answer print screen"
expect_config "$work" True False False
print_two_copies button
for key in "${keys[@]}"; do
  word_field "$key" 1
done >"$work/expected"
check_documents "Tavik 単語解答" "$work/expected"
press Escape
expect_screen_closed "the word answer print screen"
echo "road words/paper/check: 2 copies of the answers"

# Road 7: sentences on paper, answer sheets: every whole sentence.
click "${option_sentences[@]}"
click "${start_button[@]}"
expect_new_screen "the sentence answer print screen"
expect_config "$work" False False False
page_through_preview
print_two_copies
sentences_of "${keys[@]}" | awk -F'\t' '{print $3 $4 $5; print "（" $6 "）"}' | tr -s ' ' >"$work/expected"
check_documents "Tavik 例文解答" "$work/expected"
press Escape
expect_screen_closed "the sentence answer print screen"
echo "road sentences/paper/check: 2 copies of $sentence_count sentences"

# Road 8: sentences on paper, question sheets: the words around the blank,
# never the answer, and the translation with the answer's letter count.
click "${option_solve[@]}"
click "${start_button[@]}"
expect_new_screen "the sentence print screen"
expect_config "$work" False False True
print_two_copies
sentences_of "${keys[@]}" | awk -F'\t' '{print $3; print "（" $6 "） [" length($4) "文字]"}' |
  sed 's/ *$//' | tr -s ' ' | grep -v '^$' >"$work/expected"
check_documents "Tavik 例文問題" "$work/expected"
press Escape
expect_screen_closed "the sentence print screen"
echo "road sentences/paper/solve: 2 copies of $sentence_count questions"

click "${close_button[@]}"
wait_for_tavik_end
[ ! -e "$work/tavik.ini" ] || fail "printing wrote statistics"
echo PASS
