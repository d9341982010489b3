#!/usr/bin/env bash
# The install-list check must name a package the build needs once it is
# taken off the list: Qt Charts' OpenGL dependency, which nothing else on
# the list pulls in and which a fresh machine once lacked.
# Usage: install_list_check.sh SOURCE_DIR BUILD_DIR
set -uo pipefail
source_dir=$1 build_dir=$2
planted=$(mktemp)
trap 'rm -f "$planted"' EXIT
sed 's/\<libqt6opengl6-dev\>//' "$source_dir/scripts/install-deps.sh" >"$planted"
output=$("$source_dir/scripts/check-install-list.sh" "$build_dir" "$planted" 2>&1)
status=$?
echo "$output"
[[ $status -eq 1 && $output == *"libqt6opengl6-dev is not on the install list"* ]]
