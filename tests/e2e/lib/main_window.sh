# Places on the main window (client coordinates): the middle of each control
# to click, and the top left corner of each label to read. The help button
# sits at the same place on every screen.
free_word=(368 209)
search_button=(620 214)
random_box=(384 274)
random_button=(620 273)
option_words=(134 434)
option_sentences=(198 434)
option_pc=(286 434)
option_paper=(334 434)
option_solve=(414 434)
option_check=(506 434)
start_button=(368 517)
weak_button=(560 117)
today_button=(150 78)
record_button=(690 538)
help_button=(680 37)
close_button=(714 36)
level_label=(232 105)
games_label=(312 141)
rate_label=(600 141)
word_count_label=(264 344)
sentence_count_label=(408 344)
weak_count_label=(634 109)
# On the help screen.
help_back=(405 526)

# Replaces what the search box holds with the text and clicks the search
# button.
search() {
  click "${free_word[@]}"
  press ctrl+a
  type_text "$1"
  click "${search_button[@]}"
}
