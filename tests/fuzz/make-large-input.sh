#!/usr/bin/env bash
# Writes a 10 MB tavik.ini that a damaged disk or a runaway editor could
# leave: a name of four million characters, three million bytes of padding
# keys, CR LF and LF mixed, and three million random bytes between the
# sections. Too large to commit, so it is made afresh for every run.
set -euo pipefail
out=$1
{
    printf '[STATISTICS]\r\nNAME='
    head -c 4000000 /dev/zero | tr '\0' 'x'
    printf '\r\nSCORE= 12\r\nQUESTIONS= 20\r\n'
    (yes 'PADDING=                                                              1' || true) | head -c 3000000
    printf '\n[CONFIG]\r\nTERMS=False\r\n'
    head -c 3000000 /dev/urandom
    printf '\n[STATISTICS]\nNOG= 3\n'
} >"$out"
