# A CUPS scheduler with a PDF queue as the default printer, for one test
# script: start_cups sets it up, stop_cups (from the script's EXIT trap)
# removes the queue and stops the scheduler if start_cups started it. Every
# job's file stays in the spool, where pdftotext reads the text Qt sent
# (cups-pdf's own output carries its glyphs as Type 3 fonts).
source "$(dirname "${BASH_SOURCE[0]}")/packages.sh"

CUPS_QUEUE=${CUPS_QUEUE:-TavikPDF}
CUPS_SPOOL=/var/spool/cups
# cups-pdf writes each document into the owner's home.
CUPS_PDF_DIR=$HOME/PDF
CUPSD_PID=
CUPS_STARTED=

cups_running() {
  lpstat -r 2>/dev/null | grep -q 'is running'
}

wait_for_cups() {
  local tries
  for tries in $(seq 200); do
    cups_running && return 0
    sleep 0.05
  done
  echo "CUPS scheduler did not start" >&2
  return 1
}

start_cups() {
  require_packages cups printer-driver-cups-pdf poppler-utils
  CUPS_STARTED=$(mktemp)
  # A scheduler already running belongs to someone else: use it, leave it running.
  if ! cups_running; then
    /usr/sbin/cupsd -f >/dev/null 2>&1 &
    CUPSD_PID=$!
  fi
  wait_for_cups
  lpadmin -p "$CUPS_QUEUE" -v cups-pdf:/ -E -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
  lpadmin -d "$CUPS_QUEUE"
  cupsctl PreserveJobFiles=yes
  wait_for_cups
}

stop_cups() {
  lpadmin -x "$CUPS_QUEUE" 2>/dev/null || true
  if [ -n "$CUPS_STARTED" ]; then
    cups_pdf_documents | xargs -r rm -f
    rm -f "$CUPS_STARTED"
    CUPS_STARTED=
  fi
  if [ -n "$CUPSD_PID" ]; then
    kill "$CUPSD_PID" 2>/dev/null || true
    wait "$CUPSD_PID" 2>/dev/null || true
    CUPSD_PID=
  fi
}

# The numbers of the queue's jobs that have finished, one a line, ascending.
cups_finished_jobs() {
  lpstat -W completed -o "$CUPS_QUEUE" 2>/dev/null |
    sed -n "s/^$CUPS_QUEUE-\([0-9]*\) .*/\1/p" | sort -n
}

# Waits until the queue holds no pending job and `count` jobs have finished
# that are not among `known` (a list of job numbers); prints the spooled file
# of each new job, oldest first.
wait_for_printed_jobs() {
  local count=$1 known=$2 tries job new=()
  for tries in $(seq 400); do
    if [ -z "$(lpstat -o "$CUPS_QUEUE" 2>/dev/null)" ]; then
      new=()
      for job in $(cups_finished_jobs); do
        grep -qx "$job" <<<"$known" || new+=("$job")
      done
      ((${#new[@]} >= count)) && break
    fi
    sleep 0.05
  done
  if ((${#new[@]} != count)); then
    echo "expected $count printed jobs, got ${#new[@]}" >&2
    return 1
  fi
  for job in "${new[@]}"; do
    printf '%s/d%05d-001\n' "$CUPS_SPOOL" "$job"
  done
}

# The documents cups-pdf has written since start_cups, oldest first.
cups_pdf_documents() {
  find "$CUPS_PDF_DIR" -maxdepth 1 -name 'Tavik*.pdf' -newer "$CUPS_STARTED" -printf '%T@ %p\n' 2>/dev/null |
    sort -n | cut -d' ' -f2-
}

pdf_pages() {
  pdfinfo "$1" | awk '/^Pages:/ {print $2}'
}

# The text of one page of a PDF, runs of blanks squeezed to one.
pdf_page_text() {
  pdftotext -f "$2" -l "$2" "$1" - | tr -s ' '
}
