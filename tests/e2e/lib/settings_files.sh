# What conf.ini and tavik.ini must hold, byte for byte: the options padded
# to 255 characters, the counters with a blank where a minus sign would go.
expect_config() { # directory TERMS PC QUESTION
  local expected
  expected=$(mktemp)
  printf '[CONFIG]\nTERMS=%-255s\nPC=%-255s\nQUESTION=%-255s\n' "$2" "$3" "$4" >"$expected"
  cmp -s "$expected" "$1/conf.ini" || {
    rm -f "$expected"
    fail "conf.ini should hold TERMS=$2 PC=$3 QUESTION=$4; it holds: $(tr -s ' ' <"$1/conf.ini" 2>&1)"
  }
  rm -f "$expected"
}

statistics_bytes() { # NAME SCORE QUESTIONS RATE NOG
  printf '[STATISTICS]\nNAME=%s\nSCORE= %d\nQUESTIONS= %d\nRATE= %d\nNOG= %d\n' "$@"
}

expect_statistics() { # directory NAME SCORE QUESTIONS RATE NOG
  local directory=$1 expected
  shift
  expected=$(mktemp)
  statistics_bytes "$@" >"$expected"
  # Grading writes the file before it shows the graded page: poll, the
  # keys may still be on their way.
  poll 100 cmp -s "$expected" "$directory/tavik.ini" || {
    rm -f "$expected"
    fail "tavik.ini should hold $(statistics_bytes "$@" | tr '\n' ' '); it holds: $(tr '\n' ' ' <"$directory/tavik.ini" 2>&1)"
  }
  rm -f "$expected"
}
