#!/usr/bin/env bash
# The desktop files pass their validators, the Debian package builds from the
# tested binary, installs, starts, keeps its ini files in the user's folder
# and removes cleanly.
set -euo pipefail
binary=$1
build_dir=$(cd "$(dirname "$binary")" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/xvfb.sh"

desktop-file-validate "$here/../../dist/tavik.desktop"
appstreamcli validate --no-net --pedantic "$here/../../dist/io.github.tavik.tavik.metainfo.xml"

work=$(mktemp -d)
cleanup() {
  pkill -f '^/usr/bin/tavik$' 2>/dev/null || true
  dpkg -r tavik >/dev/null 2>&1 || true
  rm -rf "$work"
  stop_xvfb
}
trap cleanup EXIT

cmake --build "$build_dir" --target tavik tavik_icons >/dev/null
(cd "$work" && cpack --config "$build_dir/CPackConfig.cmake" -B "$work" >/dev/null)
package=$(ls "$work"/tavik_*.deb)
echo "built $(basename "$package")"
dpkg-deb --contents "$package" >"$work/contents"
grep -q './usr/bin/tavik$' "$work/contents"
grep -q './usr/share/applications/tavik.desktop$' "$work/contents"
grep -q './usr/share/icons/hicolor/48x48/apps/tavik.png$' "$work/contents"
grep -q './usr/share/icons/hicolor/scalable/apps/tavik.svg$' "$work/contents"
grep -q './usr/share/metainfo/io.github.tavik.tavik.metainfo.xml$' "$work/contents"

dpkg -i "$package" >/dev/null
start_xvfb
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
mkdir -p "$HOME"
/usr/bin/tavik >"$work/tavik.log" 2>&1 &
wait_for_window Tavik >/dev/null
sleep 1
kill %1 2>/dev/null || true
# The main window has read its files by now; an installed program never
# writes beside itself.
test ! -e /usr/bin/conf.ini
test ! -e /usr/bin/tavik.ini
dpkg -r tavik >/dev/null
test ! -e /usr/bin/tavik
echo "package installed, started and removed"
