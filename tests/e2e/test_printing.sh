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
queue=TavikPDF
pdf_dir=$HOME/PDF
spool=/var/spool/cups

fail() { echo "FAIL: $*" >&2; exit 1; }

[[ -x $screen_test ]] || fail "test program missing: $screen_test"
[[ $(id -u) == 0 ]] || fail "needs root to install and run CUPS"

if ! command -v cupsd >/dev/null || ! command -v pdftotext >/dev/null ||
   [[ ! -e /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd ]]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    cups printer-driver-cups-pdf poppler-utils >/dev/null
fi

work=$(mktemp -d)
cupsd_pid=
cleanup() {
  lpadmin -x "$queue" 2>/dev/null || true
  if [[ -n $cupsd_pid ]]; then
    kill "$cupsd_pid" 2>/dev/null || true
    wait "$cupsd_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

wait_for_scheduler() {
  for _ in $(seq 200); do
    lpstat -r 2>/dev/null | grep -q 'is running' && return 0
    sleep 0.05
  done
  fail "CUPS scheduler did not start"
}

# A scheduler already running belongs to someone else: use it, leave it running.
if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
  /usr/sbin/cupsd -f >"$work/cupsd.log" 2>&1 &
  cupsd_pid=$!
fi
wait_for_scheduler
lpadmin -p "$queue" -v cups-pdf:/ -E -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
lpadmin -d "$queue"
cupsctl PreserveJobFiles=yes
wait_for_scheduler

run_screen() {
  TAVIK_CUPS=1 QT_QPA_PLATFORM=offscreen QT_QPA_FONTDIR=/usr/share/fonts \
    "$screen_test" "$1" >"$work/$1.log" 2>&1 || { cat "$work/$1.log" >&2; fail "$1"; }
  grep -q "^PASS   : FrmPrintTest::$1()" "$work/$1.log" || { cat "$work/$1.log" >&2; fail "$1 did not run"; }
}

touch "$work/before"
sleep 0.01
run_screen printsThroughCups

# cups-pdf writes each document a little after the job arrives; a job is
# done once it has left the queue.
documents=()
for _ in $(seq 400); do
  if [[ -z $(lpstat -o "$queue" 2>/dev/null) ]]; then
    mapfile -t documents < <(find "$pdf_dir" -maxdepth 1 -name 'Tavik*.pdf' -newer "$work/before" 2>/dev/null | sort)
    ((${#documents[@]} >= 3)) && break
  fi
  sleep 0.05
done
((${#documents[@]} == 3)) || fail "expected 3 printed documents, got ${#documents[@]}"
for document in "${documents[@]}"; do
  pages=$(pdfinfo "$document" | awk '/^Pages:/ {print $2}')
  [[ $pages == 2 ]] || fail "$document has $pages pages, expected 2"
done

# The spooled copies are what Qt sent; their text reads back exactly.
mapfile -t jobs < <(find "$spool" -maxdepth 1 -name 'd*-001' -newer "$work/before" | sort)
((${#jobs[@]} == 3)) || fail "expected 3 spooled jobs, got ${#jobs[@]}"
expect() { # file page text...
  local file=$1 page=$2 text
  shift 2
  text=$(pdftotext -f "$page" -l "$page" "$file" - | tr -s ' ')
  for wanted in "$@"; do
    grep -qF -- "$wanted" <<<"$text" || fail "page $page of $file lacks '$wanted'"
  done
}
reject() { # file page text
  pdftotext -f "$2" -l "$2" "$1" - | grep -qxF -- "$3" && fail "page $2 of $1 shows '$3'"
  return 0
}
for job in "${jobs[@]}"; do
  [[ $(pdfinfo "$job" | awk '/^Pages:/ {print $2}') == 2 ]] || fail "$job is not two pages"
  expect "$job" 1 "Tavik 単語問題" "1/2 Page" "Tavik ビジネス英単語ドリル" \
    "1." "20." "意味1 [5文字]" "意味6 [10文字]" "＿＿＿＿＿＿＿＿＿" "意味20 [10文字]"
  expect "$job" 2 "Tavik 単語問題" "2/2 Page" "Tavik ビジネス英単語ドリル" \
    "21." "30." "意味21 [4文字]" "意味30 [6文字]"
  reject "$job" 2 "31."
  reject "$job" 1 "21."
done
rm -f "${documents[@]}"
echo "3 copies arrived as 3 documents of 2 pages each"

# A queue that refuses jobs, and then no printer at all: the job must fail
# and say so.
touch "$work/refused"
cupsreject "$queue"
run_screen failedPrintingIsShown
sleep 0.5
[[ -z $(find "$pdf_dir" -maxdepth 1 -name 'Tavik*.pdf' -newer "$work/refused") ]] ||
  fail "a refused job was printed"
echo "refusing queue: the failure message was shown"

lpadmin -x "$queue"
if lpstat -d 2>/dev/null | grep -q 'system default destination:'; then
  echo "SKIP: another default printer is set up here; not printing to it" >&2
else
  run_screen failedPrintingIsShown
  echo "no printer: the failure message was shown"
fi
echo PASS
