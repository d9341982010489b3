#include "bench_world.h"

#include "shell/ui/frmHelp.h"
#include "shell/ui/picture_button.h"

#include <QEvent>
#include <QTest>

namespace tavik::bench {
namespace {

// Counts the paint events of a window and all its controls.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* window) {
        window->installEventFilter(this);
        for (QWidget* child : window->findChildren<QWidget*>()) {
            child->installEventFilter(this);
        }
    }
    long paints = 0;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return false;
    }
};

// Pointer moves to and fro inside one place of the help screen, each
// followed by whatever repaint it causes; reports repaints per move.
void moveWithin(benchmark::State& state, const char* target, QPoint from, QPoint to) {
    BenchWorld& world = BenchWorld::get();
    frmHelp screen(world.state, world.art);
    screen.show();
    settle();
    QWidget* place = &screen;
    if (target != nullptr) {
        place = button(state, &screen, target);
        if (place == nullptr) {
            return;
        }
    }
    QTest::mouseMove(place, from);
    settle();
    PaintCounter counter(&screen);
    {
        ActionTimer timer(state);
        bool there = true;
        for (auto _ : state) {
            timer.time([&] {
                QTest::mouseMove(place, there ? to : from);
                settle();
            });
            there = !there;
        }
    }
    state.counters["paints_per_move"] =
        benchmark::Counter(static_cast<double>(counter.paints), benchmark::Counter::kAvgIterations);
}

void moveOverButton(benchmark::State& state) {
    moveWithin(state, "imgBack", {10, 10}, {30, 15});
}
BENCHMARK(moveOverButton)
    ->Name("Hover/MoveOverButton")
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime();

void moveOverBareSurface(benchmark::State& state) {
    moveWithin(state, nullptr, {40, 300}, {50, 310});
}
BENCHMARK(moveOverBareSurface)
    ->Name("Hover/MoveOverBareSurface")
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime();

} // namespace
} // namespace tavik::bench
