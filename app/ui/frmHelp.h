#pragma once

#include "app/ui/screen_window.h"

namespace tavik {

struct AppState;
struct Artwork;

// The help page: the commands of the drill and print screens and their keys.
class frmHelp : public ScreenWindow {
    Q_OBJECT
public:
    frmHelp(AppState& state, const Artwork& art);

private:
    AppState& m_state;
    const Artwork& m_art;
};

} // namespace tavik
