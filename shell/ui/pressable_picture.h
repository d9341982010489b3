#pragma once

#include <QLabel>

namespace tavik {

// A picture that a person presses like a button: a click that is released
// over it, or Space or Enter once Tab has brought the keyboard focus to it,
// shown by a frame. A mouse click leaves the focus where it was, so clicking
// a button never takes the focus from an answer box; and a window that
// opens with the focus on a button (it has nothing else to focus) leaves its
// keys to the window until the learner tabs.
class PressablePicture : public QLabel {
    Q_OBJECT
public:
    PressablePicture(QWidget* parent, const QString& objectName, QRect geometry,
                     const QCursor& pointer);

    // What a click does; also run by keys that stand for the picture.
    void click();

    // Options that come in pairs tell assistive technology whether they are
    // the chosen one; plain buttons are never checkable.
    virtual bool isCheckable() const { return false; }
    virtual bool isChecked() const { return false; }

    // Whether the learner has tabbed to the picture: it then shows the
    // focus and takes Space and Enter.
    bool showsFocus() const { return m_showsFocus; }
    static bool isPressKey(const QKeyEvent* event);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    // A press that began on the picture (or on a label that stands for it)
    // and is released inside `area` is a click.
    void notePress(const QMouseEvent* event);
    void noteRelease(const QMouseEvent* event, QRect area);

private:
    bool m_pressed = false;
    bool m_showsFocus = false;
};

} // namespace tavik
