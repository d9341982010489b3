#pragma once

#include <QDialog>
#include <QPixmap>
#include <QPointer>
#include <initializer_list>
#include <vector>

namespace tavik {

class PictureButton;

// A fixed-size window of the program: caption "Tavik", one background
// picture, picture buttons that return to their normal look when the pointer
// crosses the bare surface, and key preview, so the window's keys work while
// a text box has the focus. Where the window system may impose another size
// (a Wayland compositor maximizing the window), the window takes it and keeps
// its screen centred in it.
class ScreenWindow : public QDialog {
    Q_OBJECT
public:
    // Every screen but the splash has the same fixed client area.
    static constexpr QSize kClientSize{780, 600};

    explicit ScreenWindow(QSize clientSize = kClientSize, QWidget* parent = nullptr);

    void setBackground(const QPixmap& background);
    void registerButton(PictureButton* button);
    // Every button of the window back to its normal look.
    void resetButtons();
    void centreOnScreen();
    // The keyboard focus to the first control in Tab's order that can take
    // it, as a page newly on show starts there.
    void focusFirstControl();

protected:
    // Sees every key press of the window before the focused control does;
    // returns true when the key was used. A key left alone travels on to the
    // control's parents and may be offered here again on its way, so return
    // true whenever the key did something.
    virtual bool formKeyDown(QKeyEvent* event);
    // Call once all controls exist.
    void enableKeyPreview();
    // Tab visits the controls in this order.
    void chainTabOrder(std::initializer_list<QWidget*> order);

    bool event(QEvent* event) override;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Whether the key belongs to the control it was sent to rather than to
    // the window: the Enter that confirms an input method's conversion, and
    // Space or Enter on a focused picture button.
    bool keyBelongsToControl(QObject* watched, const QKeyEvent* event) const;
    void noteComposition(QObject* watched, const QInputMethodEvent* event);
    bool confirmsComposition(const QKeyEvent* event) const;

    // Where the screen lies: the window itself, or the page that holds the
    // controls once the window is larger than its screen.
    QPoint screenOrigin() const;
    void moveControlsOntoPage();

    QSize m_clientSize;
    QWidget* m_page = nullptr;
    QPixmap m_background;
    // The control whose input method holds text not yet confirmed.
    QPointer<QWidget> m_composing;
    std::vector<PictureButton*> m_buttons;
    std::vector<QWidget*> m_tabOrder;
    // Where the keyboard focus was before a press on a picture button took
    // it: a click that opens a screen or a message above leaves the focus
    // on the picture, unframed, where Tab and Enter would lead it astray.
    QPointer<QWidget> m_focusBeforePress;
};

} // namespace tavik
