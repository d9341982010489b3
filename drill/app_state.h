#pragma once

#include "content/banks.h"
#include "drill/book_memory_cache.h"
#include "drill/drill_screen_state.h"
#include "drill/drill_set.h"
#include "drill/random_source.h"
#include "drill/recorder.h"
#include "history/history_store.h"
#include "settings/settings_files.h"
#include "settings/settings_state.h"

#include <memory>

namespace tavik {

class Speaker;

// Everything the screens share for the whole run. main() owns the one
// instance and hands it to each window by reference. It is declared here, the
// lowest folder that sees all its parts, so that every window above can use
// it while the composition root stays on top.
struct AppState {
    Banks banks;
    DrillSet drill;
    SettingsState settings;
    SettingsPaths paths;
    DrillScreenState screen;
    RandomSource random;
    // Made when the first screen with words to hear opens, kept for the
    // rest of the run.
    std::shared_ptr<Speaker> speaker;
    // Every graded drill goes through it to the statistics and the learning
    // record; the record is opened once the main window is on show.
    Recorder recorder{settings, paths};
    // The recorder's learning record, for those who read it.
    HistoryStore& history = recorder.history();
    // Each word's memory as the record leaves it, kept up with the record.
    BookMemoryCache bookMemory;
};

} // namespace tavik
