#include "shell/ui/pressable_picture.h"

#include "shell/ui/accessible_picture.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace tavik {

PressablePicture::PressablePicture(QWidget* parent, const QString& objectName, QRect geometry,
                                   const QCursor& pointer)
    : QLabel(parent) {
    installAccessiblePictures();
    setObjectName(objectName);
    setGeometry(geometry);
    setCursor(pointer);
    setFocusPolicy(Qt::TabFocus);
}

void PressablePicture::click() {
    emit clicked();
}

bool PressablePicture::isPressKey(const QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    default:
        return false;
    }
}

void PressablePicture::notePress(const QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton;
}

void PressablePicture::noteRelease(const QMouseEvent* event, QRect area) {
    const bool wasPressed = m_pressed;
    m_pressed = false;
    // Like any button: releasing away from it takes the click back.
    if (wasPressed && event->button() == Qt::LeftButton &&
        area.contains(event->position().toPoint())) {
        click();
    }
}

void PressablePicture::mousePressEvent(QMouseEvent* event) {
    notePress(event);
    event->accept();
}

void PressablePicture::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    noteRelease(event, rect());
}

void PressablePicture::keyPressEvent(QKeyEvent* event) {
    if (m_showsFocus && isPressKey(event) && !event->isAutoRepeat()) {
        event->accept();
        click();
        return;
    }
    QLabel::keyPressEvent(event);
}

void PressablePicture::focusInEvent(QFocusEvent* event) {
    switch (event->reason()) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
        m_showsFocus = true;
        break;
    // Back from a screen or a message above: as it was before.
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
        break;
    default:
        m_showsFocus = false;
        break;
    }
    update();
    QLabel::focusInEvent(event);
}

void PressablePicture::focusOutEvent(QFocusEvent* event) {
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) {
        m_showsFocus = false;
    }
    update();
    QLabel::focusOutEvent(event);
}

void PressablePicture::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!m_showsFocus) {
        return;
    }
    // Two pixels of dark blue inside the picture's edge, clear on the light
    // pages and on the lilac bars alike.
    QPainter painter(this);
    QPen pen(QColor(0, 0, 160), 2, Qt::DashLine);
    painter.setPen(pen);
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

} // namespace tavik
