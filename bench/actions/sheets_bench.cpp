#include "bench_world.h"

#include "app/ui/picture_button.h"
#include "print/ui/frmPrintI.h"
#include "print/ui/frmPrintT.h"

#include <memory>

namespace tavik::bench {
namespace {

// From the click on Next or Previous to the repainted preview of the page,
// back and forth between the first two pages.
template <typename Screen> void previewPage(benchmark::State& state) {
    BenchWorld& world = BenchWorld::get();
    world.prepareWholeDrill();
    Screen screen(world.state, world.art);
    screen.show();
    settle();
    PictureButton* next = button(state, &screen, "imgNext");
    PictureButton* before = button(state, &screen, "imgBefore");
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
BENCHMARK(previewPage<frmPrintT>)->Name("WordSheets/PreviewPage")->Unit(benchmark::kMicrosecond);
BENCHMARK(previewPage<frmPrintI>)
    ->Name("SentenceSheets/PreviewPage")
    ->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace tavik::bench
