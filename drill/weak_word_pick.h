#pragma once

#include "content/banks.h"
#include "drill/book_memory.h"
#include "drill/drill_set.h"
#include "drill/random_source.h"

#include <QDate>
#include <QString>
#include <vector>

namespace tavik {

// How many weak words a pick takes when the count box holds no count.
constexpr int kDefaultWeakWordCount = 10;

// The words the 苦手 pick draws from: the due words, weakest first
// (weakerThan). A drill needs two words, so a single due word is paired
// with the word that falls due next.
std::vector<BookWord> weakWordCandidates(const BookMemory& book, QDate today);

// What to tell the learner when no word is due: the day the next one is,
// or nothing when the record has no word to come back.
QString nextDueText(const BookMemory& book, QDate today);

// The 苦手 pick: the first of the candidates as the drill's words, as many as
// countText asks for (parseQuestionCount), or kDefaultWeakWordCount when it
// asks for none, shuffled so that their order gives nothing away, then the
// sentence list built from them as a random pick builds it. Returns false,
// leaving the set as it was, when there is no candidate.
bool selectWeakWords(DrillSet& set, const Banks& banks, const std::vector<BookWord>& candidates,
                     const QString& countText, RandomSource& random);

} // namespace tavik
