#pragma once

namespace tavik {

// Chooses the window system before QApplication starts, unless the user has
// chosen one with QT_QPA_PLATFORM. The screens place their windows (centred,
// each exactly over the one that opened it), which X11 allows and Wayland
// does not: with an X display set (XWayland on a Wayland desktop) X11 comes
// first, and Wayland only when no X server answers. On Wayland, where Qt's
// own title bar would offer a maximize that fixed-size screens cannot use,
// the windows go without it (a compositor that draws title bars itself
// still does).
void choosePlatform();

} // namespace tavik
