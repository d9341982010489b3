#pragma once

#include <QDateTime>
#include <QString>

namespace tavik {

// A word's place in the learner's Leitner boxes, as its graded answers left
// it. Box 1 holds the words last answered wrong; each right answer moves a
// word one box up, to box 5 at most. The boxes are a display, kept for the
// record's readers; when a word is due is the memory model's
// (word_memory.h).
struct WordState {
    int wordKey = 0;
    int box = 1;
    QDateTime lastGraded = {};
    // Invalid when the word was never answered wrong.
    QDateTime lastMissed = {};
    // The last time a right answer moved the word up a box; invalid when
    // none has yet.
    QDateTime lastRaised = {};
    // The word as the bank spelled it when it was last graded; empty for a
    // word graded only before the record kept headwords.
    QString headword = {};
    // Every wrong answer the word has had, and the time of its last right
    // one (invalid when none), kept with the box so that the 苦手 pick need
    // not read every stored answer.
    int wrongAnswers = 0;
    QDateTime lastRight = {};
};

constexpr int kFirstBox = 1;
constexpr int kLastBox = 5;

// The word answered in one grading: wrong sends it back to box 1, right
// moves it one box up, once a calendar day at most. A word met for the
// first time starts in box 1.
void advance(WordState& state, bool right, const QDateTime& when);

} // namespace tavik
