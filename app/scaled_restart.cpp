#include "app/scaled_restart.h"

#include <QByteArray>
#include <QString>
#include <unistd.h>

namespace tavik {

namespace {
constexpr char kRestartedMark[] = "TAVIK_FITTED_TO_SCREEN";
} // namespace

void restartScaled(const std::vector<char*>& arguments, qreal scale) {
    if (qEnvironmentVariableIsSet(kRestartedMark)) {
        return;
    }
    bool userFactorRead = false;
    const qreal userFactor = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&userFactorRead);
    const qreal factor = (userFactorRead && userFactor > 0 ? userFactor : 1.0) * scale;
    qputenv("QT_SCALE_FACTOR", QByteArray::number(factor, 'g', 6));
    qputenv(kRestartedMark, QByteArrayLiteral("1"));
    // Every descriptor the window system, D-Bus and Qt opened is closed on
    // exec; the process id stays, so whoever started the program still sees
    // it.
    execv("/proc/self/exe", arguments.data());
}

} // namespace tavik
