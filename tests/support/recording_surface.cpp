#include "recording_surface.h"

namespace tavik::test {

namespace {
constexpr double kTwipsPerPoint = 20;
}

void RecordingSurface::setCurrentX(double x) {
    m_currentX = x;
    m_calls.push_back({Call::SetCurrentX, x, 0, 0, 0, 0, {}});
}

void RecordingSurface::setCurrentY(double y) {
    m_currentY = y;
    m_calls.push_back({Call::SetCurrentY, 0, y, 0, 0, 0, {}});
}

void RecordingSurface::setFontSize(int points) {
    m_fontSize = points;
    m_calls.push_back({Call::SetFontSize, 0, 0, 0, 0, points, {}});
}

void RecordingSurface::line(double x1, double y1, double x2, double y2) {
    m_calls.push_back({Call::Line, x1, y1, x2, y2, m_fontSize, {}});
}

void RecordingSurface::print(const QString& text) {
    m_calls.push_back({Call::Print, m_currentX, m_currentY, 0, 0, m_fontSize, text});
    m_currentX = 0;
    m_currentY += m_fontSize * kTwipsPerPoint;
}

std::vector<RecordingSurface::Record> RecordingSurface::only(Call call) const {
    std::vector<Record> found;
    for (const Record& record : m_calls) {
        if (record.call == call) {
            found.push_back(record);
        }
    }
    return found;
}

} // namespace tavik::test
