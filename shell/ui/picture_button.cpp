#include "shell/ui/picture_button.h"

#include <QMouseEvent>

namespace tavik {

PictureButton::PictureButton(QWidget* parent, const QString& objectName, QRect geometry,
                             const QPixmap& normalLook, const QPixmap& highlightedLook,
                             const QCursor& pointer)
    : PressablePicture(parent, objectName, geometry, pointer) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setMouseTracking(true);
    setLooks(normalLook, highlightedLook);
}

void PictureButton::setLooks(const QPixmap& normalLook, const QPixmap& highlightedLook) {
    m_normalLook = normalLook;
    m_highlightedLook = highlightedLook;
    const Look shown = isHighlighted() ? Look::Highlighted : Look::Normal;
    m_look = Look::None;
    showLook(shown);
}

void PictureButton::showNormalLook() {
    showLook(Look::Normal);
}

void PictureButton::showHighlightedLook() {
    showLook(Look::Highlighted);
}

void PictureButton::showLook(Look look) {
    if (m_look == look) {
        return;
    }
    m_look = look;
    const QPixmap& picture = look == Look::Highlighted ? m_highlightedLook : m_normalLook;
    if (picture.isNull()) {
        clear();
    } else {
        setPixmap(picture);
    }
}

void PictureButton::attachCaption(QLabel* caption) {
    m_caption = caption;
    caption->setMouseTracking(true);
    caption->setCursor(cursor());
    caption->installEventFilter(this);
    caption->raise();
}

void PictureButton::setShown(bool shown) {
    // Hiding the focus would pass it on as if the learner had tabbed on, and
    // the next button would take the screen's Enter for itself.
    if (!shown && hasFocus()) {
        clearFocus();
    }
    setVisible(shown);
    if (m_caption != nullptr) {
        m_caption->setVisible(shown);
    }
}

void PictureButton::mouseMoveEvent(QMouseEvent* event) {
    showHighlightedLook();
    event->accept();
}

bool PictureButton::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_caption) {
        return PressablePicture::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::MouseMove:
        showHighlightedLook();
        return true;
    // The second press of a double click arrives as a double click; on the
    // picture it counts as a press, so it must on the caption too.
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        notePress(static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseButtonRelease:
        noteRelease(static_cast<QMouseEvent*>(event), m_caption->rect());
        return true;
    default:
        return PressablePicture::eventFilter(watched, event);
    }
}

} // namespace tavik
