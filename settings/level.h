#pragma once

#include "settings/settings_state.h"

#include <QString>
#include <QStringList>

namespace tavik {

// What the main window's statistics panel shows.
struct LevelLabels {
    QString lblNog;
    QString lblRate;
    QString lblLevel;
};

// Recomputes settings.level from the statistics and returns the texts of the
// three statistics labels.
LevelLabels updateLevel(SettingsState& settings);

// "初級", "中級" or "上級".
QString levelName(Level level);

// The rule of the levels in one line.
QString levelRuleText();

// How far the statistics are from the next level, or that the learner is
// at the top.
QString nextLevelText(const SettingsState& settings);

// The line that tells the learner a grading changed the level; empty when
// it did not.
QString levelChangeText(Level before, Level after);

} // namespace tavik
