#include "shell/ui/frmSplash.h"

#include "content/banks.h"
#include "settings/settings_state.h"
#include "shell/ui/startup_trace.h"

#include <QPainter>
#include <QScreen>

namespace tavik {

frmSplash::frmSplash(Banks& banks, SettingsState& settings, const QPixmap& picture,
                     std::function<void()> openMainWindow)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint), m_banks(banks),
      m_settings(settings), m_picture(picture), m_openMainWindow(std::move(openMainWindow)) {
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(500, 332);
    if (const QScreen* shown = screen()) {
        move(shown->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }
    Timer1.setParent(this);
    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setSingleShot(true);
    // A coarse timer may fire a twentieth of its interval late.
    Timer1.setTimerType(Qt::PreciseTimer);
    Timer1.setInterval(kTimerInterval);
    connect(&Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
    Timer1.start();
    Form_Load();
}

void frmSplash::Form_Load() {
    setWindowOpacity(kOpacity);
    loadBanks(m_banks);
}

void frmSplash::setPicture(const QPixmap& picture) {
    m_picture = picture;
    update();
}

void frmSplash::Timer1_Timer() {
    StartupTrace::mark("tick");
    // Only a stand-in, and meant as one: the main window's load that follows
    // replaces it with the name read from the statistics file.
    if (m_settings.userName.isEmpty()) {
        m_settings.userName = QStringLiteral("とろんぱ");
    }
    close();
    // The picture is never shown again: let it go before the main window
    // draws, so that the two never take memory at once.
    m_picture = QPixmap();
    m_openMainWindow();
}

void frmSplash::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.drawPixmap(0, 0, m_picture);
    // The window is two pixels taller than its picture: the picture's last
    // row of pixels carries on down to the window's edge.
    if (!m_picture.isNull()) {
        const QSizeF shown = m_picture.deviceIndependentSize();
        painter.drawPixmap(QRectF(0, shown.height(), shown.width(), height() - shown.height()),
                           m_picture, QRectF(0, m_picture.height() - 1, m_picture.width(), 1));
    }
    if (!m_painted) {
        m_painted = true;
        // Queued, so it runs after this repaint has been flushed.
        QTimer::singleShot(0, this, &frmSplash::pictureShown);
    }
}

} // namespace tavik
