#pragma once

#include <QStringList>
#include <cstdint>

namespace tavik {

namespace ViewMode {
enum : std::int16_t { Solving = 1, Graded = 2, Checking = 3 };
}

// State of the drill screen on show, shared with grading; a drill screen
// resets it when it loads. The page on show is the screen's own. Counters are
// 16-bit, as every number the screens share: a drill never comes near their
// limit, and grading saturates rather than wraps.
struct DrillScreenState {
    QStringList typedAnswers;
    std::int16_t viewMode = 0;
    std::int16_t correctCount = 0;
};

} // namespace tavik
