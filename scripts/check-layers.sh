#!/usr/bin/env bash
# The product folders form floors: each may include its own headers and those
# of the folders below it, never one above. Lists every include that points
# upwards and fails when there is one.
# Usage: scripts/check-layers.sh [source root]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

floors=(app menu progress screens print drill shell history settings content)
status=0
for ((i = 0; i < ${#floors[@]}; ++i)); do
  [ -d "${floors[i]}" ] || continue
  for ((j = 0; j < i; ++j)); do
    if grep -rnE --include='*.cpp' --include='*.h' "^#include \"${floors[j]}/" "${floors[i]}"; then
      status=1
    fi
  done
done
exit $status
