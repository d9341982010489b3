#pragma once

#include <QTest>

// Mounting a file system, setting a file attribute or building a locale
// changes the machine the test runs on: right for CI's throw-away machines,
// hostile on a developer's own. scripts/test.sh asks for such tests with
// TAVIK_TEST_MAY_CHANGE_MACHINE=1; without it they skip.
#define SKIP_UNLESS_MACHINE_MAY_CHANGE(what)                                                       \
    do {                                                                                           \
        if (qEnvironmentVariable("TAVIK_TEST_MAY_CHANGE_MACHINE") != QLatin1String("1")) {         \
            QSKIP(what " changes the machine; scripts/test.sh runs it "                            \
                       "(TAVIK_TEST_MAY_CHANGE_MACHINE=1)");                                       \
        }                                                                                          \
    } while (false)
