#pragma once

#include <QLabel>

namespace tavik {

// A clickable spot over an option word painted in the background. It shows
// the circle mark while its option is chosen and has no hover look.
class OptionHotspot : public QLabel {
    Q_OBJECT
public:
    OptionHotspot(QWidget* parent, const QString& objectName, QRect geometry,
                  const QCursor& pointer);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false;
};

} // namespace tavik
