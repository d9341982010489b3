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
source "$here/lib/packages.sh"
source "$here/lib/xvfb.sh"
source "$here/lib/tavik.sh"
machine_may_change "installs the package with dpkg -i"
# What the test installs it removes; a package already there it would lose.
if dpkg-query -W -f='${Status}' tavik 2>/dev/null | grep -q 'install ok installed'; then
  echo "SKIP: a tavik package is installed here, which the test would replace and remove"
  exit 77
fi

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
grep -q './usr/lib/[a-z0-9_-]*/tavik/tavik-progress-charts.so$' "$work/contents"
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
poll 200 find_new_window "$SCREEN_SIZE" || fail "the main window did not open: $(cat "$work/tavik.log")"
window=$FOUND_WINDOW
# An empty search finds every word and unmasks the start button, which then
# writes the options. The program takes the clicks in the order they came.
xdotool mousemove --window "$window" 600 214 click 1
xdotool mousemove --window "$window" 368 517 click 1
config="$XDG_CONFIG_HOME/tavik/conf.ini"
poll 100 grep -q '^TERMS=True' "$config" 2>/dev/null ||
  fail "the started drill wrote no $config: $(cat "$work/tavik.log")"
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
