#pragma once

#include <QtGlobal>
#include <vector>

namespace tavik {

// Qt 6.4 scales a whole program only, and only from QT_SCALE_FACTOR read
// when the application object is made. So a program that finds its screen
// too small starts again in its own place (same process, same arguments)
// with the factor multiplied by `scale`; it does so once, since the program
// started again knows it was. Returns only when the program cannot start
// again or already has.
void restartScaled(const std::vector<char*>& arguments, qreal scale);

} // namespace tavik
