#pragma once

#include "content/banks.h"
#include "drill/drill_set.h"
#include "drill/random_source.h"

#include <QString>
#include <vector>

namespace tavik {

// How many weak words a pick takes when the count box holds no count.
constexpr int kDefaultWeakWordCount = 10;

// The 苦手 pick: the first of the due words (weakest first, as the learning
// record orders them) as the drill's words, as many as countText asks for
// (parseQuestionCount), or kDefaultWeakWordCount when it asks for none, then
// the sentence list built from them as a random pick builds it. Keys that
// are not words of the bank are passed over. Returns false, leaving the set
// as it was, when no due word is a word of the bank.
bool selectWeakWords(DrillSet& set, const Banks& banks, const std::vector<int>& dueWordKeys,
                     const QString& countText, RandomSource& random);

} // namespace tavik
