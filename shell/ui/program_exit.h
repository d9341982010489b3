#pragma once

#include <functional>

namespace tavik {

// Ends the whole program at once, as every close button does: no window is
// unloaded and nothing is saved. Tests replace the ending with their own.
void endProgram();
void setProgramEndHandler(std::function<void()> handler);

// Something that must be done however the program ends, before it ends:
// quick work that leaves files whole (nothing that can wait on another
// process for long).
void doAtProgramEnd(std::function<void()> task);

} // namespace tavik
