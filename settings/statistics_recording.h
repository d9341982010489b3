#pragma once

#include "settings/settings_files.h"
#include "settings/settings_state.h"

#include <chrono>
#include <optional>

namespace tavik {

// Adds one graded drill to the statistics stored in tavik.ini. Another copy
// of Tavik may have graded since this one read the file, so the counts are
// read afresh, updated and written back while a lock file beside tavik.ini
// keeps other copies out. Afterwards settings holds exactly what was stored.
// If the file cannot be read, or holds no statistics, the counts in settings
// are the base instead, so a damaged or deleted file never resets them.
// Returns false when the statistics could not be written; settings then
// still holds the updated counts and keeps the drill among its unsaved ones,
// which the next grading that can write stores on top of the file's counts.
bool recordGradingToFile(SettingsState& settings, const SettingsPaths& paths, int questionCount,
                         int correctCount);

// The same for the drills already counted in settings and waiting to be
// stored, with or without a new one, waiting at most lockWait for another
// copy's lock (sleeping between tries) before writing regardless.
bool storeStatistics(SettingsState& settings, const SettingsPaths& paths,
                     std::optional<GradedDrill> drill, std::chrono::milliseconds lockWait);

} // namespace tavik
