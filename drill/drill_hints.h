#pragma once

#include <QString>

namespace tavik {

// How much help the learner's level gives: "初級" pre-fills each answer box
// with the answer's first letter; "初級" and "中級" show its number of letters.
bool levelGivesLetterCount(const QString& levelText);
bool levelGivesFirstLetter(const QString& levelText);

// "【7文字】" for a seven-letter answer where the level gives the count,
// otherwise empty.
QString letterCountHint(const QString& levelText, const QString& answer);

// What an answer box starts with.
QString prefilledAnswer(const QString& levelText, const QString& answer);

// The meaning on the word screen; the letter count is a hint for solving
// only, so a word list (check mode) shows the meaning alone.
QString wordPrompt(const QString& meaning, const QString& headword, const QString& levelText,
                   bool questionMode);

// The translation line of the sentence screen, "　（" translation "）", with
// the letter count in both modes where the level gives it.
QString translationLine(const QString& translation, const QString& answer,
                        const QString& levelText);

} // namespace tavik
