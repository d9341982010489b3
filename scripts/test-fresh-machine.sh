#!/usr/bin/env bash
# Runs the README's test command on a fresh Debian 12 machine: a minimal root
# made with mmdebstrap, holding nothing but the base system and a clone of
# this checkout's last commit. The tests on the machine the work is done on
# cannot show a missing install step: what was installed there by hand stays.
# Run it whenever install-deps.sh, a find_package line or a test's tools
# change. Needs root and the network; takes half an hour or more. Prints the
# test command's result and time, and removes the root whatever happens.
# A command given runs instead of the test command: the install list alone
# is checked in a quarter of the time by
#   scripts/test-fresh-machine.sh 'scripts/install-deps.sh &&
#     cmake -S . -B build -G Ninja >/dev/null && scripts/check-install-list.sh build'
# Usage: scripts/test-fresh-machine.sh [COMMAND]
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
((EUID == 0)) || { echo "test-fresh-machine: run as root" >&2; exit 2; }

# The README's first block: the run command, then the test command.
test_command=${1:-$(awk '/^```/ { block++; next } block == 1 { print $1 }' "$source_dir/README.md" | sed -n 2p)}
[[ -n $test_command ]] || { echo "test-fresh-machine: no test command in the README" >&2; exit 2; }

if ! command -v mmdebstrap >/dev/null; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends mmdebstrap
fi

root=$(mktemp -d "${TMPDIR:-/var/tmp}/tavik-fresh.XXXXXX")
cleanup() {
  umount -R "$root/dev" "$root/sys" "$root/proc" "$root/run" 2>/dev/null || true
  # Nothing may be left mounted under the root before it is removed.
  if ! findmnt -rn -o TARGET | grep -q "^$root/"; then
    rm -rf --one-file-system "$root"
  else
    echo "test-fresh-machine: $root is still mounted on; left in place" >&2
  fi
}
trap cleanup EXIT

# This machine's own package sources, so the root installs what it would.
sources=/etc/apt/sources.list.d/debian.sources
[[ -f $sources ]] || sources=http://deb.debian.org/debian
mmdebstrap --quiet --variant=minbase bookworm "$root" "$sources"
cp /etc/resolv.conf "$root/etc/resolv.conf"
git clone --quiet "$source_dir" "$root/src"

for part in dev sys; do
  mount --rbind "/$part" "$root/$part"
  mount --make-rslave "$root/$part"
done
mount -t proc proc "$root/proc"
mount -t tmpfs tmpfs "$root/run"

echo "test-fresh-machine: $(git -C "$root/src" log -1 --format='%h %s')"
echo "test-fresh-machine: running $test_command in a fresh Debian 12 root"
start=$SECONDS
status=0
chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
  bash -c "cd /src && $test_command" || status=$?
elapsed=$((SECONDS - start))
printf 'test-fresh-machine: %s exited %d after %d min %02d s\n' \
  "$test_command" "$status" $((elapsed / 60)) $((elapsed % 60))
exit "$status"
