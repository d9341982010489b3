#pragma once

#include <QString>

class QLabel;

namespace tavik {

// Gives a one-line, plain-text label without a frame its text and the size
// of that text. Pages rebuild dozens of labels; QLabel::adjustSize() runs a
// full text layout with line breaking for each, where one line needs only
// its advance.
void setFittedText(QLabel* label, const QString& text);

// Gives a one-line label its text within the width it has: a text longer
// than that is set in a smaller font, never cut at the page's edge.
void setTextWithinWidth(QLabel* label, const QString& text, qreal points);

} // namespace tavik
