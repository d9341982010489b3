#pragma once

#include <functional>

namespace tavik {

// Ends the whole program at once, as every close button does: no window is
// unloaded and nothing is saved. Tests replace the ending with their own.
void endProgram();
void setProgramEndHandler(std::function<void()> handler);

} // namespace tavik
