#!/usr/bin/env bash
# Runs the settings fuzzer for a bounded time, as part of every test run.
# Usage: run-bounded.sh <settings_fuzzer> <seconds> <artifact directory>
# First the generated 10 MB file and every earlier finding run once each,
# then a coverage-guided search starts from the committed seeds. A finding
# is kept in the artifact directory and printed; copy it to
# tests/fuzz/regressions/ once mended.
set -euo pipefail
fuzzer=$1
seconds=$2
artifacts=$3
here=$(cd "$(dirname "$0")" && pwd)

mkdir -p "$artifacts"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Run on its own: as a seed it would raise the length limit of every
# mutation to 10 MB and slow the search to a crawl.
"$here/make-large-input.sh" "$artifacts/ten-megabytes.ini"
"$fuzzer" -rss_limit_mb=4096 -timeout=120 "$artifacts/ten-megabytes.ini" "$here"/regressions/*

"$fuzzer" -max_total_time="$seconds" -max_len=8192 -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$work" "$here/corpus" "$here/regressions"
