#!/usr/bin/env bash
# Builds the Debian package the way Debian builds its own: a build of its own
# with the compiler and linker flags dpkg-buildflags gives (every hardening
# feature on), the program stripped and its symbols in a -dbgsym package.
# Usage: scripts/build-deb.sh [build folder, default build-deb]; the .deb and
# the .ddeb land in that folder.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(realpath -m "${1:-$source_dir/build-deb}")

cd "$source_dir"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=None \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
  -DCMAKE_MODULE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
  -DTAVIK_BUILD_TESTS=OFF -DTAVIK_BUILD_BENCH=OFF >/dev/null
cmake --build "$build_dir" -j2 --target tavik tavik_progress_charts tavik_icons tavik_docs
objcopy --only-keep-debug "$build_dir/tavik" "$build_dir/tavik.debug"
rm -f "$build_dir"/tavik_*.deb
(cd "$build_dir" && cpack -B "$build_dir" >/dev/null)
ls "$build_dir"/tavik_*.deb "$build_dir/tavik.debug"
