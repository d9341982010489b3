#include "app/ui/screen_window.h"

#include "app/ui/picture_button.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace tavik {

ScreenWindow::ScreenWindow(QSize clientSize, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Tavik"));
    setFixedSize(clientSize);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setMouseTracking(true);
    centreOnScreen();
}

void ScreenWindow::centreOnScreen() {
    if (const QScreen* shown = screen()) {
        const QRect available = shown->availableGeometry();
        move(available.center() - QPoint(width() / 2, height() / 2));
    }
}

void ScreenWindow::setBackground(const QPixmap& background) {
    m_background = background;
    update();
}

void ScreenWindow::registerButton(PictureButton* button) {
    m_buttons.push_back(button);
}

void ScreenWindow::resetButtons() {
    for (PictureButton* button : m_buttons) {
        button->showNormalLook();
    }
}

bool ScreenWindow::formKeyDown(QKeyEvent* /*event*/) {
    return false;
}

void ScreenWindow::enableKeyPreview() {
    const auto children = findChildren<QWidget*>();
    for (QWidget* child : children) {
        child->installEventFilter(this);
    }
}

void ScreenWindow::paintEvent(QPaintEvent* /*event*/) {
    if (m_background.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_background);
}

void ScreenWindow::mouseMoveEvent(QMouseEvent* event) {
    // Moves over a control that ignores the pointer reach the window too;
    // only the bare surface, where no control lies, resets the buttons.
    if (childAt(event->position().toPoint()) == nullptr) {
        resetButtons();
    }
    event->accept();
}

void ScreenWindow::keyPressEvent(QKeyEvent* event) {
    if (formKeyDown(event)) {
        event->accept();
        return;
    }
    // Esc and Enter belong to the window's own commands, never to the
    // dialog's default rejecting or accepting.
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

bool ScreenWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        if (formKeyDown(static_cast<QKeyEvent*>(event))) {
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace tavik
