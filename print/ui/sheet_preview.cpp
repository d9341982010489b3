#include "print/ui/sheet_preview.h"

#include "print/ui/painter_surface.h"
#include "shell/ui/twips.h"

#include <QPainter>
#include <cmath>

namespace tavik {

namespace {
constexpr qreal kTwipsPerPixel = 15;
}

SheetPreview::SheetPreview(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pbPreview"));
    setGeometry(twipsToPixels(1920), twipsToPixels(1320), twipsToPixels(kWidthTwips),
                twipsToPixels(kHeightTwips));
    const qreal ratio = devicePixelRatioF();
    m_page =
        QImage(static_cast<int>(std::ceil(width() * ratio)),
               static_cast<int>(std::ceil(height() * ratio)), QImage::Format_ARGB32_Premultiplied);
    m_page.setDevicePixelRatio(ratio);
    clear();
}

void SheetPreview::clear() {
    m_page.fill(Qt::white);
    update();
}

void SheetPreview::compose(const std::function<void(DrawingSurface&)>& draw) {
    QPainter painter(&m_page);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.scale(1 / kTwipsPerPixel, 1 / kTwipsPerPixel);
    PainterSurface surface(painter, QSizeF(kWidthTwips, kHeightTwips));
    draw(surface);
    painter.end();
    update();
}

void SheetPreview::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), m_page);
    painter.setPen(QColor(150, 150, 150));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace tavik
