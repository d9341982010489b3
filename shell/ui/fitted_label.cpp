#include "shell/ui/fitted_label.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QtMath>
#include <algorithm>

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

} // namespace tavik
