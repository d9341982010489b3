#pragma once

#include <optional>

namespace tavik {

// Answers --help and --version on standard output before any window exists,
// so that both work without a display. Returns the program's exit code when
// it has answered; otherwise the arguments are left to QApplication, whose own
// options (-platform, -style ...) they may carry.
std::optional<int> answerCommandLine(int argc, char* argv[], const char* version);

} // namespace tavik
