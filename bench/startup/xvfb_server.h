#pragma once

#include <QString>
#include <sys/types.h>

namespace tavik::bench {

// A private X server on a display number it picks itself, so runs never
// meet another program's windows. Stopped when destroyed.
class XvfbServer {
public:
    XvfbServer();
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool isRunning() const { return !m_display.isEmpty(); }
    QString display() const { return m_display; }

private:
    pid_t m_pid = -1;
    QString m_display;
};

} // namespace tavik::bench
