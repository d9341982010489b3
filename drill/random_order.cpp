#include "drill/selection.h"

#include <algorithm>
#include <limits>

namespace tavik {

int randomInt(int size, RandomSource& random) {
    if (size < 1) {
        return 0;
    }
    std::uniform_int_distribution<int> position(1, size);
    return position(random.engine());
}

std::vector<std::int16_t> randomOrder(int hi, int lo, int count, bool unique,
                                      RandomSource& random) {
    constexpr int kMin = std::numeric_limits<std::int16_t>::min();
    constexpr int kMax = std::numeric_limits<std::int16_t>::max();
    // The lists hold 16-bit row numbers and are counted in 16 bits; a range
    // or a length beyond that has no place in them.
    if (count <= 0 || count > kMax || hi < lo || lo < kMin || hi > kMax) {
        return {};
    }
    const int valueCount = hi - lo + 1;

    if (!unique) {
        std::vector<std::int16_t> result(static_cast<std::size_t>(count));
        for (std::int16_t& value : result) {
            value = static_cast<std::int16_t>(lo - 1 + randomInt(valueCount, random));
        }
        return result;
    }

    if (count > valueCount) {
        return {};
    }
    // A uniformly shuffled urn, cut to count, is a uniform draw without
    // replacement in drawing order.
    std::vector<std::int16_t> urn;
    urn.reserve(static_cast<std::size_t>(valueCount));
    for (int value = lo; value <= hi; ++value) {
        urn.push_back(static_cast<std::int16_t>(value));
    }
    std::shuffle(urn.begin(), urn.end(), random.engine());
    urn.resize(static_cast<std::size_t>(count));
    return urn;
}

} // namespace tavik
