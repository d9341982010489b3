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
    // Only the program's own streams: flushing every open stream would wait
    // for the lock of one that a library thread holds while it reads, as the
    // speech service's client does on its socket.
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(0);
}

void setProgramEndHandler(std::function<void()> handler) {
    endHandler() = std::move(handler);
}

} // namespace tavik
