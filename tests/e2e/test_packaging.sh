#!/usr/bin/env bash
# The desktop files pass their validators; the Debian package, built as
# scripts/build-deb.sh builds it (hardened, stripped), satisfies lintian,
# installs, answers --help and --version without a display, starts, keeps its
# ini files in the user's folder (where a started drill writes its options)
# and removes cleanly.
set -euo pipefail
binary=$1
build_dir=$(cd "$(dirname "$binary")" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/xvfb.sh"

desktop-file-validate "$here/../../dist/tavik.desktop"
appstreamcli validate --no-net --pedantic "$here/../../dist/io.github.tavik.tavik.metainfo.xml"

work=$(mktemp -d)
tavik_pid=
cleanup() {
  if [ -n "$tavik_pid" ]; then
    kill "$tavik_pid" 2>/dev/null || true
    wait "$tavik_pid" 2>/dev/null || true
  fi
  dpkg -r tavik >/dev/null 2>&1 || true
  rm -rf "$work"
  stop_xvfb
}
trap cleanup EXIT

"$here/../../scripts/build-deb.sh" "$build_dir/deb" >"$work/build.log" 2>&1 ||
  { cat "$work/build.log" >&2; exit 1; }
package=$(ls "$build_dir"/deb/tavik_*.deb)
echo "built $(basename "$package")"
# No error or warning, and every hardening feature (lintian tells the missing
# ones only as information).
lintian_status=0
lintian --pedantic --display-info --fail-on error,warning "$package" >"$work/lintian" 2>"$work/lintian.err" ||
  lintian_status=$?
sed 's/^/lintian: /' "$work/lintian"
if ((lintian_status)) || grep -q 'hardening-' "$work/lintian"; then
  echo "FAIL: lintian objects to the package: $(cat "$work/lintian.err")" >&2
  exit 1
fi
dpkg-deb --contents "$package" >"$work/contents"
grep -q './usr/bin/tavik$' "$work/contents"
grep -q './usr/lib/tavik/tavik-progress-charts.so$' "$work/contents"
grep -q './usr/share/applications/tavik.desktop$' "$work/contents"
grep -q './usr/share/icons/hicolor/48x48/apps/tavik.png$' "$work/contents"
grep -q './usr/share/icons/hicolor/scalable/apps/tavik.svg$' "$work/contents"
grep -q './usr/share/metainfo/io.github.tavik.tavik.metainfo.xml$' "$work/contents"
grep -q './usr/share/man/man1/tavik.1.gz$' "$work/contents"
test -s "$build_dir/deb/tavik.debug"

dpkg -i "$package" >/dev/null
# Each option with a line its answer must hold.
while read -r option expected; do
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM /usr/bin/tavik "$option" >"$work/answer" 2>&1 ||
    { echo "FAIL: tavik $option failed: $(cat "$work/answer")" >&2; exit 1; }
  grep -qxF -- "$expected" "$work/answer" ||
    { echo "FAIL: tavik $option answered: $(cat "$work/answer")" >&2; exit 1; }
done <<EOF
--version tavik $(dpkg-deb -f "$package" Version)
--help Usage: /usr/bin/tavik [options]
EOF
echo "tavik --version and --help answer without a display"
start_xvfb
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
mkdir -p "$HOME"
/usr/bin/tavik >"$work/tavik.log" 2>&1 &
tavik_pid=$!
# The main window, once the splash has given way to it.
main_window() {
  local id
  for id in $(xdotool search --onlyvisible --name '^Tavik$' 2>/dev/null); do
    if xdotool getwindowgeometry "$id" | grep -q 'Geometry: 780x600'; then
      echo "$id"
      return 0
    fi
  done
  return 1
}
for tries in $(seq 200); do
  window=$(main_window) && break
  sleep 0.05
done
[ -n "${window:-}" ] || { echo "FAIL: the main window did not open: $(cat "$work/tavik.log")" >&2; exit 1; }
# An empty search finds every word; the start button then writes the options.
xdotool mousemove --window "$window" 600 214 click 1
sleep 0.3
xdotool mousemove --window "$window" 368 517 click 1
config="$XDG_CONFIG_HOME/tavik/conf.ini"
for tries in $(seq 100); do
  [ -s "$config" ] && break
  sleep 0.05
done
if ! grep -q '^TERMS=True' "$config" 2>/dev/null; then
  echo "FAIL: the started drill wrote no $config: $(cat "$work/tavik.log")" >&2
  exit 1
fi
echo "the installed program keeps its options in $config"
kill "$tavik_pid"
wait "$tavik_pid" 2>/dev/null || true
tavik_pid=
# An installed program never writes beside itself.
test ! -e /usr/bin/conf.ini
test ! -e /usr/bin/tavik.ini
dpkg -r tavik >/dev/null
test ! -e /usr/bin/tavik
echo "package installed, started and removed"
