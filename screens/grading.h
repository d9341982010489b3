#pragma once

#include "screens/drill_screen_state.h"
#include "settings/settings_state.h"

#include <QString>
#include <QStringList>

namespace tavik {

// An answer is right only when it is exactly the answer: same letters, same
// case, no blanks added or trimmed. An empty answer is never right.
bool isRightAnswer(const QString& typed, const QString& answer);

// Grades the typed answers against the right answers, one per question:
// sets screen.correctCount and adds the drill to the running statistics.
// Returns the drill's whole percentage.
int gradeAnswers(DrillScreenState& screen, SettingsState& settings,
                 const QStringList& rightAnswers);

// "7／10点": right answers, a full-width slash, questions and "点".
QString scoreText(int correctCount, int questionCount);

} // namespace tavik
