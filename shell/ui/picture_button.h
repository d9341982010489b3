#pragma once

#include "shell/ui/pressable_picture.h"

#include <QPixmap>

namespace tavik {

// A picture that acts as a button. It shows its highlighted picture on every
// pointer move over it (or over its caption label) and keeps it until the
// window tells it to return to its normal look; a button whose normal look is
// painted in the background shows no picture at rest.
class PictureButton : public PressablePicture {
    Q_OBJECT
public:
    PictureButton(QWidget* parent, const QString& objectName, QRect geometry,
                  const QPixmap& normalLook, const QPixmap& highlightedLook,
                  const QCursor& pointer);

    void setLooks(const QPixmap& normalLook, const QPixmap& highlightedLook);
    void showNormalLook();
    void showHighlightedLook();
    bool isHighlighted() const { return m_look == Look::Highlighted; }

    // The caption label lies over the picture and behaves as part of it:
    // pointer moves and clicks on it are the button's.
    void attachCaption(QLabel* caption);
    QLabel* caption() const { return m_caption; }

    // Shows or hides the button together with its caption.
    void setShown(bool shown);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Look { None, Normal, Highlighted };
    // Pointer moves come many times a second; only a change of look may
    // cost a repaint, and only of this button.
    void showLook(Look look);

    QPixmap m_normalLook;
    QPixmap m_highlightedLook;
    QLabel* m_caption = nullptr;
    Look m_look = Look::None;
};

} // namespace tavik
