#!/usr/bin/env bash
# Installs what is missing, builds Tavik with optimisation and runs every
# benchmark: the in-process actions on the real windows (medians of five
# repetitions) and the start-up and memory harness, which runs the real
# program and a bare Qt window alike under a private Xvfb (medians of seven
# start-ups and five whole roads). Prints the table of targets.
# RUNS and ROAD_RUNS in the environment change the numbers of runs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target tavik bare_window tavik_actions_bench tavik_startup_bench >/dev/null

actions=$(mktemp --suffix=.json)
trap 'rm -f "$actions"' EXIT
QT_QPA_PLATFORM=offscreen QT_QPA_FONTDIR=/usr/share/fonts \
  build/bench/tavik_actions_bench --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true \
  --benchmark_out="$actions" --benchmark_out_format=json >&2

build/bench/tavik_startup_bench --tavik build/tavik --bare build/bench/bare_window \
  --runs "${RUNS:-7}" --road-runs "${ROAD_RUNS:-5}" --actions "$actions"

# Click to speech, on a private sound server and speech service as in the
# end-to-end tests. Each run opens a word drill (which opens the connection
# to Speech Dispatcher), answers for three seconds, grades and clicks the
# red answer, then five more times. The first run also starts the service
# and clicks after two seconds of reading the marks, as do the later ones,
# which find it running; then a run clicks at once after grading, and a last
# one does so with the service stopped before the drill opened.
cmake --build build --target tavik_speech_bench >/dev/null
speech=$(mktemp)
trap 'rm -f "$actions" "$speech"' EXIT
(
  fail() {
    echo "speech benchmark: $*" >&2
    exit 1
  }
  source tests/e2e/lib/tavik.sh
  source tests/e2e/lib/sound.sh
  XDG_RUNTIME_DIR=$(mktemp -d)
  export XDG_RUNTIME_DIR
  trap 'stop_sound_server; rm -rf "$XDG_RUNTIME_DIR"' EXIT
  start_sound_server
  for run in $(seq "${SPEECH_RUNS:-3}"); do
    echo "run $run"
    QT_QPA_FONTDIR=/usr/share/fonts build/bench/tavik_speech_bench
  done
  echo "run at-once"
  QT_QPA_FONTDIR=/usr/share/fonts build/bench/tavik_speech_bench --reading 0
  stop_speech_service
  echo "run at-once-cold"
  QT_QPA_FONTDIR=/usr/share/fonts build/bench/tavik_speech_bench --reading 0
) >"$speech"
later=$(awk '/^later/ {print $2}' "$speech" | sort -n)
count=$(echo "$later" | wc -l)
median=$(echo "$later" | awk -v n="$count" '{v[NR] = $1} END {print n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2}')
awk -v median="$median" -v count="$count" -v slowest="$(echo "$later" | tail -1)" '
  function row(what, ms, limit) {
    printf "| %s | %.0f ms | < %d ms | %s |\n", what, ms, limit, ms < limit ? "yes" : "NO"
  }
  /^run/ {run = $2}
  /^first/ {first[run] = $2}
  END {
    printf "\n| Click to speech | Measured | Limit | Met |\n|---|---|---|---|\n"
    row("First word 2 s after grading, speech service not yet running when the drill opened", first[1], 300)
    for (r = 2; r in first; r++)
      row("First word 2 s after grading, speech service running (run " r ")", first[r], 300)
    row("First word clicked at once after grading", first["at-once"], 300)
    row("First word clicked at once after grading, speech service not yet running when the drill opened", first["at-once-cold"], 300)
    row("Later words (median of " count ", slowest " sprintf("%.0f", slowest) " ms)", median, 100)
  }' "$speech"

# The learning benchmark: 200 simulated learners through the program's own
# scheduling for 90 days, against the fixed waits and FSRS's defaults
# (LEARNERS in the environment changes their number); docs/learning.md.
cmake --build build --target tavik_learning_bench >/dev/null
echo
build/bench/tavik_learning_bench --learners "${LEARNERS:-200}"
