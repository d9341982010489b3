#pragma once

#include "content/banks.h"
#include "drill/book_memory.h"
#include "history/leitner.h"
#include "history/stored_answer.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <array>
#include <vector>

namespace tavik {

// One day the learner studied: the questions graded that day (local time)
// and how many were right.
struct DayRate {
    QDate day;
    int questions = 0;
    int right = 0;

    // Whole percent of right answers, rounded down as the statistics are.
    int percent() const { return questions > 0 ? right * 100 / questions : 0; }
};

// How many days studied the rate chart shows at first.
constexpr int kRecentDaysStudied = 30;

// Every day that has graded answers, oldest first.
std::vector<DayRate> dailyRates(const std::vector<StoredAnswer>& answers);

// The last `count` of those days.
std::vector<DayRate> lastDaysStudied(const std::vector<DayRate>& days, int count);

// The words of the bank by Leitner box: those never drilled, then boxes 1 to 5.
struct BoxCounts {
    int notYetDrilled = 0;
    std::array<int, kLastBox> boxes{};
};

constexpr int kWeekDays = 7;

// Words falling due: by today (those overdue included), tomorrow, and
// within seven days from today (today and tomorrow included); and on each
// of the seven days after today.
struct DueCounts {
    int today = 0;
    int tomorrow = 0;
    int withinWeek = 0;
    std::array<int, kWeekDays> days{};
};

// A word the learner keeps missing, with what the record says about it.
struct WeakWord {
    int wordRow = 0;
    QString headword;
    QString meaning;
    int right = 0;
    int wrong = 0;
    double recall = 0; // the memory model's chance of recall today
    QDate due;
    QString lastWrongTyped; // what the learner typed the last time it was wrong
};

constexpr int kWeakestWordCount = 10;

// Ties the record to the bank: a stored word is the bank's word of the same
// headword; a word stored without one (an older record) is the bank row its
// key names. Words no longer in the bank are left out.
class BankWords {
public:
    explicit BankWords(const Banks& banks);

    // The bank row of the word, or 0 when the bank has no such word.
    int rowOf(int wordKey, const QString& headword) const;
    int wordCount() const { return static_cast<int>(m_rowByHeadword.size()); }
    const Banks& banks() const { return m_banks; }

private:
    const Banks& m_banks;
    QHash<QString, int> m_rowByHeadword;
};

// The state of each word of the bank the record has graded.
struct BankWordState {
    int wordRow = 0;
    WordState state;
};
std::vector<BankWordState> bankWordStates(const BankWords& words,
                                          const std::vector<WordState>& states);

BoxCounts boxCounts(const BankWords& words, const std::vector<BankWordState>& states);
DueCounts dueCounts(const BookMemory& book, QDate today);

// The ten weakest of the words ever answered wrong, by the one rule of
// weakest (weakerThan).
std::vector<WeakWord> weakestWords(const Banks& banks, const BookMemory& book, QDate today);

} // namespace tavik
