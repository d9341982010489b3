#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <sys/types.h>

namespace tavik::bench {

// One launch of a program that writes a start-up trace: the launch time and
// the trace on the same monotonic clock, and the peak memory of the process
// once it has been stopped.
class MeasuredRun {
public:
    MeasuredRun(const QString& program, const QString& workDir, const QString& display);
    ~MeasuredRun();
    MeasuredRun(const MeasuredRun&) = delete;
    MeasuredRun& operator=(const MeasuredRun&) = delete;

    // Waits until the trace holds the event; false after the timeout or when
    // the program has ended.
    bool waitFor(const QString& event, int timeoutMs = 10000);
    // Milliseconds from the launch to the event (waitFor it first).
    double msSinceLaunch(const QString& event) const;
    double msBetween(const QString& from, const QString& to) const;
    // Every event of the trace so far, in milliseconds since the launch.
    QHash<QString, double> milestones() const;

    // Ends the program and returns its peak resident memory in kibibytes.
    long stopAndPeakKiB();

    pid_t pid() const { return m_pid; }

private:
    void readTrace();

    QString m_traceFile;
    pid_t m_pid = -1;
    long long m_launchNs = 0;
    QHash<QString, long long> m_events;
    long m_peakKiB = -1;
};

} // namespace tavik::bench
