#pragma once

#include <QDateTime>
#include <QString>

namespace tavik {

// One graded answer as the learning record holds it. The headword travels
// with the bank key so that a later change to the word bank can never tie a
// stored answer to another word.
struct StoredAnswer {
    QDateTime when; // local time of the grading
    int wordKey = 0;
    QString headword;
    int sentenceKey = 0; // 0 for a word question
    QString typed;       // the answer as the learner typed it
    bool right = false;
    qint64 id = 0; // its row: later rows were stored later
};

} // namespace tavik
