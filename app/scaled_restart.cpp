#include "app/scaled_restart.h"

#include <unistd.h>

namespace tavik {

namespace {
// Set in the program started again: the QT_SCALE_FACTOR it was started with
// ("-" for none).
constexpr char kRestartedMark[] = "TAVIK_FITTED_TO_SCREEN";
constexpr char kScaleFactor[] = "QT_SCALE_FACTOR";
constexpr char kStartupId[] = "DESKTOP_STARTUP_ID";
} // namespace

ScaledRestart::ScaledRestart(int argc, char* argv[])
    : m_arguments(argv, argv + argc + 1), m_startupId(qgetenv(kStartupId)) {}

void ScaledRestart::run(qreal scale) const {
    if (qEnvironmentVariableIsSet(kRestartedMark)) {
        return;
    }
    const QByteArray userFactorText = qgetenv(kScaleFactor);
    bool userFactorRead = false;
    const qreal userFactor = userFactorText.toDouble(&userFactorRead);
    const qreal factor = (userFactorRead && userFactor > 0 ? userFactor : 1.0) * scale;
    qputenv(kRestartedMark,
            qEnvironmentVariableIsSet(kScaleFactor) ? userFactorText : QByteArrayLiteral("-"));
    qputenv(kScaleFactor, QByteArray::number(factor, 'g', 6));
    if (!m_startupId.isEmpty()) {
        qputenv(kStartupId, m_startupId);
    }
    // Every descriptor the window system, D-Bus and Qt opened is closed on
    // exec; the process id stays, so whoever started the program still sees
    // it.
    execv("/proc/self/exe", m_arguments.data());
    forget();
}

void ScaledRestart::forget() const {
    if (!qEnvironmentVariableIsSet(kRestartedMark)) {
        return;
    }
    const QByteArray userFactor = qgetenv(kRestartedMark);
    if (userFactor == "-") {
        qunsetenv(kScaleFactor);
    } else {
        qputenv(kScaleFactor, userFactor);
    }
    qunsetenv(kRestartedMark);
}

} // namespace tavik
