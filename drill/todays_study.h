#pragma once

#include "content/banks.h"
#include "drill/book_memory.h"
#include "drill/drill_set.h"
#include "drill/random_source.h"

#include <QDate>
#include <QString>
#include <vector>

namespace tavik {

// What today holds: the words due (weakest first) and the words never asked
// that join them, bank rows both.
struct TodaysStudy {
    std::vector<int> due;
    std::vector<int> fresh;
    // The words answered today already, which count towards the goal.
    int answeredToday = 0;
    // The open confusion pairs whose words lead the due words: each pair is
    // asked side by side.
    std::vector<ConfusionPair> pairs;
};

// The goal is as conf.ini gives it (settings keep it in range; the learning
// benchmark asks more). The words of the open confusion pairs come first,
// then the other due words, weakest first: a word
// missed today is due until it is right again, so it is asked at the next
// press. A third of the goal, five words at most (less the words met
// today), is kept for words
// never asked while the book has them, so due words never keep the rest of
// the book away; the goal's rest, less the words answered today, goes to new
// words too. New words are spread evenly through the book.
TodaysStudy planToday(const BookMemory& book, const Banks& banks, QDate today, int goal);

// Today's words as the drill's words, shuffled so that their order gives
// nothing away (the two words of a confusion pair stay side by side), then
// their sentences in the order of their words. Returns false, leaving the
// set as it was, when today holds no word.
bool selectToday(DrillSet& set, const Banks& banks, const TodaysStudy& study, RandomSource& random);

// Whether today's drill is better asked in the other form than the one the
// learner chose (wordsChosen: word questions): when it brings no new word
// and holds words missed today, all of them missed in the chosen form, a
// word missed in its word question is asked in its sentence and the other
// way round. Never towards sentences when a word of the drill has none.
bool askInOtherForm(const TodaysStudy& study, const BookMemory& book, const Banks& banks,
                    QDate today, bool wordsChosen);

// The main window's line: 今日: 復習 n語＋新出 m語, or, when today is done,
// when the next words fall due.
QString todayLine(const TodaysStudy& study, const BookMemory& book, QDate today);

// The days over which the pace of words learned is taken.
constexpr int kPaceDays = 7;

// The line on the whole book: the words known by the rule of isKnown, and
// the day all would be known at the pace of the last kPaceDays days.
QString knownLine(const BookMemory& book, const BookMemory& weekAgo, QDate today);
// The rule of a word known, as the learner reads it.
QString knownRuleText();

} // namespace tavik
