#include "screens/ui/frmListT.h"

#include "app/app_state.h"
#include "app/ui/artwork.h"

namespace tavik {

frmListT::frmListT(AppState& state, const Artwork& art)
    : ScreenWindow(QSize(780, 600)), m_state(state), m_art(art) {
    setObjectName(QStringLiteral("frmListT"));
    setBackground(m_art.ilBg.picture(1));
}

} // namespace tavik
