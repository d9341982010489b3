#pragma once

#include <QSizeF>
#include <optional>

namespace tavik {

// How much every window of the program is scaled down so that a screen
// window, with the window manager's frame, fits the screen's available area
// (in logical pixels, at the device pixel ratio the program now runs with).
// None when it fits as it is. The scaled device pixel ratio is a whole
// twentieth, so the 780 × 600 book stays a whole number of device pixels.
std::optional<qreal> scaleToFit(QSizeF available, qreal devicePixelRatio);

} // namespace tavik
