#include "print/ui/frmPrintT.h"

#include "app/app_state.h"
#include "app/ui/artwork.h"

namespace tavik {

frmPrintT::frmPrintT(AppState& state, const Artwork& art)
    : ScreenWindow(QSize(780, 600)), m_state(state), m_art(art) {
    setObjectName(QStringLiteral("frmPrintT"));
    setBackground(m_art.ilBg.picture(1));
}

} // namespace tavik
