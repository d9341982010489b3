#include "drill/ui/option_hotspot.h"

#include <QMouseEvent>

namespace tavik {

OptionHotspot::OptionHotspot(QWidget* parent, const QString& objectName, QRect geometry,
                             const QCursor& pointer)
    : QLabel(parent) {
    setObjectName(objectName);
    setGeometry(geometry);
    setCursor(pointer);
    // The 60 × 60 circle is drawn around the whole option word, however wide.
    setScaledContents(true);
}

void OptionHotspot::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void OptionHotspot::mouseReleaseEvent(QMouseEvent* event) {
    const bool wasPressed = m_pressed;
    m_pressed = false;
    event->accept();
    // Like any button: releasing away from the spot takes the click back.
    if (wasPressed && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

} // namespace tavik
