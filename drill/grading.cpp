#include "drill/grading.h"

#include "settings/statistics_recording.h"

#include <algorithm>
#include <limits>

namespace tavik {

bool isRightAnswer(const QString& typed, const QString& answer) {
    return !typed.isEmpty() && typed == answer;
}

bool gradeAnswers(DrillScreenState& screen, SettingsState& settings, const SettingsPaths& paths,
                  const QStringList& rightAnswers) {
    const int questionCount = static_cast<int>(rightAnswers.size());
    screen.correctCount = 0;
    if (questionCount == 0) {
        // Nothing was asked, so there is no drill to count.
        return true;
    }
    int right = 0;
    for (int i = 0; i < questionCount; ++i) {
        if (i < screen.typedAnswers.size() &&
            isRightAnswer(screen.typedAnswers[i], rightAnswers[i])) {
            ++right;
        }
    }
    screen.correctCount =
        static_cast<std::int16_t>(std::min(right, int{std::numeric_limits<std::int16_t>::max()}));
    return recordGradingToFile(settings, paths, questionCount, right);
}

QString scoreText(int correctCount, int questionCount) {
    return QStringLiteral("%1／%2点").arg(correctCount).arg(questionCount);
}

} // namespace tavik
