#pragma once

#include <QObject>

namespace tavik {

// Qt 6.4 lays windows out at a scale factor below 1 (QT_SCALE_FACTOR=0.9
// gives a window of 702 × 540 device pixels for the 780 × 600 book), but
// its painter never scales a device below 1: every widget would be drawn at
// full size and cropped. Watching the application, this gives each window
// that opens on such a screen a painting of its own, the whole window drawn
// through one painter scaled to the screen. Nothing changes on other
// screens.
class DownscaledWindows : public QObject {
public:
    explicit DownscaledWindows(QObject* application);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace tavik
