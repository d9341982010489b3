#pragma once

#include <QFont>

namespace tavik {

// The proportional Japanese gothic of every label and input box. Sizes are
// given in points as the screens were designed at 96 dots per inch and are
// set in pixels, so the layout does not move with the display's DPI.
QFont gothicFont(qreal points, bool bold = false);

// Loads the gothic at every size and weight the windows use, with the
// glyphs of their texts, so that no window waits for its fonts when it
// opens. Start-up runs it while the splash is up.
void prepareGothicFonts();

} // namespace tavik
