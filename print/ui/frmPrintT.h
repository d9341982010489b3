#pragma once

#include "app/ui/screen_window.h"

namespace tavik {

struct AppState;
struct Artwork;

// Word sheets: preview page by page and print in copies.
class frmPrintT : public ScreenWindow {
    Q_OBJECT
public:
    frmPrintT(AppState& state, const Artwork& art);

private:
    AppState& m_state;
    const Artwork& m_art;
};

} // namespace tavik
