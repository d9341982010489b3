#pragma once

#include "content/banks.h"
#include "drill/drill_set.h"
#include "history/history_store.h"

#include <QStringList>
#include <vector>

namespace tavik {

// The questions of a graded drill as the learning record keeps them: the
// word drill's words, or the sentence drill's sentences with the words they
// drill, each with whether its typed answer was right. Rows outside the
// banks are left out.
std::vector<AnsweredQuestion> answeredQuestions(const Banks& banks, const DrillSet& drill,
                                                bool wordDrill, const QStringList& typedAnswers);

} // namespace tavik
