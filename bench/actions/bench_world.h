#pragma once

#include "drill/app_state.h"
#include "shell/ui/artwork.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

class QWidget;

namespace tavik {
class PictureButton;
}

namespace tavik::bench {

// What every benchmark shares, made once: the banks, the pictures, and
// settings files in a folder of their own.
struct BenchWorld {
    static BenchWorld& get();
    // Ends the world while the application still runs: its pictures and its
    // learning record's database connection cannot outlive it.
    static void release();

    AppState state;
    Artwork art;

    // Where grading saves the statistics: a folder in memory measures the
    // work of the program alone; one on the disk adds the wait for the disk
    // to confirm the save, which grading makes before it shows the marks.
    enum class Storage { Memory, Disk };
    void keepSettingsIn(Storage storage);

    // A drill of every word (141) and every sentence (144), solved at the
    // level that shows every hint.
    void prepareWholeDrill();

    // Makes all 141 words due in the learning record.
    void prepareDueRecord();

private:
    BenchWorld();

    QTemporaryDir m_diskDir;
    QTemporaryDir m_memoryDir;
};

// Lets the event loop do what a click or a move has left to do (repaint
// above all), as it would before the learner sees the result.
void settle();

// The named control of a window; marks the benchmark as failed (and
// returns null) when the window has no such control.
template <typename Control>
Control* control(benchmark::State& state, QWidget* window, const char* name);

PictureButton* button(benchmark::State& state, QWidget* window, const char* name);

// Times the actions of a benchmark run with UseManualTime(): the wall-clock
// time of each is the benchmark's time (what the learner waits for); the
// thread's CPU time goes in the counter cpu_ms, which shows the program's
// own work apart from waits for the disk or for a busy machine.
class ActionTimer {
public:
    explicit ActionTimer(benchmark::State& state) : m_state(state) {}
    ~ActionTimer();
    ActionTimer(const ActionTimer&) = delete;
    ActionTimer& operator=(const ActionTimer&) = delete;

    template <typename Action> void time(Action&& action) {
        const Instant start = now();
        action();
        const Instant end = now();
        m_state.SetIterationTime(end.wallSeconds - start.wallSeconds);
        m_cpuSeconds += end.cpuSeconds - start.cpuSeconds;
    }

private:
    struct Instant {
        double wallSeconds;
        double cpuSeconds;
    };
    static Instant now();

    benchmark::State& m_state;
    double m_cpuSeconds = 0.0;
};

// Times clicks on the window's Next and Previous buttons, back and forth
// between its first two pages, each up to the repainted page.
void timePagingBackAndForth(benchmark::State& state, QWidget* window);

} // namespace tavik::bench

#include "bench_world_impl.h"
