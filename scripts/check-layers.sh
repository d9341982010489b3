#!/usr/bin/env bash
# Each product folder may include its own headers and those of the folders
# that its row of the README's folder table names under "May use". Reads
# that table and every include of every source file in any form (<...> or
# "...", from the source root or relative, however the # is spaced), lists
# each include that reaches a folder of the table its row does not allow,
# and fails when there is one or when the table cannot be read.
# Usage: scripts/check-layers.sh [source root]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

# One line for each folder of the table: the folder, then the folders it may
# use ("-" for a row that names none, nothing for one that is not code).
table=$(awk -F'|' '
  /^\| Folder \|/ { inside = 1; next }
  inside && !/^\|/ { exit }
  inside && $2 ~ /`/ {
    folder = $2
    gsub(/[ `\/]/, "", folder)
    folders[++n] = folder
    uses[n] = $4
  }
  END {
    for (i = 1; i <= n; ++i) {
      line = folders[i]
      if (uses[i] ~ /every folder below/) {
        for (j = i + 1; j <= n; ++j) line = line " " folders[j]
      } else if (uses[i] ~ /nothing/) {
        line = line " -"
      } else {
        rest = uses[i]
        while (match(rest, /`[a-z0-9_]+\/`/)) {
          line = line " " substr(rest, RSTART + 1, RLENGTH - 3)
          rest = substr(rest, RSTART + RLENGTH)
        }
      }
      print line
    }
  }' README.md)
[ -n "$table" ] || { echo "README.md has no folder table" >&2; exit 1; }

declare -A allowed
while read -r folder uses; do
  allowed[$folder]=" $uses "
done <<<"$table"

status=0
while read -r folder uses; do
  [ -n "$uses" ] && [ -d "$folder" ] || continue
  while IFS=: read -r file line text; do
    path=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^>"]+)[>"].*/\1/' <<<"$text")
    # As the compiler looks: beside the including file first, then from
    # the source root.
    case $path in
    ./* | ../*) path=$(realpath -m --relative-to=. "$(dirname "$file")/$path") ;;
    *) [ -e "$(dirname "$file")/$path" ] && path=$(realpath -m --relative-to=. "$(dirname "$file")/$path") ;;
    esac
    target=${path%%/*}
    [ "$target" != "$path" ] && [ "$target" != "$folder" ] && [ -n "${allowed[$target]+set}" ] || continue
    if [[ ${allowed[$folder]} != *" $target "* ]]; then
      uses=${allowed[$folder]/ - / nothing }
      echo "$file:$line: includes $path; $folder/ may use only:${uses% }"
      status=1
    fi
  done < <(grep -rnE --include='*.cpp' --include='*.h' \
    '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"][^>"]+[>"]' "$folder" || true)
done <<<"$table"
exit $status
