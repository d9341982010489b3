#pragma once

namespace tavik {

// Screens laid out in twips convert at 15 twips a logical pixel.
constexpr int twipsToPixels(int twips) {
    return (twips >= 0 ? twips + 7 : twips - 7) / 15;
}

} // namespace tavik
