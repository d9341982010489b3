#pragma once

#include "print/ui/print_screen.h"

namespace tavik {

// Word sheets: preview page by page and print in copies.
class frmPrintT : public PrintScreen {
    Q_OBJECT
public:
    frmPrintT(AppState& state, const Artwork& art);
};

} // namespace tavik
