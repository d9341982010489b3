# What the learner reads on the program's windows, through the accessibility
# tree (AT-SPI; packages at-spi2-core and python3-pyatspi). The program runs
# with accessibility on, on a private session bus: call
# run_on_session_bus "$@" first thing in the test script (a script that
# changes its directory first names itself in TAVIK_E2E_SCRIPT).
SCREEN_TEXT_PY=$(dirname "${BASH_SOURCE[0]}")/screen_text.py

run_on_session_bus() {
  if [ -n "${TAVIK_E2E_SESSION_BUS:-}" ]; then
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    return 0
  fi
  require_packages dbus at-spi2-core python3-pyatspi
  # The accessibility bus keeps its socket in the runtime directory: one of
  # our own, or runs side by side (or one after the other) take each other's.
  local runtime status=0 pid
  runtime=$(mktemp -d)
  # The bus's helpers may outlive the session for a moment; they write to a
  # file, never to the pipe a test runner waits on.
  TAVIK_E2E_SESSION_BUS=1 XDG_RUNTIME_DIR=$runtime \
    dbus-run-session -- bash "${TAVIK_E2E_SCRIPT:-$0}" "$@" >"$runtime/output" 2>&1 || status=$?
  grep -v '^dbus-daemon\|^SpiRegistry' "$runtime/output" || true
  for pid in $(grep -lsF "XDG_RUNTIME_DIR=$runtime" /proc/[0-9]*/environ | cut -d/ -f3); do
    kill "$pid" 2>/dev/null || true
  done
  rm -rf "$runtime"
  exit "$status"
}

# Lines "y<TAB>x<TAB>text" of the top window, in reading order. The first
# reading after a start waits for the accessibility registry to come up.
screen_lines() {
  local tries
  for tries in $(seq 100); do
    timeout 20 "${AS_LEARNER[@]}" /usr/bin/python3 "$SCREEN_TEXT_PY" "$@" 2>/dev/null && return 0
    sleep 0.1
  done
  fail "the program's windows cannot be read"
}

# The text shown at the given client position of the top window.
shown_at() { # x y
  screen_lines | awk -F'\t' -v x="$1" -v y="$2" '$1 == y && $2 == x {print $3}'
}

# Waits until the top window shows the text at the position.
expect_shown_at() { # x y text what
  local shown tries
  for tries in $(seq 60); do
    shown=$(shown_at "$1" "$2")
    [ "$shown" = "$3" ] && return 0
    sleep 0.05
  done
  fail "${4:-the label at $1,$2} shows '$shown', not '$3'"
}

# Waits for a message box, reads its text and dismisses it with Return.
expect_message() { # text
  poll 300 find_message_box || fail "no message box appeared: '$1' expected"
  local tries
  for tries in $(seq 60); do
    screen_lines | cut -f3 | grep -qxF -- "$1" && break
    sleep 0.05
  done
  screen_lines | cut -f3 | grep -qxF -- "$1" ||
    fail "the message box says '$(screen_lines | cut -f3 | tr '\n' ' ')', not '$1'"
  dismiss_message_box "$1"
}
