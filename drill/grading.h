#pragma once

#include "drill/drill_screen_state.h"
#include "settings/settings_state.h"

#include <QString>
#include <QStringList>

namespace tavik {

// An answer is right only when it is exactly the answer: same letters, same
// case, no blanks added or trimmed. An empty answer is never right.
bool isRightAnswer(const QString& typed, const QString& answer);

// Grades the typed answers against the right answers, one per question, and
// sets screen.correctCount; a missing typed answer is a wrong one. Returns the
// graded drill for the statistics.
GradedDrill gradeAnswers(DrillScreenState& screen, const QStringList& rightAnswers);

// "7／10点": right answers, a full-width slash, questions and "点".
QString scoreText(int correctCount, int questionCount);

} // namespace tavik
