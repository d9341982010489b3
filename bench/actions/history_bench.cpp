#include "bench_world.h"

#include "drill/book_memory.h"
#include "history/history_store.h"

#include <QDateTime>
#include <atomic>
#include <sys/syscall.h>
#include <unistd.h>

namespace {
// Every sync to disk the program asks for passes through here (the link
// exports these two names, so SQLite's calls land here too).
std::atomic<long> syncs{0};
} // namespace

extern "C" int fsync(int fd) {
    ++syncs;
    return static_cast<int>(syscall(SYS_fsync, fd));
}

extern "C" int fdatasync(int fd) {
    ++syncs;
    return static_cast<int>(syscall(SYS_fdatasync, fd));
}

namespace tavik::bench {
namespace {

// A sentence drill of all 144 questions, every third one wrong.
std::vector<AnsweredQuestion> wholeSentenceDrill(const Banks& banks) {
    std::vector<AnsweredQuestion> questions;
    for (int row = 1; row < static_cast<int>(banks.SentenceBank.size()); ++row) {
        questions.push_back(
            {banks.SentenceBank[static_cast<std::size_t>(row)][SentenceField::WordKey].toInt(), row,
             row % 3 != 0});
    }
    return questions;
}

// Storing one graded drill of 144 questions in the learning record: its
// rows, its words' boxes and the commit, in a record of its own.
template <BenchWorld::Storage storage> void record144(benchmark::State& state) {
    BenchWorld& world = BenchWorld::get();
    world.keepSettingsIn(storage);
    const std::vector<AnsweredQuestion> questions = wholeSentenceDrill(world.state.banks);
    {
        HistoryStore history;
        history.open(world.state.paths.historyFile + QStringLiteral(".bench"));
        const long syncsBefore = syncs;
        ActionTimer timer(state);
        for (auto _ : state) {
            timer.time([&] {
                if (!history.record(questions, QDateTime::currentDateTimeUtc())) {
                    state.SkipWithError("the record could not be written");
                }
            });
        }
        state.counters["syncs"] = benchmark::Counter(static_cast<double>(syncs - syncsBefore),
                                                     benchmark::Counter::kAvgIterations);
    }
    world.keepSettingsIn(BenchWorld::Storage::Memory);
}
BENCHMARK(record144<BenchWorld::Storage::Memory>)
    ->Name("History/Record144")
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime();
BENCHMARK(record144<BenchWorld::Storage::Disk>)
    ->Name("History/Record144OnDisk")
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime();

// The due words of a record in which all 141 words are due, as the main
// window counts them after a grading: the answers stored since the last
// count read and their words replayed.
void dueCount(benchmark::State& state) {
    BenchWorld& world = BenchWorld::get();
    world.prepareDueRecord();
    AppState& app = world.state;
    app.bookMemory.refresh(app.history, app.banks, app.settings.desiredRetention);
    ActionTimer timer(state);
    for (auto _ : state) {
        world.prepareDueRecord();
        timer.time([&] {
            app.bookMemory.refresh(app.history, app.banks, app.settings.desiredRetention);
            benchmark::DoNotOptimize(
                dueBookWords(app.bookMemory.book(), QDate::currentDate()).size());
        });
    }
}
BENCHMARK(dueCount)->Name("History/DueCount")->Unit(benchmark::kMicrosecond)->UseManualTime();

} // namespace
} // namespace tavik::bench
