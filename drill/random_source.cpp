#include "drill/random_source.h"

namespace tavik {

RandomSource::RandomSource() : m_engine(std::random_device{}()) {}

RandomSource::RandomSource(std::uint32_t seed) : m_engine(seed) {}

} // namespace tavik
