#pragma once

#include <QString>

class QWidget;

namespace tavik {

// Gives the widget a tool tip that shows the text as it is. Qt takes a tool
// tip that looks like markup for rich text: a typed answer such as "<b>",
// "<img src=…>" or "&lt;" would be drawn as markup instead of read.
void setPlainToolTip(QWidget* widget, const QString& text);

} // namespace tavik
