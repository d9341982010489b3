#pragma once

#include <cstdint>
#include <random>

namespace tavik {

// The one generator behind every random choice: seeded once from the
// system's entropy, so successive draws stay independent and uniform.
// Tests construct it with a fixed seed.
class RandomSource {
public:
    RandomSource();
    explicit RandomSource(std::uint32_t seed);

    std::mt19937& engine() { return m_engine; }

private:
    std::mt19937 m_engine;
};

} // namespace tavik
