#include "app/screen_fit.h"

#include <cmath>

namespace tavik {

namespace {

// The screen window's client area, and room for the title bar and border a
// window manager adds around it (Qt learns their size only once a window is
// on show).
constexpr QSizeF kWindowWithFrame(780 + 8, 600 + 32);
// 780 and 600 times a twentieth are whole numbers.
constexpr qreal kRatioSteps = 20;

} // namespace

std::optional<qreal> scaleToFit(QSizeF available, qreal devicePixelRatio) {
    if (available.isEmpty() || devicePixelRatio <= 0) {
        return std::nullopt;
    }
    const qreal scale = std::min(available.width() / kWindowWithFrame.width(),
                                 available.height() / kWindowWithFrame.height());
    if (scale >= 1) {
        return std::nullopt;
    }
    const qreal fittedRatio =
        std::max(std::floor(devicePixelRatio * scale * kRatioSteps), 1.0) / kRatioSteps;
    return fittedRatio / devicePixelRatio;
}

} // namespace tavik
