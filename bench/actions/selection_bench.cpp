#include "bench_world.h"

#include "drill/selection.h"

namespace tavik::bench {
namespace {

void searchAllRows(benchmark::State& state) {
    BenchWorld& world = BenchWorld::get();
    for (auto _ : state) {
        selectBySearch(world.state.drill, world.state.banks, QString(), world.state.random);
        benchmark::DoNotOptimize(world.state.drill.drillSentences.size());
    }
}
BENCHMARK(searchAllRows)->Name("Selection/SearchAllRows")->Unit(benchmark::kMicrosecond);

void searchJapanese(benchmark::State& state) {
    BenchWorld& world = BenchWorld::get();
    const QString freeWord = QStringLiteral("する");
    for (auto _ : state) {
        selectBySearch(world.state.drill, world.state.banks, freeWord, world.state.random);
        benchmark::DoNotOptimize(world.state.drill.drillSentences.size());
    }
}
BENCHMARK(searchJapanese)->Name("Selection/SearchJapanese")->Unit(benchmark::kMicrosecond);

void randomPick40(benchmark::State& state) {
    BenchWorld& world = BenchWorld::get();
    const QString countText = QStringLiteral("40問");
    for (auto _ : state) {
        selectAtRandom(world.state.drill, world.state.banks, countText, world.state.random);
        benchmark::DoNotOptimize(world.state.drill.drillSentences.size());
    }
}
BENCHMARK(randomPick40)->Name("Selection/RandomPick40")->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace tavik::bench
