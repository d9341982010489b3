#pragma once

#include "print/ui/print_screen.h"

namespace tavik {

// Sentence sheets: preview page by page and print in copies.
class frmPrintI : public PrintScreen {
    Q_OBJECT
public:
    frmPrintI(AppState& state, const Artwork& art);
};

} // namespace tavik
