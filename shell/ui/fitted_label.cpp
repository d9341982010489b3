#include "shell/ui/fitted_label.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace tavik {

void setFittedText(QLabel* label, const QString& text) {
    label->setText(text);
    const QFontMetricsF metrics(label->font());
    const QMargins margins = label->contentsMargins();
    const int around = 2 * label->margin();
    label->resize(qCeil(metrics.horizontalAdvance(text)) + margins.left() + margins.right() +
                      around + std::max(0, label->indent()),
                  qCeil(metrics.height()) + margins.top() + margins.bottom() + around);
}

void setTextWithinWidth(QLabel* label, const QString& text, qreal points) {
    QFont font = label->font();
    // As the book's fonts are sized: in pixels at 96 dots an inch.
    const int fullSize = static_cast<int>(std::lround(points * 96.0 / 72.0));
    font.setPixelSize(fullSize);
    const qreal room = label->contentsRect().width() - std::max(0, label->indent());
    for (int size = fullSize - 1; size > 1 && QFontMetricsF(font).horizontalAdvance(text) > room;
         --size) {
        font.setPixelSize(size);
    }
    label->setFont(font);
    label->setText(text);
}

} // namespace tavik
