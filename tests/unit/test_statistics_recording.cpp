#include "settings/statistics_recording.h"
#include "support/files.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cstdio>
#include <random>

using tavik::SettingsPaths;
using tavik::SettingsState;
using tavik::testing::readBytes;
using tavik::testing::writeBytes;

namespace {

// Every drill graded by the helper processes: two questions, one right.
constexpr int drillQuestions = 2;
constexpr int drillCorrect = 1;

const char* const gradeOption = "--grade";
const char* const holdLockOption = "--hold-lock";

// The bytes tavik.ini holds after `drills` such drills graded from nothing.
QByteArray statisticsAfter(int drills) {
    return QStringLiteral("[STATISTICS]\nNAME=\nSCORE= %1\nQUESTIONS= %2\nRATE= %3\nNOG= %4\n")
        .arg(drills * drillCorrect)
        .arg(drills * drillQuestions)
        .arg(drills == 0 ? 0 : drillCorrect * 100 / drillQuestions)
        .arg(drills)
        .toUtf8();
}

// The helper mode of this program: grades `count` drills into the file at
// path, or, when count is 0, keeps grading until killed and says so on
// standard output once the first drill is stored.
int gradeDrills(const QString& path, int count) {
    const SettingsPaths paths{QString(), path};
    SettingsState state;
    for (int drill = 0; count == 0 || drill < count; ++drill) {
        if (!tavik::recordGradingToFile(state, paths, drillQuestions, drillCorrect)) {
            return 1;
        }
        if (drill == 0 && count == 0) {
            std::fputs("grading\n", stdout);
            std::fflush(stdout);
        }
    }
    return 0;
}

// The other helper mode: takes the lock of the file at path, says so and
// keeps it until killed.
int holdLock(const QString& path) {
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!lock.lock()) {
        return 1;
    }
    std::fputs("locked\n", stdout);
    std::fflush(stdout);
    QThread::sleep(60);
    return 0;
}

QStringList gradeArguments(const QString& path, int count) {
    return {QString::fromLatin1(gradeOption), path, QString::number(count)};
}

int storedDrills(const QString& path) {
    SettingsState state;
    tavik::readStatistics(state, {QString(), path});
    return state.statGames;
}

} // namespace

class TestStatisticsRecording : public QObject {
    Q_OBJECT

private slots:
    void init();
    void gradingBuildsOnTheFile_data();
    void gradingBuildsOnTheFile();
    void unsavedDrillsAreStoredByTheNextGrading();
    void staleLockOfADeadCopyIsTakenOver();
    void ownerlessLockOfACopyKilledWhileLockingIsTakenOver();
    void lockHeldTooLongStillRecords();
    void concurrentCopiesLoseNoGrading();
    void killedWriterLeavesOldOrNewStatistics();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    SettingsPaths m_paths;
};

void TestStatisticsRecording::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_paths = tavik::testing::settingsPathsIn(m_dir->path());
}

void TestStatisticsRecording::gradingBuildsOnTheFile_data() {
    QTest::addColumn<QByteArray>("stored"); // a null array: no file
    QTest::addColumn<int>("memoryGames");   // what this copy read at start
    QTest::addColumn<int>("expectedGames");
    QTest::addColumn<QString>("expectedName");

    QTest::newRow("first grading ever") << QByteArray() << 0 << 1 << "mine";
    QTest::newRow("another copy graded since")
        << QByteArray("[STATISTICS]\nNAME=花子\nNOG= 7\n") << 5 << 8 << "花子";
    QTest::newRow("file deleted while running") << QByteArray() << 5 << 6 << "mine";
    QTest::newRow("file emptied") << QByteArray("") << 5 << 6 << "mine";
    QTest::newRow("section lost") << QByteArray("[OTHER]\nNOG= 1\n") << 5 << 6 << "mine";
    QTest::newRow("hand-edited counts") << QByteArray("[statistics]\nnog=12abc\n") << 5 << 13 << "";
}

void TestStatisticsRecording::gradingBuildsOnTheFile() {
    QFETCH(QByteArray, stored);
    QFETCH(int, memoryGames);
    QFETCH(int, expectedGames);
    QFETCH(QString, expectedName);
    if (!stored.isNull()) {
        writeBytes(m_paths.statisticsFile, stored);
    }
    SettingsState state;
    state.userName = QStringLiteral("mine");
    state.statGames = static_cast<std::int16_t>(memoryGames);
    state.optTerms = true;

    QVERIFY(tavik::recordGradingToFile(state, m_paths, 10, 7));

    QCOMPARE(state.statGames, expectedGames);
    QCOMPARE(state.userName, expectedName);
    QVERIFY(state.optTerms);
    SettingsState reread;
    QVERIFY(tavik::readStatistics(reread, m_paths));
    QCOMPARE(reread.statGames, state.statGames);
    QCOMPARE(reread.statScore, state.statScore);
    QCOMPARE(reread.statQuestions, state.statQuestions);
    QCOMPARE(reread.statRate, state.statRate);
    QCOMPARE(reread.userName, state.userName);
    QVERIFY(!QFile::exists(m_paths.statisticsFile + QStringLiteral(".lock")));
}

// While tavik.ini is read-only the drills count in memory only; once it can
// be written again they are stored on top of whatever another copy stored
// meanwhile.
void TestStatisticsRecording::unsavedDrillsAreStoredByTheNextGrading() {
    writeBytes(m_paths.statisticsFile, "[STATISTICS]\nNOG= 4\n");
    QVERIFY(QFile::setPermissions(m_paths.statisticsFile, QFileDevice::ReadOwner));
    SettingsState state;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Could not write")));
    QVERIFY(!tavik::recordGradingToFile(state, m_paths, 10, 10));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Could not write")));
    QVERIFY(!tavik::recordGradingToFile(state, m_paths, 10, 10));
    QCOMPARE(state.statGames, 6);
    QCOMPARE(state.unsavedDrills.size(), 2);

    QVERIFY(QFile::remove(m_paths.statisticsFile));
    writeBytes(m_paths.statisticsFile, "[STATISTICS]\nNOG= 5\nQUESTIONS= 50\n");
    QVERIFY(tavik::recordGradingToFile(state, m_paths, 10, 5));
    QCOMPARE(state.statGames, 8);
    QCOMPARE(state.statQuestions, 80);
    QCOMPARE(state.statScore, 25);
    QVERIFY(state.unsavedDrills.isEmpty());
    QCOMPARE(storedDrills(m_paths.statisticsFile), 8);
}

void TestStatisticsRecording::staleLockOfADeadCopyIsTakenOver() {
    // A copy killed while grading leaves its lock file behind.
    QProcess holder;
    holder.start(QCoreApplication::applicationFilePath(),
                 {QString::fromLatin1(holdLockOption), m_paths.statisticsFile});
    QVERIFY(holder.waitForReadyRead(10000));
    holder.kill();
    QVERIFY(holder.waitForFinished());
    QVERIFY(QFile::exists(m_paths.statisticsFile + QStringLiteral(".lock")));

    QElapsedTimer timer;
    timer.start();
    SettingsState state;
    QVERIFY(tavik::recordGradingToFile(state, m_paths, 10, 7));
    QVERIFY2(timer.elapsed() < 2000, "waited for the lock of a dead copy");
    QCOMPARE(storedDrills(m_paths.statisticsFile), 1);
}

void TestStatisticsRecording::ownerlessLockOfACopyKilledWhileLockingIsTakenOver() {
    // Killed after creating the lock file but before writing its owner into it.
    const QString lockPath = m_paths.statisticsFile + QStringLiteral(".lock");
    QFile lock(lockPath);
    QVERIFY(lock.open(QIODevice::WriteOnly));
    QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-2),
                             QFileDevice::FileModificationTime));
    lock.close();

    QElapsedTimer timer;
    timer.start();
    SettingsState state;
    QVERIFY(tavik::recordGradingToFile(state, m_paths, 10, 7));
    QVERIFY2(timer.elapsed() < 2000, "waited for an empty lock left by a dead copy");
    QCOMPARE(storedDrills(m_paths.statisticsFile), 1);
}

void TestStatisticsRecording::lockHeldTooLongStillRecords() {
    QLockFile hung(m_paths.statisticsFile + QStringLiteral(".lock"));
    QVERIFY(hung.tryLock(0));
    SettingsState state;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Could not lock")));
    QVERIFY(tavik::recordGradingToFile(state, m_paths, 10, 7));
    QCOMPARE(storedDrills(m_paths.statisticsFile), 1);
}

void TestStatisticsRecording::concurrentCopiesLoseNoGrading() {
    constexpr int copies = 4;
    constexpr int drillsEach = 60;
    std::vector<std::unique_ptr<QProcess>> graders;
    for (int copy = 0; copy < copies; ++copy) {
        graders.push_back(std::make_unique<QProcess>());
        graders.back()->start(QCoreApplication::applicationFilePath(),
                              gradeArguments(m_paths.statisticsFile, drillsEach));
    }
    for (const auto& grader : graders) {
        QVERIFY(grader->waitForFinished(60000));
        QCOMPARE(grader->exitStatus(), QProcess::NormalExit);
        QCOMPARE(grader->exitCode(), 0);
    }
    QCOMPARE(readBytes(m_paths.statisticsFile), statisticsAfter(copies * drillsEach));
}

// A grading process is killed at random moments while it grades without
// pause; whenever it dies, tavik.ini holds exactly the statistics of the
// last completed grading, never a mixture, a cut file or fewer drills, and
// the next copy is not kept out by the lock the dead one left.
void TestStatisticsRecording::killedWriterLeavesOldOrNewStatistics() {
    constexpr int kills = 200;
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> delayMicroseconds(0, 15000);
    int lastDrills = 0;
    for (int kill = 0; kill < kills; ++kill) {
        QProcess grader;
        grader.start(QCoreApplication::applicationFilePath(),
                     gradeArguments(m_paths.statisticsFile, 0));
        QVERIFY2(grader.waitForReadyRead(10000), "the grader stored nothing");
        QThread::usleep(static_cast<unsigned long>(delayMicroseconds(random)));
        grader.kill();
        QVERIFY(grader.waitForFinished());
        QCOMPARE(grader.exitStatus(), QProcess::CrashExit);

        const int drills = storedDrills(m_paths.statisticsFile);
        QCOMPARE(readBytes(m_paths.statisticsFile), statisticsAfter(drills));
        QVERIFY2(drills > lastDrills, "a grading already stored was lost");
        lastDrills = drills;
    }
    const QStringList leftovers =
        QDir(m_dir->path())
            .entryList({QStringLiteral("tavik.ini.??????")}, QDir::Files | QDir::Hidden);
    qInfo("%d kills; %d drills stored; %lld temporary files of cut writes left behind", kills,
          lastDrills, static_cast<long long>(leftovers.size()));
}

int main(int argc, char* argv[]) {
    if (argc == 4 && qstrcmp(argv[1], gradeOption) == 0) {
        return gradeDrills(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toInt());
    }
    if (argc == 3 && qstrcmp(argv[1], holdLockOption) == 0) {
        return holdLock(QString::fromLocal8Bit(argv[2]));
    }
    QCoreApplication application(argc, argv);
    TestStatisticsRecording test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_statistics_recording.moc"
