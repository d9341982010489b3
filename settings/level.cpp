#include "settings/level.h"

namespace tavik {

namespace {

QString levelFor(const SettingsState& settings) {
    if (settings.statGames > 10 && settings.statRate > 70) {
        return QStringLiteral("上級");
    }
    if (settings.statGames > 5 && settings.statRate > 45) {
        return QStringLiteral("中級");
    }
    return QStringLiteral("初級");
}

} // namespace

LevelLabels updateLevel(SettingsState& settings) {
    settings.levelText = levelFor(settings);
    // Before the first graded question the stored rate means nothing.
    const QString rate =
        settings.statQuestions != 0 ? QString::number(settings.statRate) : QStringLiteral("0");
    return {QString::number(settings.statGames), rate, settings.levelText};
}

} // namespace tavik
