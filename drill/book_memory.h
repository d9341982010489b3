#pragma once

#include "content/banks.h"
#include "drill/confusion_pairs.h"
#include "history/stored_answer.h"
#include "history/word_memory.h"
#include "settings/settings_state.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <vector>

namespace tavik {

// Which row of the bank a stored word is: the row of its headword; a word
// stored without one (an older record), the row its key names; 0 when the
// bank has no such word.
class BookRows {
public:
    explicit BookRows(const Banks& banks);
    int rowOf(const QString& headword, int wordKey) const;
    int words() const { return static_cast<int>(m_rowByHeadword.size()); }

private:
    QHash<QString, int> m_rowByHeadword;
    std::size_t m_bankRows = 0;
};

// A word of the book with the memory its answers give it.
struct BookWord {
    int row = 0; // its row in the word bank
    WordMemory memory;
};

// The learner's memory of the book, as the learning record holds it: the
// words of the bank the learner has answered, and apart from them the
// stored words the bank no longer has, which are never due nor offered.
struct BookMemory {
    std::vector<BookWord> words;
    std::vector<WordMemory> notInBook;
    int bookWords = 0; // the words of the bank, answered or not
    double retention = kDefaultRetention;
    std::vector<ConfusionPair> confusions; // open ones, the last mixed up first
};

// A stored word is the bank's word BookRows finds. `p` are the
// learner's own weights (learnerParameters) once the record holds
// kFittingAnswers answers: they only ever bring reviews sooner than the
// published weights, and in the learning benchmark they bring the learners
// the published weights overrate to the book weeks sooner and the median
// learner no later (docs/learning.md).
BookMemory bookMemory(const Banks& banks, const std::vector<StoredAnswer>& answers,
                      double retention, const MemoryParameters& p = {});
// The same from the words' memories, replayed already.
BookMemory bookOfMemories(const Banks& banks, std::vector<WordMemory> memories, double retention);

// The one rule of "weakest": the lower the model's chance of recall on the
// day, the weaker (a word whose last answer was wrong has none); among
// equals the less stable, then the earlier in the book. The 苦手 pick, its
// count and the record screen's weakest words all follow it.
bool weakerThan(const BookWord& a, const BookWord& b, QDate day);
void sortWeakestFirst(std::vector<BookWord>& words, QDate day);

// The words of the book due on the day, weakest first.
std::vector<BookWord> dueBookWords(const BookMemory& book, QDate day);

// The answers given up to the end of the day, oldest first.
std::vector<StoredAnswer> answersUntil(const std::vector<StoredAnswer>& answers, QDate day);

// How many words of the book the learner knows on the day (isKnown).
int knownWordCount(const BookMemory& book, QDate day);

} // namespace tavik
