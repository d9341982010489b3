#include "bench_world.h"

#include "drill/selection.h"
#include "settings/level.h"
#include "settings/settings_files.h"
#include "shell/ui/picture_button.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <ctime>
#include <memory>

namespace tavik::bench {

namespace {

std::unique_ptr<BenchWorld>& theWorld() {
    static std::unique_ptr<BenchWorld> world;
    return world;
}

} // namespace

BenchWorld& BenchWorld::get() {
    if (!theWorld()) {
        theWorld().reset(new BenchWorld);
    }
    return *theWorld();
}

void BenchWorld::release() {
    theWorld().reset();
}

BenchWorld::BenchWorld()
    : m_memoryDir(QDir(QStringLiteral("/dev/shm")).exists()
                      ? QStringLiteral("/dev/shm/tavik-bench-XXXXXX")
                      : QDir::temp().filePath(QStringLiteral("tavik-bench-XXXXXX"))) {
    loadBanks(state.banks);
    art.loadSplash(1.0);
    art.loadScreens(1.0);
    keepSettingsIn(Storage::Memory);
}

void BenchWorld::keepSettingsIn(Storage storage) {
    const QString dir = storage == Storage::Memory ? m_memoryDir.path() : m_diskDir.path();
    state.paths = locateSettingsFiles(dir, dir);
    // Grading records every answer, as in the program.
    state.history.open(state.paths.historyFile);
}

void BenchWorld::prepareWholeDrill() {
    selectBySearch(state.drill, state.banks, QString(), state.random);
    state.settings.optQuestion = true;
    state.settings.statGames = 0;
    state.settings.statRate = 0;
    updateLevel(state.settings);
}

void BenchWorld::prepareDueRecord() {
    std::vector<AnsweredQuestion> allWrong;
    for (int word = 1; word <= kWordRows; ++word) {
        allWrong.push_back({word, 0, false});
    }
    state.history.record(allWrong, QDateTime::currentDateTimeUtc());
}

void settle() {
    for (int round = 0; round < 2; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

ActionTimer::~ActionTimer() {
    m_state.counters["cpu_ms"] =
        benchmark::Counter(m_cpuSeconds * 1000.0, benchmark::Counter::kAvgIterations);
}

ActionTimer::Instant ActionTimer::now() {
    timespec wall{};
    timespec cpu{};
    clock_gettime(CLOCK_MONOTONIC, &wall);
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu);
    return {static_cast<double>(wall.tv_sec) + static_cast<double>(wall.tv_nsec) / 1e9,
            static_cast<double>(cpu.tv_sec) + static_cast<double>(cpu.tv_nsec) / 1e9};
}

PictureButton* button(benchmark::State& state, QWidget* window, const char* name) {
    return control<PictureButton>(state, window, name);
}

void timePagingBackAndForth(benchmark::State& state, QWidget* window) {
    PictureButton* next = button(state, window, "imgNext");
    PictureButton* before = button(state, window, "imgBefore");
    if (next == nullptr || before == nullptr) {
        return;
    }
    ActionTimer timer(state);
    bool forward = true;
    for (auto _ : state) {
        timer.time([&] {
            (forward ? next : before)->click();
            settle();
        });
        forward = !forward;
    }
}

} // namespace tavik::bench
