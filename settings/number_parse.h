#pragma once

#include <QStringView>
#include <cstdint>

namespace tavik {

// Reads a stored counter the way Basic's Val reads a number: blanks before
// it are skipped and the longest leading part that forms a number (sign,
// digits, decimal point, exponent) is taken, so "12abc" gives 12 and text
// without a number gives 0. The result is rounded half to even and clamped
// into the 16-bit range.
std::int16_t parseCounter(QStringView text);

} // namespace tavik
