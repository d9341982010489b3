# Installs, with apt-get, the Debian packages a test script needs and that
# are missing (the same packages scripts/install-deps.sh lists). Installing
# changes the machine: only a run that asks for it (scripts/test.sh sets
# TAVIK_TEST_MAY_CHANGE_MACHINE=1) installs; any other skips the script,
# naming what is missing.
require_packages() {
  local package missing=()
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  ((${#missing[@]})) || return 0
  machine_may_change "would install ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null
}

# Skips the script (CTest's skip code 77) unless the run may change the
# machine.
machine_may_change() { # what the script would do
  [ "${TAVIK_TEST_MAY_CHANGE_MACHINE:-}" = 1 ] && return 0
  echo "SKIP: $0 $1, which changes the machine; scripts/test.sh runs it (TAVIK_TEST_MAY_CHANGE_MACHINE=1)"
  exit 77
}
