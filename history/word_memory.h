#pragma once

#include "history/stored_answer.h"

#include <QDate>
#include <QString>
#include <array>
#include <vector>

namespace tavik {

// The memory of one word as the FSRS-5 model of memory describes it: its
// stability (the days until the chance of recalling it falls to 90 %) and
// its difficulty (1 to 10, how hard its stability grows).
struct Memory {
    double stability = 0;
    double difficulty = 0;
};

// The model's 19 weights. The defaults are the published FSRS-5 ones, fitted
// over many learners; learnerParameters fits a learner's own.
struct MemoryParameters {
    std::array<double, 19> w{0.40255, 1.18385, 3.173,  15.69105, 7.1949, 0.5345, 1.4604,
                             0.0046,  1.54575, 0.1192, 1.01925,  1.9395, 0.11,   0.29605,
                             2.2698,  0.2315,  2.9898, 0.51655,  0.6621};
};

// A right answer is the model's "Good", a wrong one its "Again".
enum class Grade { Again = 1, Good = 3 };

// The chance of recalling a word `days` after its last review.
double recallAfter(double days, double stability);
// The days after which the chance of recall falls to `retention`.
double daysUntilRecall(double retention, double stability);

// The memory a word's first answer leaves.
Memory firstMemory(Grade grade, const MemoryParameters& p);
// A review on a later day, when the chance of recall had fallen to `recall`.
Memory reviewedMemory(const Memory& memory, double recall, Grade grade, const MemoryParameters& p);
// A later answer on the same day as the last review: it tells the model
// little about the long run.
Memory sameDayMemory(const Memory& memory, Grade grade, const MemoryParameters& p);

// A word's memory as every stored answer to it leaves it. A word is known
// by its headword (by its key when the record has none), so a bank that
// renumbers its words never mixes two words' answers.
struct WordMemory {
    int wordKey = 0;
    QString headword;
    Memory memory;
    // The local day of its last answer, and whether that answer was wrong:
    // a word missed stays at recall 0 until it is answered right again.
    QDate lastDay;
    bool missedLast = false;
    QDate firstDay; // the local day of its first answer
    int right = 0;
    int wrong = 0;
    QString lastWrongTyped;
    int lastWrongSentence = 0; // the sentence of the last miss; 0 for its word question
};

// The word a stored answer is to: its headword, its key when the record
// has none.
QString wordIdentity(const StoredAnswer& answer);

// Replays the stored answers, oldest first. The answers of one word graded
// at the same moment (a drill that asked two of its sentences) are one
// answer, right only when all were; answers stored after a later one (a
// grading that waited) are counted but move no memory back in time.
std::vector<WordMemory> replayAnswers(const std::vector<StoredAnswer>& answers,
                                      const MemoryParameters& p = {});

// The learner's own parameters: once the record holds kFittingAnswers
// answers, the published weights with four factors of the learner's own,
// on the stability a first answer leaves (w0-w3), on the words' difficulty
// (w4), on the growth of stability after a right review (e^w8) and on the
// stability a lapse leaves (w11), each the likeliest given the learner's
// reviews on later days and a prior that holds it near 1 (maximum a
// posteriori, by coordinate search), and each taken only where it brings
// reviews sooner than the published weights would; the published weights
// before that. 40-70 ms for a record of 10,000 answers on a shared 2-core
// machine (the learning benchmark measures it).
constexpr std::size_t kFittingAnswers = 300;
MemoryParameters learnerParameters(const std::vector<StoredAnswer>& answers);

// The model's chance that the learner recalls the word on the day: 0 while
// its last answer is wrong, whole days after its last answer otherwise.
double recallOn(const WordMemory& word, QDate day);
// The day the word's recall falls to `retention`, to the nearest whole day
// (a day's sitting a little early rather than a little late, as FSRS
// schedules): the same day for a word missed, at least the next day
// otherwise.
QDate dueDate(const WordMemory& word, double retention);
bool isDue(const WordMemory& word, QDate day, double retention);

// The rule for a word the learner knows: its recall a week from the day is
// still at least 0.9.
constexpr int kKnownAheadDays = 7;
constexpr double kKnownRecall = 0.9;
bool isKnown(const WordMemory& word, QDate day);

} // namespace tavik
