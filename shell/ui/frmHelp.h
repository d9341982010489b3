#pragma once

#include "shell/ui/screen_window.h"

class QLabel;

namespace tavik {

struct AppState;
struct Artwork;
class PictureButton;

// The help page: the commands of the drill and print screens and their keys.
// It takes nothing from the screen that opens it and handles no keys.
class frmHelp : public ScreenWindow {
    Q_OBJECT
public:
    frmHelp(AppState& state, const Artwork& art);

private:
    void Form_Load();
    void imgBack_Click();
    void imgExit_Click();

    const Artwork& m_art;
    QLabel* imgHelp;
    PictureButton* imgBack;
    QLabel* lblBack;
    PictureButton* imgExit;
};

} // namespace tavik
