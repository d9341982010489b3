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
