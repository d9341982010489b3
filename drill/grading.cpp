#include "drill/grading.h"

#include <algorithm>
#include <limits>

namespace tavik {

bool isRightAnswer(const QString& typed, const QString& answer) {
    return !typed.isEmpty() && typed == answer;
}

std::vector<AnsweredQuestion> gradeDrill(DrillScreenState& screen,
                                         std::vector<AnsweredQuestion> asked) {
    for (std::size_t i = 0; i < asked.size(); ++i) {
        AnsweredQuestion& question = asked[i];
        question.typed = screen.typedAnswers.value(static_cast<qsizetype>(i));
        question.right = isRightAnswer(question.typed, question.rightAnswer);
    }
    screen.correctCount = static_cast<std::int16_t>(
        std::min(countOf(asked).correctCount, int{std::numeric_limits<std::int16_t>::max()}));
    return asked;
}

GradedDrill countOf(const std::vector<AnsweredQuestion>& graded) {
    const auto right =
        std::count_if(graded.begin(), graded.end(),
                      [](const AnsweredQuestion& question) { return question.right; });
    return {static_cast<int>(graded.size()), static_cast<int>(right)};
}

QString scoreText(int correctCount, int questionCount) {
    return QStringLiteral("%1／%2点").arg(correctCount).arg(questionCount);
}

} // namespace tavik
