#include "shell/ui/downscaled_windows.h"

#include <QEvent>
#include <QGraphicsEffect>
#include <QPainter>
#include <QWidget>

namespace tavik {

namespace {

// Draws its window, children and all, through the painter it is given,
// scaled to the window's device pixel ratio. The window's own painting runs
// inside, where Qt then draws it without the effect.
class ScaledPainting : public QGraphicsEffect {
public:
    explicit ScaledPainting(QWidget* window) : QGraphicsEffect(window), m_window(window) {}

protected:
    void draw(QPainter* painter) override {
        if (m_drawing) {
            drawSource(painter);
            return;
        }
        m_drawing = true;
        const qreal ratio = m_window->devicePixelRatioF();
        painter->save();
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
        painter->scale(ratio, ratio);
        m_window->render(painter, QPoint(), QRegion(),
                         QWidget::DrawWindowBackground | QWidget::DrawChildren);
        painter->restore();
        m_drawing = false;
    }

private:
    QWidget* m_window;
    bool m_drawing = false;
};

} // namespace

DownscaledWindows::DownscaledWindows(QObject* application) : QObject(application) {
    application->installEventFilter(this);
}

bool DownscaledWindows::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow() && widget->graphicsEffect() == nullptr &&
            widget->devicePixelRatioF() < 1) {
            widget->setGraphicsEffect(new ScaledPainting(widget));
        }
    }
    return false;
}

} // namespace tavik
