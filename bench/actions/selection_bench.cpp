#include "bench_world.h"

#include "drill/selection.h"

namespace tavik::bench {
namespace {

// Times one way of selecting, run again and again over the real banks.
template <typename Select> void timeSelection(benchmark::State& state, Select select) {
    BenchWorld& world = BenchWorld::get();
    for (auto _ : state) {
        select(world.state);
        benchmark::DoNotOptimize(world.state.drill.drillSentences.size());
    }
}

void searchAllRows(benchmark::State& state) {
    timeSelection(
        state, [](AppState& app) { selectBySearch(app.drill, app.banks, QString(), app.random); });
}
BENCHMARK(searchAllRows)->Name("Selection/SearchAllRows")->Unit(benchmark::kMicrosecond);

void searchJapanese(benchmark::State& state) {
    const QString freeWord = QStringLiteral("する");
    timeSelection(state, [&freeWord](AppState& app) {
        selectBySearch(app.drill, app.banks, freeWord, app.random);
    });
}
BENCHMARK(searchJapanese)->Name("Selection/SearchJapanese")->Unit(benchmark::kMicrosecond);

void randomPick40(benchmark::State& state) {
    const QString countText = QStringLiteral("40問");
    timeSelection(state, [&countText](AppState& app) {
        selectAtRandom(app.drill, app.banks, countText, app.random);
    });
}
BENCHMARK(randomPick40)->Name("Selection/RandomPick40")->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace tavik::bench
