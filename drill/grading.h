#pragma once

#include "drill/drill_screen_state.h"
#include "history/answered_question.h"
#include "settings/settings_state.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace tavik {

// An answer is right only when it is exactly the answer: same letters, same
// case, no blanks added or trimmed. An empty answer is never right.
bool isRightAnswer(const QString& typed, const QString& answer);

// Grades each asked question once against its typed answer in
// screen.typedAnswers (a missing one is wrong) and sets screen.correctCount.
// The result, one per question in drill order, is what the screen's marks,
// the statistics and the learning record all take.
std::vector<AnsweredQuestion> gradeDrill(DrillScreenState& screen,
                                         std::vector<AnsweredQuestion> asked);

// The graded drill as the statistics count it.
GradedDrill countOf(const std::vector<AnsweredQuestion>& graded);

// "7／10点": right answers, a full-width slash, questions and "点".
QString scoreText(int correctCount, int questionCount);

} // namespace tavik
