#include "drill/ui/frmSearch.h"

#include "app/app_state.h"
#include "app/ui/artwork.h"

namespace tavik {

frmSearch::frmSearch(AppState& state, const Artwork& art)
    : ScreenWindow(QSize(780, 600)), m_state(state), m_art(art) {
    setObjectName(QStringLiteral("frmSearch"));
    setBackground(m_art.searchBackground);
}

} // namespace tavik
