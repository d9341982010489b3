#include "drill/grading.h"

#include <algorithm>
#include <limits>

namespace tavik {

bool isRightAnswer(const QString& typed, const QString& answer) {
    return !typed.isEmpty() && typed == answer;
}

GradedDrill gradeAnswers(DrillScreenState& screen, const QStringList& rightAnswers) {
    const int questionCount = static_cast<int>(rightAnswers.size());
    int right = 0;
    for (int i = 0; i < questionCount; ++i) {
        if (i < screen.typedAnswers.size() &&
            isRightAnswer(screen.typedAnswers[i], rightAnswers[i])) {
            ++right;
        }
    }
    screen.correctCount =
        static_cast<std::int16_t>(std::min(right, int{std::numeric_limits<std::int16_t>::max()}));
    return {questionCount, right};
}

QString scoreText(int correctCount, int questionCount) {
    return QStringLiteral("%1／%2点").arg(correctCount).arg(questionCount);
}

} // namespace tavik
