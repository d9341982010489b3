#include "shell/ui/plain_tool_tip.h"

#include <QWidget>

namespace tavik {

void setPlainToolTip(QWidget* widget, const QString& text) {
    widget->setToolTip(
        QStringLiteral("<p style=\"white-space:pre\">%1</p>").arg(text.toHtmlEscaped()));
}

} // namespace tavik
