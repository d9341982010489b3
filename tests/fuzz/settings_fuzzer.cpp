// libFuzzer entry point: every input is taken as tavik.ini and conf.ini
// through reading, grading and writing; any fault in the round trip aborts,
// and the sanitizers catch what the code itself does wrong on the way.
#include "unit/support/settings_roundtrip.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtGlobal>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// Files under /dev/shm stay in memory, which keeps the many small writes
// (each one synced to disk) from slowing the search down.
QString scratchDirectory() {
    static const QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                       ? QStringLiteral("/dev/shm/tavik-fuzz-XXXXXX")
                                       : QDir::tempPath() + QStringLiteral("/tavik-fuzz-XXXXXX"));
    if (!dir.isValid()) {
        std::fprintf(stderr, "no scratch directory: %s\n", qPrintable(dir.errorString()));
        std::abort();
    }
    return dir.path();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Failed saves report themselves on standard error; the round trip
    // reports them as faults, so the messages would only slow the search.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray content(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString fault = tavik::testing::settingsRoundTripFault(content, scratchDirectory());
    if (!fault.isEmpty()) {
        std::fprintf(stderr, "settings round trip failed: %s\n", qPrintable(fault));
        std::abort();
    }
    return 0;
}
