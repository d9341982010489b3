#!/usr/bin/env bash
# Fuzzes the readers of tavik.ini and conf.ini for a long time, beyond the
# 30 seconds of every test run. The corpus grows in build-fuzz/corpus and is
# kept between runs; findings land in build-fuzz/artifacts. Put each one,
# once mended, into tests/fuzz/regressions/, where every test run replays it.
# Usage: scripts/fuzz-long.sh [seconds, default 3600] [parallel jobs, default 1]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-3600}
jobs=${2:-1}

cmake -S tests/fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-fuzz
mkdir -p build-fuzz/corpus build-fuzz/artifacts

tests/fuzz/make-large-input.sh build-fuzz/artifacts/ten-megabytes.ini
build-fuzz/settings_fuzzer -rss_limit_mb=4096 -timeout=120 \
    build-fuzz/artifacts/ten-megabytes.ini tests/fuzz/regressions/*

parallel=()
if ((jobs > 1)); then
    parallel=(-fork="$jobs" -ignore_crashes=1)
fi
build-fuzz/settings_fuzzer -max_total_time="$seconds" -max_len=16384 -timeout=10 \
    -print_final_stats=1 -artifact_prefix=build-fuzz/artifacts/ "${parallel[@]}" \
    build-fuzz/corpus tests/fuzz/corpus tests/fuzz/regressions
