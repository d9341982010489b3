#include "bench_world.h"

#include "app/ui/picture_button.h"
#include "drill/selection.h"
#include "settings/level.h"
#include "settings/settings_files.h"

#include <QCoreApplication>

namespace tavik::bench {

BenchWorld& BenchWorld::get() {
    static BenchWorld world;
    return world;
}

BenchWorld::BenchWorld() {
    loadBanks(state.banks);
    art.loadSplash(1.0);
    art.loadScreens(1.0);
    state.paths = locateSettingsFiles(settingsDir.path(), settingsDir.path());
}

void BenchWorld::prepareWholeDrill() {
    selectBySearch(state.drill, state.banks, QString(), state.random);
    state.settings.optQuestion = true;
    state.settings.statGames = 0;
    state.settings.statRate = 0;
    updateLevel(state.settings);
}

void settle() {
    for (int round = 0; round < 2; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

PictureButton* button(benchmark::State& state, QWidget* window, const char* name) {
    return control<PictureButton>(state, window, name);
}

} // namespace tavik::bench
