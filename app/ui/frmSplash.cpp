#include "app/ui/frmSplash.h"

#include "app/app_state.h"

#include <QPainter>
#include <QScreen>

namespace tavik {

frmSplash::frmSplash(AppState& state, const QPixmap& picture, std::function<void()> openMainWindow)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint), m_state(state),
      m_picture(picture), m_openMainWindow(std::move(openMainWindow)) {
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(500, 332);
    if (const QScreen* shown = screen()) {
        move(shown->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }
    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setSingleShot(true);
    Timer1.setInterval(kTimerInterval);
    connect(&Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
    Timer1.start();
    Form_Load();
}

void frmSplash::Form_Load() {
    setWindowOpacity(kOpacity);
    loadBanks(m_state.banks);
}

void frmSplash::Timer1_Timer() {
    if (m_state.settings.userName.isEmpty()) {
        m_state.settings.userName = QStringLiteral("とろんぱ");
    }
    close();
    m_openMainWindow();
}

void frmSplash::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.drawPixmap(0, 0, m_picture);
}

} // namespace tavik
