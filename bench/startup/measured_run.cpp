#include "measured_run.h"

#include <QFile>
#include <QThread>
#include <csignal>
#include <ctime>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tavik::bench {

namespace {
long long monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}
} // namespace

MeasuredRun::MeasuredRun(const QString& program, const QString& workDir, const QString& display)
    : m_traceFile(workDir + QStringLiteral("/startup.trace")) {
    QFile::remove(m_traceFile);
    const QByteArray programPath = program.toLocal8Bit();
    const QByteArray dir = workDir.toLocal8Bit();
    const QByteArray displayName = display.toLocal8Bit();
    const QByteArray trace = m_traceFile.toLocal8Bit();
    m_launchNs = monotonicNs();
    m_pid = fork();
    if (m_pid == 0) {
        if (chdir(dir.constData()) != 0) {
            _exit(126);
        }
        setenv("DISPLAY", displayName.constData(), 1);
        setenv("TAVIK_STARTUP_TRACE", trace.constData(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        // Qt wants a private runtime folder; the run's own folder is one.
        setenv("XDG_RUNTIME_DIR", dir.constData(), 0);
        execl(programPath.constData(), programPath.constData(), static_cast<char*>(nullptr));
        _exit(127);
    }
}

MeasuredRun::~MeasuredRun() {
    stopAndPeakKiB();
}

void MeasuredRun::readTrace() {
    QFile file(m_traceFile);
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    while (!file.atEnd()) {
        const QList<QByteArray> fields = file.readLine().trimmed().split(' ');
        if (fields.size() == 2) {
            m_events.insert(QString::fromLatin1(fields[0]), fields[1].toLongLong());
        }
    }
}

bool MeasuredRun::waitFor(const QString& event, int timeoutMs) {
    const long long deadline = monotonicNs() + timeoutMs * 1000000LL;
    while (monotonicNs() < deadline) {
        readTrace();
        if (m_events.contains(event)) {
            return true;
        }
        siginfo_t ended{};
        // WNOWAIT leaves an ended child to stopAndPeakKiB, which reads its memory.
        if (m_pid <= 0 ||
            waitid(P_PID, static_cast<id_t>(m_pid), &ended, WEXITED | WNOHANG | WNOWAIT) != 0 ||
            ended.si_pid != 0) {
            return false;
        }
        QThread::usleep(500);
    }
    return false;
}

double MeasuredRun::msSinceLaunch(const QString& event) const {
    return (m_events.value(event) - m_launchNs) / 1e6;
}

double MeasuredRun::msBetween(const QString& from, const QString& to) const {
    return (m_events.value(to) - m_events.value(from)) / 1e6;
}

QHash<QString, double> MeasuredRun::milestones() const {
    QHash<QString, double> milestones;
    for (auto event = m_events.cbegin(); event != m_events.cend(); ++event) {
        milestones.insert(event.key(), (event.value() - m_launchNs) / 1e6);
    }
    return milestones;
}

long MeasuredRun::stopAndPeakKiB() {
    if (m_pid > 0) {
        kill(m_pid, SIGKILL);
        rusage usage{};
        int status = 0;
        if (wait4(m_pid, &status, 0, &usage) == m_pid) {
            m_peakKiB = usage.ru_maxrss;
        }
        m_pid = -1;
    }
    return m_peakKiB;
}

} // namespace tavik::bench
