#pragma once

#include "content/banks.h"
#include "drill/drill_screen_state.h"
#include "drill/drill_set.h"
#include "drill/random_source.h"
#include "settings/settings_files.h"
#include "settings/settings_state.h"

namespace tavik {

// Everything the screens share for the whole run. main() owns the one
// instance and hands it to each window by reference.
struct AppState {
    Banks banks;
    DrillSet drill;
    SettingsState settings;
    SettingsPaths paths;
    DrillScreenState screen;
    RandomSource random;
};

} // namespace tavik
