#include "settings/level.h"

namespace tavik {

namespace {

Level levelFor(const SettingsState& settings) {
    if (settings.statGames > 10 && settings.statRate > 70) {
        return Level::Advanced;
    }
    if (settings.statGames > 5 && settings.statRate > 45) {
        return Level::Intermediate;
    }
    return Level::Beginner;
}

} // namespace

QString levelName(Level level) {
    switch (level) {
    case Level::Beginner:
        return QStringLiteral("初級");
    case Level::Intermediate:
        return QStringLiteral("中級");
    case Level::Advanced:
        break;
    }
    return QStringLiteral("上級");
}

LevelLabels updateLevel(SettingsState& settings) {
    settings.level = levelFor(settings);
    // Before the first graded question the stored rate means nothing.
    const QString rate =
        settings.statQuestions != 0 ? QString::number(settings.statRate) : QStringLiteral("0");
    return {QString::number(settings.statGames), rate, levelName(settings.level)};
}

} // namespace tavik
