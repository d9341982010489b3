#include "print/ui/frmPrintI.h"

namespace tavik {

frmPrintI::frmPrintI(AppState& state, const Artwork& art)
    : PrintScreen(state, art, SheetFamily::Sentences, QStringLiteral("frmPrintI")) {}

} // namespace tavik
