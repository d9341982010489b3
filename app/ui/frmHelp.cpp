#include "app/ui/frmHelp.h"

#include "app/app_state.h"
#include "app/ui/artwork.h"

namespace tavik {

frmHelp::frmHelp(AppState& state, const Artwork& art)
    : ScreenWindow(QSize(780, 600)), m_state(state), m_art(art) {
    setObjectName(QStringLiteral("frmHelp"));
    setBackground(m_art.ilBg.picture(1));
}

} // namespace tavik
