#pragma once

#include <QStringList>
#include <cstdint>

namespace tavik {

namespace ViewMode {
enum : std::int16_t { Solving = 1, Graded = 2, Checking = 3 };
}

// State of the drill screen on show; a drill screen resets it when it loads.
struct DrillScreenState {
    QStringList typedAnswers;
    std::int16_t currentPage = 0;
    std::int16_t pageCount = 0;
    std::int16_t viewMode = 0;
    std::int16_t correctCount = 0;
};

} // namespace tavik
