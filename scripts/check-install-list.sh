#!/usr/bin/env bash
# Would a fresh Debian 12 machine configure this build? Each CMake package
# that a configured build found must come from a Debian package that the
# install list names, or that those pull in through Depends or Pre-Depends
# (the list is installed without Recommends), or from an essential or
# required package, which every Debian root has. A package installed by hand
# on the machine the tests run on is exactly what a green run there hides.
# Names each package missing from the list and fails when there is one.
# Usage: scripts/check-install-list.sh BUILD_DIR [INSTALL_LIST]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?usage: check-install-list.sh BUILD_DIR [INSTALL_LIST]}
list=${2:-$root/scripts/install-deps.sh}
cache=$build/CMakeCache.txt
[[ -f $cache ]] || { echo "check-install-list: $cache is missing: configure first" >&2; exit 2; }

# The words inside the list's packages=( ... ) array, comments aside.
mapfile -t listed < <(sed -n '/^packages=(/,/^)/{s/#.*//;p}' "$list" | tr -s ' \t()=' '\n' |
  grep -E '^[a-z0-9][a-z0-9.+-]+$' | grep -vx packages | sort -u)
((${#listed[@]})) || { echo "check-install-list: no packages read from $list" >&2; exit 2; }

# Every package the list brings: apt prints each package it reaches on a
# line of its own, and each dependency indented under it.
closure_of_list() {
  apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
    --no-replaces --no-enhances "${listed[@]}" 2>/dev/null |
    sed -n 's/^ *\(Pre\)\{0,1\}Depends: <\{0,1\}\([^ >]*\)>\{0,1\}.*/\2/p; s/^\([a-z0-9][^ ]*\)$/\1/p' |
    sed 's/:any$//' | sort -u
}

# While apt rewrites its lists (an install running beside the tests), a read
# can come back without some of the list itself: read again, with a pause.
# Lists that stay incomplete (cleaned away on a machine that had everything
# installed) are fetched once more.
closure=
for attempt in 1 2 3 4 5; do
  closure=$(closure_of_list)
  unread=$(comm -23 <(printf '%s\n' "${listed[@]}") <(printf '%s\n' "$closure"))
  [[ -z $unread ]] && break
  if ((attempt == 5)); then
    echo "check-install-list: apt's package lists do not know:" $unread >&2
    exit 2
  fi
  if ((attempt == 3)); then
    apt-get update -q >/dev/null 2>&1 || true
  fi
  sleep 3
done

base=$(dpkg-query -W -f='${Package} ${Essential} ${Priority}\n' |
  awk '$2 == "yes" || $3 == "required" { print $1 }')
allowed=$(printf '%s\n%s\n' "$closure" "$base" | sort -u)

missing=0
while IFS= read -r dir; do
  config=$(compgen -G "$dir/*[Cc]onfig.cmake" | head -1) || true
  [[ -n $config ]] || continue
  # "package:arch: path", or several packages for a shared folder.
  owner=$(dpkg -S "$config" 2>/dev/null | head -1 | cut -d: -f1 | cut -d, -f1) || true
  [[ -n $owner ]] || continue
  if ! grep -qx -- "$owner" <<<"$allowed"; then
    echo "check-install-list: $owner is not on the install list $list, nor pulled in by it," \
      "yet the build found $config in it" >&2
    missing=$((missing + 1))
  fi
done < <(grep -E '^[A-Za-z0-9_]+_DIR:PATH=/' "$cache" | cut -d= -f2- | sed 's#/*$##' | sort -u)

((missing == 0)) || exit 1
echo "check-install-list: every CMake package the build found comes from the install list"
