#pragma once

#include "settings/settings_state.h"

#include <QString>

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

} // namespace tavik
