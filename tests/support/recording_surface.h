#pragma once

#include "print/drawing_surface.h"

#include <QString>
#include <vector>

namespace tavik::test {

// A drawing surface that draws nothing and remembers every call, with the
// position and font size each text was printed at.
class RecordingSurface : public DrawingSurface {
public:
    enum class Call { SetCurrentX, SetCurrentY, SetFontSize, Line, Print };

    struct Record {
        Call call;
        double x = 0;
        double y = 0;
        double x2 = 0;
        double y2 = 0;
        int fontSize = 0;
        QString text;
    };

    RecordingSurface(double width, double height) : m_width(width), m_height(height) {}

    double scaleWidth() const override { return m_width; }
    double scaleHeight() const override { return m_height; }
    void setCurrentX(double x) override;
    void setCurrentY(double y) override;
    void setFontSize(int points) override;
    void line(double x1, double y1, double x2, double y2) override;
    void print(const QString& text) override;

    const std::vector<Record>& calls() const { return m_calls; }
    std::vector<Record> lines() const { return only(Call::Line); }
    std::vector<Record> prints() const { return only(Call::Print); }

private:
    std::vector<Record> only(Call call) const;

    double m_width;
    double m_height;
    double m_currentX = 0;
    double m_currentY = 0;
    int m_fontSize = 0;
    std::vector<Record> m_calls;
};

} // namespace tavik::test
