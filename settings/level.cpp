#include "settings/level.h"

namespace tavik {

namespace {

// What a level asks for: more graded drills than `games` at a mean rate
// above `rate`.
struct LevelBar {
    Level level;
    int games;
    int rate;
};

constexpr LevelBar kIntermediate{Level::Intermediate, 5, 45};
constexpr LevelBar kAdvanced{Level::Advanced, 10, 70};

bool reaches(const SettingsState& settings, const LevelBar& bar) {
    return settings.statGames > bar.games && settings.statRate > bar.rate;
}

Level levelFor(const SettingsState& settings) {
    if (reaches(settings, kAdvanced)) {
        return Level::Advanced;
    }
    if (reaches(settings, kIntermediate)) {
        return Level::Intermediate;
    }
    return Level::Beginner;
}

} // namespace

QString levelRuleText() {
    return QStringLiteral("採点%1回・平均正答率%2%以上で中級、%3回・%4%以上で上級")
        .arg(kIntermediate.games + 1)
        .arg(kIntermediate.rate + 1)
        .arg(kAdvanced.games + 1)
        .arg(kAdvanced.rate + 1);
}

QString nextLevelText(const SettingsState& settings) {
    const Level level = levelFor(settings);
    if (level == Level::Advanced) {
        return QStringLiteral("最高のレベルです（平均正答率が%1%以下になると中級に戻ります）")
            .arg(kAdvanced.rate);
    }
    const LevelBar& next = level == Level::Beginner ? kIntermediate : kAdvanced;
    QStringList missing;
    const int games = next.games + 1 - settings.statGames;
    if (games > 0) {
        missing.append(QStringLiteral("採点あと%1回").arg(games));
    }
    const int points = next.rate + 1 - settings.statRate;
    if (points > 0) {
        missing.append(QStringLiteral("平均正答率あと%1ポイント").arg(points));
    }
    return QStringLiteral("%1まで：%2")
        .arg(levelName(next.level), missing.join(QStringLiteral("、")));
}

QString levelChangeText(Level before, Level after) {
    if (before == after) {
        return {};
    }
    return QStringLiteral("レベルが%1に%2りました")
        .arg(levelName(after), after > before ? QStringLiteral("上が") : QStringLiteral("下が"));
}

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
