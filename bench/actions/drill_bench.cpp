#include "bench_world.h"

#include "app/ui/picture_button.h"
#include "screens/drill_screen_state.h"
#include "screens/ui/frmListI.h"
#include "screens/ui/frmListT.h"

#include <chrono>
#include <memory>

namespace tavik::bench {
namespace {

template <typename Screen> std::unique_ptr<Screen> openDrill() {
    BenchWorld& world = BenchWorld::get();
    world.prepareWholeDrill();
    world.state.screen.viewMode = ViewMode::Solving;
    auto screen = std::make_unique<Screen>(world.state, world.art);
    screen->show();
    settle();
    return screen;
}

// From the click on Next or Previous to the repainted page, back and forth
// between the first two pages.
template <typename Screen> void pageChange(benchmark::State& state) {
    auto screen = openDrill<Screen>();
    PictureButton* next = button(state, screen.get(), "imgNext");
    PictureButton* before = button(state, screen.get(), "imgBefore");
    if (next == nullptr || before == nullptr) {
        return;
    }
    bool forward = true;
    for (auto _ : state) {
        (forward ? next : before)->click();
        settle();
        forward = !forward;
    }
}
BENCHMARK(pageChange<frmListT>)->Name("WordDrill/PageChange")->Unit(benchmark::kMicrosecond);
BENCHMARK(pageChange<frmListI>)->Name("SentenceDrill/PageChange")->Unit(benchmark::kMicrosecond);

// From the click on the grade button to the repainted, graded page: every
// answer compared, the statistics written to their file, the marks shown.
template <typename Screen> void grade(benchmark::State& state) {
    for (auto _ : state) {
        auto screen = openDrill<Screen>();
        PictureButton* gradeButton = button(state, screen.get(), "imgGrade");
        if (gradeButton == nullptr) {
            return;
        }
        const auto start = std::chrono::steady_clock::now();
        gradeButton->click();
        settle();
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}
BENCHMARK(grade<frmListT>)
    ->Name("WordDrill/Grade141")
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime();
BENCHMARK(grade<frmListI>)
    ->Name("SentenceDrill/Grade144")
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime();

} // namespace
} // namespace tavik::bench
