#include "app/platform_choice.h"

#include <QByteArray>
#include <QtGlobal>

namespace tavik {

void choosePlatform() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY")) {
        // Qt tries each in turn until one connects.
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb;wayland"));
    }
    if (!qEnvironmentVariableIsSet("QT_WAYLAND_DISABLE_WINDOWDECORATION")) {
        qputenv("QT_WAYLAND_DISABLE_WINDOWDECORATION", QByteArrayLiteral("1"));
    }
}

} // namespace tavik
