#pragma once

#include <QString>

namespace tavik {

// One question of a graded drill, graded once: the screen marks it, the
// statistics count it and the learning record stores it, all from this. A
// sentence question counts for the word its blank stands for; the headword
// travels with the word's bank key so that a stored answer can always be tied
// back to its word, whatever a later word bank numbers it.
struct AnsweredQuestion {
    int wordKey = 0;
    int sentenceKey = 0; // 0 for a word question
    bool right = false;
    QString headword = {};
    QString typed = {};       // the answer as the learner typed it
    QString rightAnswer = {}; // the word as the question wanted it
};

} // namespace tavik
