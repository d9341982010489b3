#include "unit/support/settings_roundtrip.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Takes every seed of the settings fuzzer and every input it ever failed on
// through the same round trip the fuzzer checks, built with the project's
// own compiler (and, in the sanitizer build, its sanitizers).
class TestSettingsCorpus : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
};

void TestSettingsCorpus::roundTrip_data() {
    QTest::addColumn<QString>("path");
    int rows = 0;
    // Named from tests/, the test target's source folder, so that they are
    // found however the compiler spells this file's own path.
    for (const char* folder : {"fuzz/corpus", "fuzz/regressions"}) {
        const QString found = QFINDTESTDATA(folder);
        QVERIFY2(!found.isEmpty(), folder);
        const QDir dir(found);
        for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
            QTest::newRow(qPrintable(dir.dirName() + u'/' + name)) << dir.filePath(name);
            ++rows;
        }
    }
    QVERIFY(rows >= 20);
}

void TestSettingsCorpus::roundTrip() {
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QTemporaryDir dir;
    QCOMPARE(tavik::testing::settingsRoundTripFault(file.readAll(), dir.path()), QString());
}

QTEST_GUILESS_MAIN(TestSettingsCorpus)
#include "test_settings_corpus.moc"
