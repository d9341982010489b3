#pragma once

#include "app/ui/screen_window.h"

namespace tavik {

struct AppState;
struct Artwork;

// The word drill: Japanese meanings, typed English words, grading.
class frmListT : public ScreenWindow {
    Q_OBJECT
public:
    frmListT(AppState& state, const Artwork& art);

private:
    AppState& m_state;
    const Artwork& m_art;
};

} // namespace tavik
