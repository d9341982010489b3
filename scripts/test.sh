#!/usr/bin/env bash
# Installs what is missing, then builds and runs the whole test suite twice:
# once as shipped (unit, GUI and end-to-end tests) and once under
# AddressSanitizer and UndefinedBehaviorSanitizer (unit and GUI tests, and
# the drill and print roads through the real program).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

# Meant for CI and a fresh machine: the tests that install packages or the
# .deb, mount file systems, set file attributes or build locales run too (a
# plain ctest skips them).
export TAVIK_TEST_MAY_CHANGE_MACHINE=1

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
# This machine may hold packages installed by hand; a fresh one would not.
scripts/check-install-list.sh build
cmake --build build
ctest --test-dir build --output-on-failure

# The benchmarks ran in the first pass; timing them under the sanitizers
# would only cost build time.
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVIK_SANITIZE=ON \
  -DTAVIK_BUILD_BENCH=OFF
cmake --build build-sanitize
ctest --test-dir build-sanitize --output-on-failure -L 'unit|gui'
ctest --test-dir build-sanitize --output-on-failure -R '^e2e[.]test_.*_roads$'
