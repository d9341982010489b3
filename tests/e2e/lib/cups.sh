# A CUPS scheduler of the test's own with a PDF queue as its default
# printer: start_cups sets it up, stop_cups (from the script's EXIT trap)
# stops it and removes everything it made. Its configuration, spool and logs
# live in a temporary folder and it listens only on a socket there; the
# exported CUPS_SERVER and CUPS_SERVERROOT send the program and the lp tools
# to it. The machine's own scheduler, its printers and /etc/cups are never
# touched, whatever queues the machine has. Every job's file stays in the
# spool, where pdftotext reads the text Qt sent (cups-pdf's own output
# carries its glyphs as Type 3 fonts).
source "$(dirname "${BASH_SOURCE[0]}")/packages.sh"

CUPS_QUEUE=${CUPS_QUEUE:-TavikPDF}
CUPS_ROOT=
CUPS_SPOOL=
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
    kill -0 "$CUPSD_PID" 2>/dev/null || break
    sleep 0.05
  done
  echo "CUPS scheduler did not start: $(cat "$CUPS_ROOT/log/error_log" 2>/dev/null)" >&2
  return 1
}

start_cups() {
  require_packages cups printer-driver-cups-pdf poppler-utils
  CUPS_ROOT=$(mktemp -d)
  CUPS_SPOOL=$CUPS_ROOT/spool
  mkdir -p "$CUPS_ROOT"/{etc/ppd,etc/ssl,spool/tmp,cache,state,log}
  # Filters run as lp and read the spooled files.
  chmod 0755 "$CUPS_ROOT"
  chgrp lp "$CUPS_SPOOL" "$CUPS_SPOOL/tmp" "$CUPS_ROOT/cache" "$CUPS_ROOT/state"
  chmod 0710 "$CUPS_SPOOL"
  chmod 1770 "$CUPS_SPOOL/tmp"
  chmod 0770 "$CUPS_ROOT/cache" "$CUPS_ROOT/state"
  cat >"$CUPS_ROOT/etc/cups-files.conf" <<EOF
ServerRoot $CUPS_ROOT/etc
RequestRoot $CUPS_SPOOL
TempDir $CUPS_SPOOL/tmp
CacheDir $CUPS_ROOT/cache
StateDir $CUPS_ROOT/state
AccessLog $CUPS_ROOT/log/access_log
ErrorLog $CUPS_ROOT/log/error_log
PageLog $CUPS_ROOT/log/page_log
SystemGroup root
FileDevice No
EOF
  cat >"$CUPS_ROOT/etc/cupsd.conf" <<EOF
Listen $CUPS_ROOT/cups.sock
LogLevel warn
Browsing No
WebInterface No
PreserveJobFiles Yes
PreserveJobHistory Yes
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
  export CUPS_SERVER=$CUPS_ROOT/cups.sock CUPS_SERVERROOT=$CUPS_ROOT/etc
  CUPS_STARTED=$(mktemp)
  /usr/sbin/cupsd -f -c "$CUPS_ROOT/etc/cupsd.conf" -s "$CUPS_ROOT/etc/cups-files.conf" \
    >"$CUPS_ROOT/log/cupsd.out" 2>&1 &
  CUPSD_PID=$!
  wait_for_cups
  lpadmin -p "$CUPS_QUEUE" -v cups-pdf:/ -E -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
  lpadmin -d "$CUPS_QUEUE"
}

stop_cups() {
  if [ -n "$CUPSD_PID" ]; then
    kill "$CUPSD_PID" 2>/dev/null || true
    wait "$CUPSD_PID" 2>/dev/null || true
    CUPSD_PID=
  fi
  if [ -n "$CUPS_STARTED" ]; then
    cups_pdf_documents | xargs -r rm -f
    rm -f "$CUPS_STARTED"
    CUPS_STARTED=
  fi
  if [ -n "$CUPS_ROOT" ]; then
    rm -rf "$CUPS_ROOT"
    CUPS_ROOT=
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
