#pragma once

#include <cstdint>
#include <vector>

namespace tavik {

// The questions of the next drill: bank row numbers in drill order. The
// counts, not the lengths of the lists, give the number of questions; a list
// whose count is 0 holds the single entry 0 (the header row).
struct DrillSet {
    std::vector<std::int16_t> drillWords;
    std::int16_t drillWordCount = 0;
    std::vector<std::int16_t> drillSentences;
    std::int16_t drillSentenceCount = 0;
};

} // namespace tavik
