#pragma once

#include <cstdint>
#include <vector>

namespace tavik {

// The questions of the next drill: bank row numbers in drill order. A list's
// size is its number of questions. Row numbers are 16-bit, as every number
// the screens share; the banks are far smaller.
struct DrillSet {
    std::vector<std::int16_t> drillWords;
    std::vector<std::int16_t> drillSentences;
};

} // namespace tavik
