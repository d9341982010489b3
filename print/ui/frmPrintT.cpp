#include "print/ui/frmPrintT.h"

namespace tavik {

frmPrintT::frmPrintT(AppState& state, const Artwork& art)
    : PrintScreen(state, art, SheetFamily::Words, QStringLiteral("frmPrintT")) {}

} // namespace tavik
