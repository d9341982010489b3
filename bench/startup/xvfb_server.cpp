#include "xvfb_server.h"

#include <csignal>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tavik::bench {

XvfbServer::XvfbServer() {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return;
    }
    m_pid = fork();
    if (m_pid == 0) {
        // -displayfd makes the server choose a free display and tell it here.
        dup2(pipeEnds[1], 3);
        close(pipeEnds[0]);
        execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", "1280x1024x24", "-nolisten",
               "tcp", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeEnds[1]);
    QByteArray number;
    pollfd readable{pipeEnds[0], POLLIN, 0};
    char digit = 0;
    while (m_pid > 0 && poll(&readable, 1, 10000) > 0 && read(pipeEnds[0], &digit, 1) == 1 &&
           digit != '\n') {
        number.append(digit);
    }
    close(pipeEnds[0]);
    if (!number.isEmpty()) {
        m_display = QStringLiteral(":") + QString::fromLatin1(number);
    }
}

XvfbServer::~XvfbServer() {
    if (m_pid > 0) {
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
    }
}

} // namespace tavik::bench
