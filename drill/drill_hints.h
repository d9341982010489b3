#pragma once

#include "settings/settings_state.h"

#include <QString>

namespace tavik {

// The help a level gives, on screen and on paper alike: "初級" starts each
// answer with its first letter, "初級" and "中級" show the answer's number of
// letters. The two media give it in their own forms: the screen writes the
// count as "【7文字】" and fills the first letter into the answer box; a sheet
// writes " [7文字]", has no box to fill, and lets the blank follow the
// answer's length instead.
struct Hints {
    bool firstLetter = false;
    bool letterCount = false;
};

Hints hintsFor(Level level);

// "【7文字】" for a seven-letter answer where the level gives the count,
// otherwise empty.
QString letterCountHint(Level level, const QString& answer);

// What an answer box starts with.
QString prefilledAnswer(Level level, const QString& answer);

// The given first letter that a learner who types the whole word types
// again: typed as the first key after it, it takes the given letter's place
// instead of doubling it. None where the answer begins with a doubled
// letter, whose second is then the right way on, or where nothing is given.
QString retypableLetter(Level level, const QString& answer);

// The meaning on the word screen; the letter count is a hint for solving
// only, so a word list (check mode) shows the meaning alone.
QString wordPrompt(const QString& meaning, const QString& headword, Level level, bool questionMode);

// The translation line of the sentence screen, "　（" translation "）", with
// the letter count in both modes where the level gives it.
QString translationLine(const QString& translation, const QString& answer, Level level);

} // namespace tavik
