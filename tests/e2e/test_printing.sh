#!/usr/bin/env bash
# Real printing through CUPS to a PDF queue: three copies of a two-page word
# question sheet must arrive as three documents of two pages each, with the
# sheet's texts; with the queue refusing jobs, and with no printer at all,
# printing must report its failure.
#
# The print screen is driven by the GUI test program beside the tavik binary,
# whose CUPS cases run only with TAVIK_CUPS=1.
set -euo pipefail

tavik=${1:?usage: test_printing.sh path/to/tavik}
screen_test=$(dirname "$tavik")/tests/test_frmPrint
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/cups.sh"

fail() { echo "FAIL: $*" >&2; exit 1; }

[[ -x $screen_test ]] || fail "test program missing: $screen_test"
[[ $(id -u) == 0 ]] || fail "needs root to install and run a CUPS scheduler"

work=$(mktemp -d)
cleanup() {
  stop_cups
  rm -rf "$work"
}
trap cleanup EXIT
start_cups

run_screen() {
  TAVIK_CUPS=1 QT_QPA_PLATFORM=offscreen QT_QPA_FONTDIR=/usr/share/fonts \
    "$screen_test" "$1" >"$work/$1.log" 2>&1 || { cat "$work/$1.log" >&2; fail "$1"; }
  grep -q "^PASS   : FrmPrintTest::$1()" "$work/$1.log" || { cat "$work/$1.log" >&2; fail "$1 did not run"; }
}

before=$(cups_finished_jobs)
run_screen printsThroughCups

# The spooled copies are what Qt sent; their text reads back exactly.
mapfile -t jobs < <(wait_for_printed_jobs 3 "$before")
((${#jobs[@]} == 3)) || fail "expected 3 spooled jobs, got ${#jobs[@]}"
# cups-pdf's documents are what came out of the printer.
mapfile -t documents < <(cups_pdf_documents)
((${#documents[@]} == 3)) || fail "expected 3 printed documents, got ${#documents[@]}"
for document in "${documents[@]}"; do
  pages=$(pdf_pages "$document")
  [[ $pages == 2 ]] || fail "$document has $pages pages, expected 2"
done

expect() { # file page text...
  local file=$1 page=$2 text
  shift 2
  text=$(pdf_page_text "$file" "$page")
  for wanted in "$@"; do
    grep -qF -- "$wanted" <<<"$text" || fail "page $page of $file lacks '$wanted'"
  done
}
reject() { # file page text
  pdftotext -f "$2" -l "$2" "$1" - | grep -qxF -- "$3" && fail "page $2 of $1 shows '$3'"
  return 0
}
for job in "${jobs[@]}"; do
  [[ $(pdf_pages "$job") == 2 ]] || fail "$job is not two pages"
  expect "$job" 1 "Tavik 単語問題" "1/2 Page" "Tavik ビジネス英単語ドリル" \
    "1." "20." "意味1 [5文字]" "意味6 [10文字]" "＿＿＿＿＿＿＿＿＿" "意味20 [10文字]"
  expect "$job" 2 "Tavik 単語問題" "2/2 Page" "Tavik ビジネス英単語ドリル" \
    "21." "30." "意味21 [4文字]" "意味30 [6文字]"
  reject "$job" 2 "31."
  reject "$job" 1 "21."
done
echo "3 copies arrived as 3 documents of 2 pages each"

# A queue that refuses jobs, and then no printer at all: the job must fail
# and say so. Once the queue takes jobs again, the three copies printed then
# come through after anything the refusing queue kept: only they may.
before=$(cups_finished_jobs)
cupsreject "$CUPS_QUEUE"
run_screen failedPrintingIsShown
cupsaccept "$CUPS_QUEUE"
run_screen printsThroughCups
wait_for_printed_jobs 3 "$before" >/dev/null || fail "a refused job was printed, or the next one was not"
[[ $(cups_pdf_documents | wc -l) == 6 ]] || fail "a refused job was printed"
echo "refusing queue: the failure message was shown"

lpadmin -x "$CUPS_QUEUE"
run_screen failedPrintingIsShown
echo "no printer: the failure message was shown"
echo PASS
