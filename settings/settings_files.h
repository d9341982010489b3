#pragma once

#include "settings/settings_state.h"

#include <QString>

namespace tavik {

// Where conf.ini, tavik.ini and the learning record (history.sqlite) live:
// beside the program while its directory is writable, otherwise in the
// user's configuration directory.
struct SettingsPaths {
    QString configFile;
    QString statisticsFile;
    QString historyFile = {};
    // The folder the files would have been in, when they are kept elsewhere
    // for this run (the program's folder cannot be written, or another
    // place holds newer files); empty otherwise.
    QString movedFrom = {};
};

SettingsPaths locateSettingsFiles(const QString& programDir, const QString& userConfigDir);

// Returns whether the file could be read and held a statistics section; the
// fields are set either way, to what the file holds or to the defaults.
bool readStatistics(SettingsState& settings, const SettingsPaths& paths);
void readConfig(SettingsState& settings, const SettingsPaths& paths);
// Both return false when the file could not be written; the old file is then
// left as it was.
bool writeStatistics(const SettingsState& settings, const SettingsPaths& paths);
bool writeConfig(const SettingsState& settings, const SettingsPaths& paths);

// "False" exactly gives false; anything else, the empty text included, true.
bool parseFlag(const QString& value);

} // namespace tavik
