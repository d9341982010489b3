#pragma once

#include <QFont>

namespace tavik {

// The proportional Japanese gothic of every label and input box. Sizes are
// given in points as the screens were designed at 96 dots per inch and are
// set in pixels, so the layout does not move with the display's DPI.
QFont gothicFont(qreal points, bool bold = false);

} // namespace tavik
