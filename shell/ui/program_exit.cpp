#include "shell/ui/program_exit.h"

#include <cstdio>
#include <cstdlib>

namespace tavik {

namespace {
std::function<void()>& endHandler() {
    static std::function<void()> handler;
    return handler;
}
} // namespace

void endProgram() {
    if (endHandler()) {
        endHandler()();
        return;
    }
    std::fflush(nullptr);
    std::_Exit(0);
}

void setProgramEndHandler(std::function<void()> handler) {
    endHandler() = std::move(handler);
}

} // namespace tavik
