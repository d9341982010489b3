#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

namespace tavik {

class DrawingSurface;

// The preview box: one sheet page drawn at a small scale on a white page.
// Its drawing surface measures the box in twips, as the printer measures paper.
class SheetPreview : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidthTwips = 5415;
    static constexpr int kHeightTwips = 7095;

    explicit SheetPreview(QWidget* parent);

    void clear();
    void compose(const std::function<void(DrawingSurface&)>& draw);
    // What the box shows, at the screen's pixel density.
    const QImage& page() const { return m_page; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_page;
};

} // namespace tavik
