#pragma once

class QWidget;

namespace tavik {

// A benchmarking aid, idle unless the environment variable
// TAVIK_STARTUP_TRACE names a file. Then each start-up milestone is appended
// to that file as one line "<event> <nanoseconds>", read from CLOCK_MONOTONIC,
// so a harness that notes the same clock before it launches the program can
// time the launch, the splash, the timer tick and the main window
// (bench/startup_bench.cpp does).
class StartupTrace {
public:
    static void mark(const char* event);

    // Marks "<name>.mapped" when the shown window is first exposed on the
    // display and "<name>.painted" once its first picture has been drawn and
    // handed to the display. Call before show().
    static void watchFirstPaint(QWidget* window, const char* name);
};

} // namespace tavik
