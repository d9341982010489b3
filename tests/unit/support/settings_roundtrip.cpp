#include "unit/support/settings_roundtrip.h"

#include "settings/level.h"
#include "settings/settings_files.h"
#include "settings/statistics_recording.h"

#include <QDir>
#include <QFile>

#include <limits>

namespace tavik::testing {

namespace {

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Code points in hex, so that invisible and look-alike characters show.
QString spelled(const QString& text) {
    QStringList points;
    for (const char32_t point : text.toUcs4()) {
        points.append(QString::number(point, 16));
    }
    return points.join(u' ');
}

QString mismatch(const char* field, const QString& written, const QString& read) {
    return QStringLiteral("%1 written as [%2] read back as [%3]")
        .arg(QLatin1String(field), spelled(written), spelled(read));
}

QString firstDifference(const SettingsState& written, const SettingsState& read) {
    if (written.userName != read.userName) {
        return mismatch("NAME", written.userName, read.userName);
    }
    const struct {
        const char* name;
        int written;
        int read;
    } numbers[] = {
        {"SCORE", written.statScore, read.statScore},
        {"QUESTIONS", written.statQuestions, read.statQuestions},
        {"RATE", written.statRate, read.statRate},
        {"NOG", written.statGames, read.statGames},
        {"TERMS", written.optTerms, read.optTerms},
        {"PC", written.optPc, read.optPc},
        {"QUESTION", written.optQuestion, read.optQuestion},
    };
    for (const auto& number : numbers) {
        if (number.written != number.read) {
            return mismatch(number.name, QString::number(number.written),
                            QString::number(number.read));
        }
    }
    return {};
}

// A grading counts one more drill, unless the count already stands at the
// top of its range.
QString gradingFault(const SettingsState& before, const SettingsState& after) {
    const int expectedGames = before.statGames == std::numeric_limits<std::int16_t>::max()
                                  ? before.statGames
                                  : before.statGames + 1;
    if (after.statGames != expectedGames) {
        return QStringLiteral("grading took NOG from %1 to %2")
            .arg(before.statGames)
            .arg(after.statGames);
    }
    if (after.statQuestions < before.statQuestions || after.statScore < before.statScore) {
        return QStringLiteral("grading lowered SCORE or QUESTIONS");
    }
    return {};
}

} // namespace

QString settingsRoundTripFault(const QByteArray& content, const QString& directory) {
    const QDir dir(directory);
    const SettingsPaths paths{dir.filePath(QStringLiteral("conf.ini")),
                              dir.filePath(QStringLiteral("tavik.ini"))};
    if (!writeBytes(paths.configFile, content) || !writeBytes(paths.statisticsFile, content)) {
        return QStringLiteral("could not place the input in %1").arg(directory);
    }

    SettingsState state;
    readStatistics(state, paths);
    readConfig(state, paths);
    updateLevel(state);

    const int questions = content.isEmpty() ? 10 : static_cast<signed char>(content.front());
    const int correct = content.isEmpty() ? 7 : static_cast<signed char>(content.back());
    const SettingsState beforeGrading = state;
    if (!recordGradingToFile(state, paths, questions, correct)) {
        return QStringLiteral("the grading was not written");
    }
    if (const QString fault = gradingFault(beforeGrading, state); !fault.isEmpty()) {
        return fault;
    }
    if (!writeConfig(state, paths)) {
        return QStringLiteral("the options were not written");
    }

    SettingsState reread;
    readStatistics(reread, paths);
    readConfig(reread, paths);
    if (const QString fault = firstDifference(state, reread); !fault.isEmpty()) {
        return fault;
    }

    const QByteArray statistics = readBytes(paths.statisticsFile);
    const QByteArray config = readBytes(paths.configFile);
    if (!writeStatistics(reread, paths) || !writeConfig(reread, paths)) {
        return QStringLiteral("the second write failed");
    }
    if (readBytes(paths.statisticsFile) != statistics) {
        return QStringLiteral("writing the same statistics again changed tavik.ini");
    }
    if (readBytes(paths.configFile) != config) {
        return QStringLiteral("writing the same options again changed conf.ini");
    }
    return {};
}

} // namespace tavik::testing
