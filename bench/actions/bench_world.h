#pragma once

#include "app/app_state.h"
#include "app/ui/artwork.h"

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

    AppState state;
    Artwork art;
    QTemporaryDir settingsDir;

    // A drill of every word (141) and every sentence (144), solved at the
    // level that shows every hint.
    void prepareWholeDrill();

private:
    BenchWorld();
};

// Lets the event loop do what a click or a move has left to do (repaint
// above all), as it would before the learner sees the result.
void settle();

// The named control of a window; marks the benchmark as failed (and
// returns null) when the window has no such control.
template <typename Control>
Control* control(benchmark::State& state, QWidget* window, const char* name);

PictureButton* button(benchmark::State& state, QWidget* window, const char* name);

} // namespace tavik::bench

#include "bench_world_impl.h"
