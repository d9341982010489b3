#include "bench_world.h"

#include "drill/drill_screen_state.h"
#include "screens/ui/frmListI.h"
#include "screens/ui/frmListT.h"
#include "shell/ui/picture_button.h"

#include <memory>

namespace tavik::bench {
namespace {

template <typename Screen> std::unique_ptr<Screen> openDrill() {
    BenchWorld& world = BenchWorld::get();
    world.prepareWholeDrill();
    auto screen = std::make_unique<Screen>(world.state, world.art);
    screen->show();
    settle();
    return screen;
}

// From the click on Next or Previous to the repainted page, back and forth
// between the first two pages.
template <typename Screen> void pageChange(benchmark::State& state) {
    auto screen = openDrill<Screen>();
    timePagingBackAndForth(state, screen.get());
}
BENCHMARK(pageChange<frmListT>)
    ->Name("WordDrill/PageChange")
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime();
BENCHMARK(pageChange<frmListI>)
    ->Name("SentenceDrill/PageChange")
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime();

// From the click on the grade button to the repainted, graded page: every
// answer compared and counted, the marks shown; the files are written after.
template <typename Screen, BenchWorld::Storage storage> void grade(benchmark::State& state) {
    BenchWorld::get().keepSettingsIn(storage);
    {
        ActionTimer timer(state);
        for (auto _ : state) {
            auto screen = openDrill<Screen>();
            PictureButton* gradeButton = button(state, screen.get(), "imgGrade");
            if (gradeButton == nullptr) {
                break;
            }
            timer.time([&] {
                gradeButton->click();
                settle();
            });
            // The files are written on the recorder's thread after the
            // repaint; each grading is stored before the next is timed.
            BenchWorld::get().state.recorder.waitUntilTried(10000);
        }
    }
    BenchWorld::get().keepSettingsIn(BenchWorld::Storage::Memory);
}
BENCHMARK(grade<frmListT, BenchWorld::Storage::Memory>)
    ->Name("WordDrill/Grade141")
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime();
BENCHMARK(grade<frmListI, BenchWorld::Storage::Memory>)
    ->Name("SentenceDrill/Grade144")
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime();
BENCHMARK(grade<frmListT, BenchWorld::Storage::Disk>)
    ->Name("WordDrill/Grade141OnDisk")
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime();

} // namespace
} // namespace tavik::bench
