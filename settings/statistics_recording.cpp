#include "settings/statistics_recording.h"
#include "settings/statistics_update.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QThread>

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
constexpr auto gradingLockWait = 5s;
// A copy writes its process id into the lock file the moment it creates it;
// an empty lock file older than this belongs to a copy that died in between,
// which QLockFile cannot tell from a live owner until the lock goes stale.
constexpr auto ownerlessLockAge = 500ms;
constexpr auto lockRetry = 50ms;

void removeOwnerlessLock(const QString& lockPath) {
    const QFileInfo lock(lockPath);
    if (lock.exists() && lock.size() == 0 &&
        lock.lastModified().msecsTo(QDateTime::currentDateTime()) >
            std::chrono::milliseconds(ownerlessLockAge).count()) {
        QFile::remove(lockPath);
    }
}

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
    return storeStatistics(settings, paths, GradedDrill{questionCount, correctCount},
                           gradingLockWait);
}

bool storeStatistics(SettingsState& settings, const SettingsPaths& paths,
                     std::optional<GradedDrill> drill, std::chrono::milliseconds lockWait) {
    const QString lockPath = paths.statisticsFile + QStringLiteral(".lock");
    QLockFile lock(lockPath);
    lock.setStaleLockTime(staleLockAge);
    const QDeadlineTimer deadline(lockWait);
    bool locked = false;
    while (!(locked = lock.tryLock(lockRetry)) && !deadline.hasExpired()) {
        // A lock file that cannot even be made (a read-only folder) fails
        // at once: the next try waits its turn rather than spinning.
        if (lock.error() != QLockFile::LockFailedError) {
            QThread::msleep(static_cast<unsigned long>(lockRetry.count()));
        }
        removeOwnerlessLock(lockPath);
    }
    if (!locked) {
        qWarning().noquote() << "Could not lock" << paths.statisticsFile
                             << "- grading without the lock";
    }
    SettingsState stored = settings;
    if (readStatistics(stored, paths)) {
        copyStatistics(stored, settings);
        for (const GradedDrill& waiting : settings.unsavedDrills) {
            recordGrading(settings, waiting.questionCount, waiting.correctCount);
        }
    }
    if (drill) {
        recordGrading(settings, drill->questionCount, drill->correctCount);
        settings.unsavedDrills.append(*drill);
    }
    if (!writeStatistics(settings, paths)) {
        return false;
    }
    settings.unsavedDrills.clear();
    return true;
}

} // namespace tavik
