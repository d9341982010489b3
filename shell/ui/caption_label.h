#pragma once

#include <QLabel>
#include <QRect>
#include <QString>

namespace tavik {

enum class CaptionColour { Navy, Red };

// The transparent caption that lies over a bar button: bold 12 pt gothic,
// centred, navy for most commands and red for grading and printing.
QLabel* makeCaption(QWidget* parent, const QString& objectName, const QString& text, QRect geometry,
                    CaptionColour colour = CaptionColour::Navy);

} // namespace tavik
