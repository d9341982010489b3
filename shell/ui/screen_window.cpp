#include "shell/ui/screen_window.h"

#include "shell/ui/accessible_screen.h"
#include "shell/ui/picture_button.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

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

ScreenWindow::ScreenWindow(QSize clientSize, QWidget* parent)
    : QDialog(parent), m_clientSize(clientSize) {
    installAccessibleScreens();
    setWindowTitle(QStringLiteral("Tavik"));
    // X11 window managers keep a fixed size. A Wayland compositor may still
    // maximize the window and then insists that it fills the size given; a
    // window whose size is fixed cannot, and the compositor ends the program.
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        setFixedSize(clientSize);
    } else {
        setMinimumSize(clientSize);
        resize(clientSize);
    }
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setMouseTracking(true);
    centreOnScreen();
}

QPoint ScreenWindow::screenOrigin() const {
    return m_page == nullptr ? QPoint() : m_page->pos();
}

void ScreenWindow::moveControlsOntoPage() {
    // The controls keep their places on the page, so code that places them
    // later needs to know nothing of it.
    QWidget* focused = focusWidget();
    m_page = new QWidget(this);
    m_page->setObjectName(QStringLiteral("screenPage"));
    m_page->resize(m_clientSize);
    // Moves over the bare page travel on to the window, which resets the
    // buttons.
    m_page->setMouseTracking(true);
    const auto controls = findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* control : controls) {
        if (control != m_page && !control->isWindow()) {
            const bool shown = !control->isHidden();
            control->setParent(m_page);
            control->setVisible(shown);
        }
    }
    m_page->show();
    if (focused != nullptr) {
        focused->setFocus(Qt::OtherFocusReason);
    }
}

void ScreenWindow::resizeEvent(QResizeEvent* event) {
    if (m_page == nullptr && size() != m_clientSize) {
        moveControlsOntoPage();
    }
    if (m_page != nullptr) {
        m_page->move((width() - m_clientSize.width()) / 2, (height() - m_clientSize.height()) / 2);
    }
    QDialog::resizeEvent(event);
}

void ScreenWindow::showEvent(QShowEvent* event) {
    // A compositor that cannot be told where a window goes centres a
    // transient window on its parent: each screen then lies over the one that
    // opened it (the screen in use when it opens), as it does where the
    // program places it itself.
    const auto* opener = qobject_cast<const ScreenWindow*>(QApplication::activeWindow());
    if (opener != nullptr && opener != this && parentWidget() == nullptr &&
        windowHandle() != nullptr) {
        windowHandle()->setTransientParent(opener->windowHandle());
    }
    QDialog::showEvent(event);
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

void ScreenWindow::chainTabOrder(std::initializer_list<QWidget*> order) {
    m_tabOrder.assign(order);
    QWidget* previous = nullptr;
    for (QWidget* next : order) {
        if (previous != nullptr) {
            setTabOrder(previous, next);
        }
        previous = next;
    }
}

void ScreenWindow::focusFirstControl() {
    for (QWidget* control : m_tabOrder) {
        if (control->isVisibleTo(this) && control->isEnabled() &&
            (control->focusPolicy() & Qt::TabFocus) != 0) {
            // Not as if tabbed to: a picture button then shows no frame and
            // leaves Enter to the window's own command.
            control->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

bool ScreenWindow::event(QEvent* event) {
    // Back in front, after a screen or a message that a click opened.
    if (event->type() == QEvent::WindowActivate) {
        const auto* picture = qobject_cast<const PressablePicture*>(focusWidget());
        if (picture != nullptr && !picture->showsFocus() && m_focusBeforePress != nullptr &&
            m_focusBeforePress->isVisibleTo(this)) {
            m_focusBeforePress->setFocus(Qt::OtherFocusReason);
        }
        m_focusBeforePress = nullptr;
    }
    return QDialog::event(event);
}

void ScreenWindow::paintEvent(QPaintEvent* /*event*/) {
    if (m_background.isNull()) {
        return;
    }
    QPainter painter(this);
    if (m_page != nullptr) {
        painter.fillRect(rect(), QColor(0x2b, 0x2b, 0x2b));
    }
    painter.drawPixmap(screenOrigin(), m_background);
}

void ScreenWindow::mouseMoveEvent(QMouseEvent* event) {
    // Moves over a control that ignores the pointer reach the window too;
    // only the bare surface, where no control lies, resets the buttons.
    const QWidget* under = childAt(event->position().toPoint());
    if (under == nullptr || under == m_page) {
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
    case QEvent::MouseButtonPress:
        if (qobject_cast<const PressablePicture*>(focusWidget()) == nullptr) {
            m_focusBeforePress = focusWidget();
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
