#include "print/ui/painter_surface.h"

#include "shell/ui/fonts.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

namespace tavik {

namespace {
constexpr int kTwipsPerPoint = 20;
constexpr qreal kTwipsPerInch = 1440;
// One screen pixel: thin on paper, yet visible on the small preview.
constexpr qreal kLineWidthTwips = 15;
constexpr int kStartFontPoints = 9;
} // namespace

QSizeF scaleToTwips(QPainter& painter, const QPagedPaintDevice& device, qreal dotsPerInch) {
    const qreal devicePerTwip = dotsPerInch / kTwipsPerInch;
    painter.scale(devicePerTwip, devicePerTwip);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    return device.pageLayout().paintRect(QPageLayout::Point).size() * kTwipsPerPoint;
}

PainterSurface::PainterSurface(QPainter& painter, QSizeF sizeInTwips)
    : m_painter(painter), m_size(sizeInTwips) {
    m_painter.setPen(QPen(Qt::black, kLineWidthTwips, Qt::SolidLine, Qt::FlatCap));
    setFontSize(kStartFontPoints);
}

void PainterSurface::setFontSize(int points) {
    QFont font = gothicFont(points);
    // Sized in twips, the unit of the painter, never below what a font can be.
    font.setPixelSize(std::max(1, points * kTwipsPerPoint));
    font.setHintingPreference(QFont::PreferNoHinting);
    m_painter.setFont(font);
}

void PainterSurface::line(double x1, double y1, double x2, double y2) {
    m_painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void PainterSurface::print(const QString& text) {
    const QFontMetricsF metrics(m_painter.font());
    m_painter.drawText(QPointF(m_current.x(), m_current.y() + metrics.ascent()), text);
    m_current = QPointF(0, m_current.y() + metrics.height());
}

} // namespace tavik
