#include "shell/ui/screen_window.h"

#include "shell/ui/picture_button.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace tavik {

namespace {

// Whether the two are one control, or one lies inside the other (an
// editable list and its text box).
bool belongsTo(const QWidget* composing, const QObject* watched) {
    if (composing == nullptr) {
        return false;
    }
    auto* control = static_cast<const QWidget*>(watched);
    return composing == control || control->isAncestorOf(composing) ||
           composing->isAncestorOf(control);
}

} // namespace

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
    // A text box passes on the Enter it does not use; while it composes,
    // that Enter is still the input method's.
    if (confirmsComposition(event)) {
        event->accept();
        return;
    }
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
    if (!watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != this) {
        return QDialog::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::InputMethod:
        noteComposition(watched, static_cast<QInputMethodEvent*>(event));
        break;
    case QEvent::FocusOut:
        if (belongsTo(m_composing, watched)) {
            m_composing = nullptr;
        }
        break;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (keyBelongsToControl(watched, key)) {
            break;
        }
        if (formKeyDown(key)) {
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void ScreenWindow::noteComposition(QObject* watched, const QInputMethodEvent* event) {
    if (!event->preeditString().isEmpty()) {
        m_composing = static_cast<QWidget*>(watched);
    } else if (belongsTo(m_composing, watched)) {
        m_composing = nullptr;
    }
}

bool ScreenWindow::confirmsComposition(const QKeyEvent* event) const {
    // An input method that passes its confirming key on still holds its
    // text; a search or a grading then would use the text before the
    // conversion.
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
           m_composing != nullptr;
}

bool ScreenWindow::keyBelongsToControl(QObject* watched, const QKeyEvent* event) const {
    auto* control = static_cast<QWidget*>(watched);
    const auto* picture = qobject_cast<PressablePicture*>(control);
    if (picture != nullptr && picture->showsFocus() && PressablePicture::isPressKey(event)) {
        return true;
    }
    return confirmsComposition(event);
}

} // namespace tavik
