#pragma once

#include "app/ui/screen_window.h"

namespace tavik {

struct AppState;
struct Artwork;

// The main window: statistics, question selection, options and the start of
// a drill. It stays open for the whole run.
class frmSearch : public ScreenWindow {
    Q_OBJECT
public:
    frmSearch(AppState& state, const Artwork& art);

private:
    AppState& m_state;
    const Artwork& m_art;
};

} // namespace tavik
