#include "drill/recorder.h"
#include "support/files.h"

#include <QDir>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace tavik;

namespace {

// Another copy of Tavik (or the sqlite3 shell) holding the record's write lock.
struct HeldRecord {
    explicit HeldRecord(const QString& path) {
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("held"));
        db.setDatabaseName(path);
        QVERIFY(db.open() && QSqlQuery(db).exec(QStringLiteral("BEGIN IMMEDIATE")));
    }
    ~HeldRecord() { release(); }
    void release() {
        if (QSqlDatabase::contains(QStringLiteral("held"))) {
            QSqlDatabase::database(QStringLiteral("held")).close();
            QSqlDatabase::removeDatabase(QStringLiteral("held"));
        }
    }
};

int storedGradings(const QString& path) {
    HistoryStore reader;
    reader.open(path);
    const auto answers = reader.answers();
    return answers ? static_cast<int>(answers->size()) / 2 : -1;
}

} // namespace

class TestRecorder : public QObject {
    Q_OBJECT

private slots:
    void nothingPromisedIsLost_data();
    void nothingPromisedIsLost();
};

void TestRecorder::nothingPromisedIsLost_data() {
    // What keeps a file from taking a grading, and what the line says of it.
    QTest::addColumn<QString>("hindrance");
    QTest::addColumn<QString>("line");
    // Lifted just before the program ends, not before a retry: the end stores it.
    QTest::addColumn<bool>("liftedAtTheEnd");
    QTest::newRow("record held by another copy, released, then ×")
        << "record held" << "成績は保存しました。学習記録に採点 1 回分が未保存です。" << true;
    QTest::newRow("record's folder missing, then made")
        << "record folder" << "成績は保存しました。学習記録に採点 2 回分が未保存です。" << false;
    QTest::newRow("tavik.ini unwritable, then writable")
        << "statistics" << "学習記録は保存しました。成績に採点 2 回分が未保存です。" << false;
    QTest::newRow("both unwritable, then writable")
        << "both" << "採点 2 回分が、成績にも学習記録にもまだ保存できていません。" << false;
}

void TestRecorder::nothingPromisedIsLost() {
    QFETCH(QString, hindrance);
    QFETCH(QString, line);
    QFETCH(bool, liftedAtTheEnd);
    QTemporaryDir dir;
    SettingsState settings;
    SettingsPaths paths = testing::settingsPathsIn(dir.path());
    const bool recordHindered = hindrance != QLatin1String("statistics");
    const bool statisticsHindered =
        hindrance == QLatin1String("statistics") || hindrance == QLatin1String("both");
    if (recordHindered && hindrance != QLatin1String("record held")) {
        paths.historyFile = dir.filePath(QStringLiteral("later/history.sqlite"));
    }
    if (statisticsHindered) {
        QVERIFY(QDir().mkdir(paths.statisticsFile));
    }
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(".*")));
    Recorder recorder(settings, paths);
    recorder.openRecord({});
    std::optional<HeldRecord> held;
    if (hindrance == QLatin1String("record held")) {
        held.emplace(paths.historyFile);
    }
    const std::vector<AnsweredQuestion> drill{{3, 0, true}, {4, 0, false}};
    const int drills = liftedAtTheEnd ? 1 : 2;
    for (int grading = 0; grading < drills; ++grading) {
        recorder.record(drill, QDateTime::currentDateTimeUtc());
        // Counted at once; the files are written on the recorder's thread.
        QCOMPARE(settings.statGames, grading + 1);
    }
    QVERIFY(!recorder.waitUntilTried(0));
    QVERIFY(recorder.waitUntilTried(30000));
    QCOMPARE(recorder.healthLine().section(QLatin1Char('\n'), 0, 0), line);
    QCOMPARE(settings.statGames, drills);

    if (held) {
        held->release();
    }
    if (statisticsHindered) {
        QVERIFY(QDir().rmdir(paths.statisticsFile));
    }
    if (recordHindered) {
        QVERIFY(QDir().mkpath(QFileInfo(paths.historyFile).path()));
    }
    if (liftedAtTheEnd) {
        recorder.close();
    } else {
        QTRY_COMPARE_WITH_TIMEOUT(recorder.healthLine(), QString(), 30000);
        recorder.close();
    }
    // The statistics and the record agree: every drill in both.
    SettingsState stored;
    QVERIFY(readStatistics(stored, paths));
    QCOMPARE(stored.statGames, drills);
    QCOMPARE(storedGradings(paths.historyFile), drills);
}

QTEST_GUILESS_MAIN(TestRecorder)
#include "test_recorder.moc"
