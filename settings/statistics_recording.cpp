#include "settings/statistics_recording.h"
#include "settings/statistics_update.h"

#include <QDebug>
#include <QLockFile>

#include <chrono>

namespace tavik {

namespace {

using namespace std::chrono_literals;

// A grading holds the lock for a few milliseconds. A lock older than this
// was left by a copy that hung or died on another machine sharing the
// folder; QLockFile clears the lock of a dead process on this machine at once.
constexpr auto staleLockAge = 10s;
// How long a grading waits for another copy before it writes regardless:
// losing this grading would be worse than the slight chance of a clash.
constexpr auto lockWait = 5s;

void copyStatistics(const SettingsState& from, SettingsState& to) {
    to.userName = from.userName;
    to.statScore = from.statScore;
    to.statQuestions = from.statQuestions;
    to.statRate = from.statRate;
    to.statGames = from.statGames;
}

} // namespace

bool recordGradingToFile(SettingsState& settings, const SettingsPaths& paths, int questionCount,
                         int correctCount) {
    QLockFile lock(paths.statisticsFile + QStringLiteral(".lock"));
    lock.setStaleLockTime(staleLockAge);
    if (!lock.tryLock(lockWait)) {
        qWarning().noquote() << "Could not lock" << paths.statisticsFile
                             << "- grading without the lock";
    }
    SettingsState stored = settings;
    if (readStatistics(stored, paths)) {
        copyStatistics(stored, settings);
        for (const GradedDrill& drill : settings.unsavedDrills) {
            recordGrading(settings, drill.questionCount, drill.correctCount);
        }
    }
    recordGrading(settings, questionCount, correctCount);
    if (!writeStatistics(settings, paths)) {
        settings.unsavedDrills.append({questionCount, correctCount});
        return false;
    }
    settings.unsavedDrills.clear();
    return true;
}

} // namespace tavik
