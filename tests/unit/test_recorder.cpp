#include "drill/recorder.h"
#include "support/files.h"

#include <QDir>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace tavik;

class TestRecorder : public QObject {
    Q_OBJECT
private slots:
    void nothingPromisedIsLost_data();
    void nothingPromisedIsLost();
};

void TestRecorder::nothingPromisedIsLost_data() {
    // What keeps the files from taking the drills, lifted before a retry or,
    // with one drill, just before the program ends; and what the line says.
    QTest::addColumn<QString>("hindrance");
    QTest::addColumn<int>("drills");
    QTest::addColumn<QString>("line");
    QTest::newRow("record held by another copy, released, then ×")
        << "held" << 1 << "成績は保存しました。学習記録に採点 1 回分が未保存です。";
    QTest::newRow("record's folder missing, then made")
        << "folder" << 2 << "成績は保存しました。学習記録に採点 2 回分が未保存です。";
    QTest::newRow("tavik.ini unwritable, then writable")
        << "statistics" << 2 << "学習記録は保存しました。成績に採点 2 回分が未保存です。";
    QTest::newRow("both unwritable, then writable")
        << "folder statistics" << 2
        << "採点 2 回分が、成績にも学習記録にもまだ保存できていません。";
}

void TestRecorder::nothingPromisedIsLost() {
    QFETCH(QString, hindrance);
    QFETCH(int, drills);
    QFETCH(QString, line);
    QTemporaryDir dir;
    SettingsState settings;
    SettingsPaths paths = testing::settingsPathsIn(dir.path());
    if (hindrance.contains(QLatin1String("folder"))) {
        paths.historyFile = dir.filePath(QStringLiteral("later/history.sqlite"));
    }
    QVERIFY(!hindrance.contains(QLatin1String("statistics")) || QDir().mkdir(paths.statisticsFile));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(".*")));
    Recorder recorder(settings, paths);
    recorder.openRecord({});
    auto held = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("held"));
    held.setDatabaseName(paths.historyFile);
    QVERIFY(hindrance != QLatin1String("held") ||
            (held.open() && QSqlQuery(held).exec(QStringLiteral("BEGIN IMMEDIATE"))));
    for (int grading = 1; grading <= drills; ++grading) {
        recorder.record({{3, 0, true}, {4, 0, false}}, QDateTime::currentDateTimeUtc());
        QCOMPARE(settings.statGames, grading); // counted at once, stored after
    }
    QVERIFY(!recorder.waitUntilTried(0));
    QVERIFY(recorder.waitUntilTried(30000));
    QCOMPARE(recorder.healthLine().section(QLatin1Char('\n'), 0, 0), line);

    held.close();
    QDir().rmdir(paths.statisticsFile);
    QVERIFY(QDir().mkpath(QFileInfo(paths.historyFile).path()));
    if (drills > 1) {
        QTRY_COMPARE_WITH_TIMEOUT(recorder.healthLine(), QString(), 30000);
    }
    recorder.close();
    // The statistics and the record agree: every drill in both.
    SettingsState stored;
    QVERIFY(readStatistics(stored, paths));
    QCOMPARE(stored.statGames, drills);
    recorder.openRecord({});
    QCOMPARE(recorder.history().answers()->size(), std::size_t(2 * drills));
}

QTEST_GUILESS_MAIN(TestRecorder)
#include "test_recorder.moc"
