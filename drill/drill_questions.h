#pragma once

#include "content/banks.h"
#include "drill/drill_set.h"

#include <QString>
#include <vector>

namespace tavik {

struct WordQuestion {
    QString meaning;
    QString headword; // the right answer
};

struct SentenceQuestion {
    QString before;
    QString answer; // the right answer, in the form the sentence uses
    QString after;
    QString translation;

    QString wholeSentence() const { return before + answer + after; }
};

// The questions of the drill set in drill order. A count larger than its
// list is cut to the list, and a row number outside the bank gives a question
// with empty texts, so a damaged drill set never reads past a table.
std::vector<WordQuestion> wordQuestions(const Banks& banks, const DrillSet& drill);
std::vector<SentenceQuestion> sentenceQuestions(const Banks& banks, const DrillSet& drill);

} // namespace tavik
