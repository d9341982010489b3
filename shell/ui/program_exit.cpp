#include "shell/ui/program_exit.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace tavik {

namespace {
std::function<void()>& endHandler() {
    static std::function<void()> handler;
    return handler;
}
std::function<void()>& endTask() {
    static std::function<void()> task;
    return task;
}
} // namespace

void endProgram() {
    if (endTask()) {
        std::exchange(endTask(), {})();
    }
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

void doAtProgramEnd(std::function<void()> task) {
    endTask() = std::move(task);
}

void setProgramEndHandler(std::function<void()> handler) {
    endHandler() = std::move(handler);
}

} // namespace tavik
