#pragma once

#include <QLabel>

namespace tavik {

// A picture that a person presses like a button: a click that is released
// over it, or Space or Enter while it has the keyboard focus. Tab reaches it
// and a frame shows where the focus is; a mouse click leaves the focus where
// it was, so clicking a button never takes the focus from an answer box.
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

    // Space and Enter press a focused picture.
    static bool isPressKey(const QKeyEvent* event);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

    // A press that began on the picture (or on a label that stands for it)
    // and is released inside `area` is a click.
    void notePress(const QMouseEvent* event);
    void noteRelease(const QMouseEvent* event, QRect area);

private:
    bool m_pressed = false;
};

} // namespace tavik
