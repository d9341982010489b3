# The bank content, read from the content files the program is built with,
# so that tests know the questions of a search and type their answers.
CONTENT_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../content" && pwd)

# Keys of the words whose headword or meaning contains the text, as the
# free-word search finds them (case-sensitive substrings).
words_matching() {
  awk -F'\t' -v text="$1" 'NR > 1 && (index($2, text) || index($3, text)) {print $1}' \
    "$CONTENT_DIR/words.tsv"
}

# The sentence rows (key, word key, before, answer, after, translation) of
# the given word keys.
sentences_of() {
  awk -F'\t' -v keys=" $* " 'NR > 1 && index(keys, " " $2 " ")' "$CONTENT_DIR/sentences.tsv"
}

word_field() { # key field (1 headword, 2 meaning)
  awk -F'\t' -v key="$1" -v field="$2" 'NR > 1 && $1 == key {print $(field + 1)}' \
    "$CONTENT_DIR/words.tsv"
}

# The letter-count hint printed and shown after a text below level 上級.
letter_hint() {
  printf '%s文字' "${#1}"
}

# The headword of the word with this meaning.
headword_of_meaning() {
  awk -F'\t' -v meaning="$1" 'NR > 1 && $3 == meaning {print $2}' "$CONTENT_DIR/words.tsv"
}

# The keys of the words with these headwords.
keys_of_headwords() {
  awk -F'\t' -v words=" $* " 'NR > 1 && index(words, " " $2 " ") {print $1}' \
    "$CONTENT_DIR/words.tsv"
}

# The answer word of the sentence with this translation.
answer_of_translation() {
  awk -F'\t' -v translation="$1" 'NR > 1 && $6 == translation {print $4}' \
    "$CONTENT_DIR/sentences.tsv"
}

# The whole sentence with this translation: before, answer and after.
sentence_of_translation() {
  awk -F'\t' -v translation="$1" 'NR > 1 && $6 == translation {print $3 $4 $5}' \
    "$CONTENT_DIR/sentences.tsv"
}

# Sets search_text, keys (the words it finds), word_count and
# sentence_count, and fails unless the words and the sentences each fill
# more than one and at most two pages of the given number of rows.
search_for_two_pages() { # text rows-per-page what-is-paged
  search_text=$1
  mapfile -t keys < <(words_matching "$search_text")
  word_count=${#keys[@]}
  sentence_count=$(sentences_of "${keys[@]}" | wc -l)
  ((word_count > $2 && word_count <= 2 * $2 && sentence_count > $2 && sentence_count <= 2 * $2)) ||
    fail "the search text no longer gives two pages of each $3"
}
