#pragma once

#include "print/drawing_surface.h"

#include <QPointF>
#include <QSizeF>

class QPagedPaintDevice;
class QPainter;

namespace tavik {

// A drawing surface over a painter whose coordinates are twips: the owner
// sets the painter's scale from twips to its device. Font sizes in points
// become twips (20 a point), so the text keeps its proportion to the page.
class PainterSurface : public DrawingSurface {
public:
    PainterSurface(QPainter& painter, QSizeF sizeInTwips);

    double scaleWidth() const override { return m_size.width(); }
    double scaleHeight() const override { return m_size.height(); }
    void setCurrentX(double x) override { m_current.setX(x); }
    void setCurrentY(double y) override { m_current.setY(y); }
    void setFontSize(int points) override;
    void line(double x1, double y1, double x2, double y2) override;
    void print(const QString& text) override;

private:
    QPainter& m_painter;
    QSizeF m_size;
    QPointF m_current;
};

// Scales a painter begun on a paged device (printer or PDF) from twips to the
// device's dots, with smooth lines and text, and returns the printable page's
// size in twips for the surface over it.
QSizeF scaleToTwips(QPainter& painter, const QPagedPaintDevice& device, qreal dotsPerInch);

} // namespace tavik
