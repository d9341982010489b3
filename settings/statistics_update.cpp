#include "settings/statistics_update.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tavik {

namespace {

constexpr std::int64_t counterMin = std::numeric_limits<std::int16_t>::min();
constexpr std::int64_t counterMax = std::numeric_limits<std::int16_t>::max();

std::int16_t saturated(std::int64_t value) {
    return static_cast<std::int16_t>(std::clamp(value, counterMin, counterMax));
}

int wholePercent(int questionCount, int correctCount) {
    if (questionCount <= 0) {
        return 0;
    }
    return static_cast<int>(std::trunc(correctCount * 100.0 / questionCount));
}

// The running mean over all drills, each drill weighing the same. A negative
// drill count can only come from a damaged file; it counts as none so the
// division stays defined.
std::int16_t updatedRate(const SettingsState& settings, int drillPercent) {
    const std::int64_t games = std::max<std::int64_t>(settings.statGames, 0);
    const std::int64_t total = drillPercent + games * settings.statRate;
    return saturated(static_cast<std::int64_t>(
        std::trunc(static_cast<double>(total) / static_cast<double>(games + 1))));
}

} // namespace

int recordGrading(SettingsState& settings, int questionCount, int correctCount) {
    questionCount = std::max(questionCount, 0);
    correctCount = std::clamp(correctCount, 0, questionCount);
    const int drillPercent = wholePercent(questionCount, correctCount);
    settings.statQuestions = saturated(std::int64_t{settings.statQuestions} + questionCount);
    settings.statScore = saturated(std::int64_t{settings.statScore} + correctCount);
    settings.statRate = updatedRate(settings, drillPercent);
    settings.statGames = saturated(std::int64_t{settings.statGames} + 1);
    return drillPercent;
}

} // namespace tavik
