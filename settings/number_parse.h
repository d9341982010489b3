#pragma once

#include <QStringView>
#include <cstdint>

namespace tavik {

// Reads a number the way Basic's Val does: blanks before it are skipped and
// the longest leading part that forms a number (sign, digits with an optional
// decimal point, an exponent written with E or D) is taken, so "12abc" gives
// 12 and text without a number gives 0. Only ASCII digits count. An exponent
// out of range gives an infinity of the number's sign, or 0.
double val(QStringView text);

// A stored counter: its Val rounded half to even and clamped into the 16-bit
// range.
std::int16_t parseCounter(QStringView text);

} // namespace tavik
