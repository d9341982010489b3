#pragma once

#include "content/banks.h"
#include "drill/drill_set.h"
#include "drill/random_source.h"
#include "history/leitner.h"

#include <QDate>
#include <QString>
#include <vector>

namespace tavik {

// How many weak words a pick takes when the count box holds no count.
constexpr int kDefaultWeakWordCount = 10;

// The words the 苦手 pick draws from, weakest first: the due words, the
// lowest box first, then the most wrong answers in the record, then the
// longest since last answered right (never right before any), then by key.
// A drill needs two words, so a single due word is paired with the word
// that falls due next.
std::vector<WordState> weakWordCandidates(const std::vector<WordState>& states, QDate today);

// What to tell the learner when no word is due: the day the next one is,
// or nothing when the record has no word to come back.
QString nextDueText(const std::vector<WordState>& states, QDate today);

// The 苦手 pick: the first of the candidates as the drill's words, as many as
// countText asks for (parseQuestionCount), or kDefaultWeakWordCount when it
// asks for none, shuffled so that their order gives nothing away, then the
// sentence list built from them as a random pick builds it. A stored word is found in the bank by
// its headword, so a bank that gained or lost words never drills the wrong one; a word stored
// without one is found by its key. Words no longer in the bank are passed
// over. Returns false, leaving the set as it was, when none is in the bank.
bool selectWeakWords(DrillSet& set, const Banks& banks, const std::vector<WordState>& candidates,
                     const QString& countText, RandomSource& random);

} // namespace tavik
