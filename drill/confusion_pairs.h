#pragma once

#include "content/banks.h"
#include "history/stored_answer.h"

#include <QDateTime>
#include <QString>
#include <vector>

namespace tavik {

// Two words of the book the learner mixes up: one was answered with the
// other (compliment for complement, adopt for adapt). A pair stays open
// until both words are answered right on one day after the last mix-up.
struct ConfusionPair {
    int first = 0; // bank rows, first < second
    int second = 0;
    QDateTime confusedAt; // the last mix-up
};

// The open pairs the answers (oldest first) leave, the pair mixed up last
// first. A stored word is the bank's word of its headword (its key when
// the record has none); a typed answer is another word when, trimmed, in
// half-width letters and any case, it is that word's headword.
std::vector<ConfusionPair> openConfusionPairs(const Banks& banks,
                                              const std::vector<StoredAnswer>& answers);

// "complement と compliment"
QString confusionText(const Banks& banks, const ConfusionPair& pair);

} // namespace tavik
