#pragma once

#include "app/ui/screen_window.h"

namespace tavik {

struct AppState;
struct Artwork;

// The sentence drill: example sentences with one word to type, grading.
class frmListI : public ScreenWindow {
    Q_OBJECT
public:
    frmListI(AppState& state, const Artwork& art);

private:
    AppState& m_state;
    const Artwork& m_art;
};

} // namespace tavik
