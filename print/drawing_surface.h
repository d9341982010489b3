#pragma once

#include <QString>

namespace tavik {

// What a sheet page is drawn on: the preview box or a printed page. Every
// measure is in twips (1/1440 inch) from the surface's top-left corner, so
// one composition fits any surface in proportion.
class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    // The drawable width and height.
    virtual double scaleWidth() const = 0;
    virtual double scaleHeight() const = 0;

    // Where the next text starts: its top-left corner.
    virtual void setCurrentX(double x) = 0;
    virtual void setCurrentY(double y) = 0;

    // Size in points of the texts that follow; the face is the surface's own.
    virtual void setFontSize(int points) = 0;

    // One straight black line of the default width.
    virtual void line(double x1, double y1, double x2, double y2) = 0;

    // Draws the text on one line at the current position, then moves the
    // position to the start of the next line.
    virtual void print(const QString& text) = 0;
};

} // namespace tavik
