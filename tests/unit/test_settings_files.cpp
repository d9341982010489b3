#include "settings/settings_files.h"

#include "support/files.h"
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using tavik::SettingsPaths;
using tavik::SettingsState;
using tavik::testing::readBytes;
using tavik::testing::writeBytes;

namespace {

QByteArray padded(const char* flag) {
    return QByteArray(flag).leftJustified(255, ' ');
}

// A state in which every field differs from what an empty file gives, so a
// field that reading forgets to set shows.
SettingsState filledState() {
    SettingsState state;
    state.optTerms = false;
    state.optPc = false;
    state.optQuestion = false;
    state.userName = QStringLiteral("stale");
    state.statScore = 9;
    state.statQuestions = 9;
    state.statRate = 9;
    state.statGames = 9;
    return state;
}

} // namespace

class TestSettingsFiles : public QObject {
    Q_OBJECT

private slots:
    void init();
    void missingFilesGiveDefaults();
    void parseFlag_data();
    void parseFlag();
    void readsFlags_data();
    void readsFlags();
    void writesConfigByteForByte();
    void readsCounters();
    void writesStatisticsByteForByte();
    void statisticsRoundTrip_data();
    void statisticsRoundTrip();
    void shiftJisNameSurvivesWriting();
    void otherContentKeptAcrossWrites();
    void failedWriteKeepsOldFiles();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    SettingsPaths m_paths;
};

void TestSettingsFiles::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_paths = tavik::testing::settingsPathsIn(m_dir->path());
}

void TestSettingsFiles::missingFilesGiveDefaults() {
    SettingsState state = filledState();
    tavik::readStatistics(state, m_paths);
    tavik::readConfig(state, m_paths);
    QVERIFY(state.optTerms && state.optPc && state.optQuestion);
    QCOMPARE(state.userName, QString());
    QCOMPARE(state.statScore, 0);
    QCOMPARE(state.statQuestions, 0);
    QCOMPARE(state.statRate, 0);
    QCOMPARE(state.statGames, 0);
    QVERIFY(!QFile::exists(m_paths.configFile));
    QVERIFY(!QFile::exists(m_paths.statisticsFile));
}

void TestSettingsFiles::parseFlag_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("expected");
    QTest::newRow("False") << "False" << false;
    QTest::newRow("True") << "True" << true;
    QTest::newRow("lower case") << "false" << true;
    QTest::newRow("upper case") << "FALSE" << true;
    QTest::newRow("zero") << "0" << true;
    QTest::newRow("empty") << "" << true;
    QTest::newRow("with a blank") << "False " << true;
}

void TestSettingsFiles::parseFlag() {
    QFETCH(QString, value);
    QFETCH(bool, expected);
    QCOMPARE(tavik::parseFlag(value), expected);
}

void TestSettingsFiles::readsFlags_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("terms");
    QTest::addColumn<bool>("pc");
    QTest::addColumn<bool>("question");
    QTest::newRow("as written") << QByteArray("[CONFIG]\nTERMS=" + padded("False") + "\nPC=" +
                                              padded("True") + "\nQUESTION=" + padded("False"))
                                << false << true << false;
    QTest::newRow("lower-case false")
        << QByteArray("[CONFIG]\nTERMS=false\nPC=False\n") << true << false << true;
    QTest::newRow("blanks after False")
        << QByteArray("[CONFIG]\r\nPC=False   \r\nQUESTION=  False\r\n") << true << false << false;
    QTest::newRow("names in lower case")
        << QByteArray("[config]\nterms=False\n") << false << true << true;
    QTest::newRow("other section") << QByteArray("[OTHER]\nTERMS=False\n") << true << true << true;
}

void TestSettingsFiles::readsFlags() {
    QFETCH(QByteArray, content);
    QFETCH(bool, terms);
    QFETCH(bool, pc);
    QFETCH(bool, question);
    writeBytes(m_paths.configFile, content);
    SettingsState state;
    state.optTerms = !terms;
    state.optPc = !pc;
    state.optQuestion = !question;
    tavik::readConfig(state, m_paths);
    QCOMPARE(state.optTerms, terms);
    QCOMPARE(state.optPc, pc);
    QCOMPARE(state.optQuestion, question);
}

void TestSettingsFiles::writesConfigByteForByte() {
    SettingsState state;
    state.optTerms = true;
    state.optPc = false;
    state.optQuestion = true;
    QVERIFY(tavik::writeConfig(state, m_paths));
    QCOMPARE(readBytes(m_paths.configFile), "[CONFIG]\nTERMS=" + padded("True") +
                                                "\nPC=" + padded("False") +
                                                "\nQUESTION=" + padded("True") + "\n");

    state.optPc = true;
    QVERIFY(tavik::writeConfig(state, m_paths));
    SettingsState read = filledState();
    tavik::readConfig(read, m_paths);
    QVERIFY(read.optTerms && read.optPc && read.optQuestion);
    QCOMPARE(readBytes(m_paths.configFile).count('\n'), 4);
}

// How each text reads is the number parser's test; here every counter of the
// file goes through it.
void TestSettingsFiles::readsCounters() {
    const QString stored = QStringLiteral(" 1D3");
    const int expected = 1000;
    writeBytes(m_paths.statisticsFile,
               "[STATISTICS]\nSCORE=" + stored.toUtf8() + "\nQUESTIONS=" + stored.toUtf8() +
                   "\nRATE=" + stored.toUtf8() + "\nNOG=" + stored.toUtf8() + "\n");
    SettingsState state = filledState();
    tavik::readStatistics(state, m_paths);
    QCOMPARE(state.statScore, expected);
    QCOMPARE(state.statQuestions, expected);
    QCOMPARE(state.statRate, expected);
    QCOMPARE(state.statGames, expected);
}

void TestSettingsFiles::writesStatisticsByteForByte() {
    SettingsState state;
    state.userName = QStringLiteral("山田 太郎");
    state.statScore = 12;
    state.statQuestions = 0;
    state.statRate = -1;
    state.statGames = 3;
    QVERIFY(tavik::writeStatistics(state, m_paths));
    QCOMPARE(
        readBytes(m_paths.statisticsFile),
        QByteArray("[STATISTICS]\nNAME=山田 太郎\nSCORE= 12\nQUESTIONS= 0\nRATE=-1\nNOG= 3\n"));

    state.userName.clear();
    QVERIFY(tavik::writeStatistics(state, m_paths));
    QVERIFY(readBytes(m_paths.statisticsFile).startsWith("[STATISTICS]\nNAME=\nSCORE= 12\n"));
}

void TestSettingsFiles::statisticsRoundTrip_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("counter");
    QTest::newRow("zero") << "" << 0;
    QTest::newRow("largest") << "a" << 32767;
    QTest::newRow("smallest") << "b" << -32768;
    QTest::newRow("name with blanks inside") << u"佐藤\u3000花子 x"_qs << 58;
}

void TestSettingsFiles::statisticsRoundTrip() {
    QFETCH(QString, name);
    QFETCH(int, counter);
    SettingsState written;
    written.userName = name;
    written.statScore = static_cast<std::int16_t>(counter);
    written.statQuestions = static_cast<std::int16_t>(counter);
    written.statRate = static_cast<std::int16_t>(counter);
    written.statGames = static_cast<std::int16_t>(counter);
    QVERIFY(tavik::writeStatistics(written, m_paths));
    SettingsState read = filledState();
    tavik::readStatistics(read, m_paths);
    QCOMPARE(read.userName, name);
    QCOMPARE(read.statScore, written.statScore);
    QCOMPARE(read.statQuestions, written.statQuestions);
    QCOMPARE(read.statRate, written.statRate);
    QCOMPARE(read.statGames, written.statGames);
}

void TestSettingsFiles::shiftJisNameSurvivesWriting() {
    // "山田太郎" in Shift-JIS, as older copies stored it.
    writeBytes(m_paths.statisticsFile,
               "[STATISTICS]\r\nNAME=\x8e\x52\x93\x63\x91\xbe\x98\x59\r\nSCORE= 4\r\n");
    SettingsState state;
    tavik::readStatistics(state, m_paths);
    QCOMPARE(state.userName, QStringLiteral("山田太郎"));
    QCOMPARE(state.statScore, 4);
    state.statGames = 1;
    QVERIFY(tavik::writeStatistics(state, m_paths));
    QCOMPARE(readBytes(m_paths.statisticsFile),
             QByteArray("[STATISTICS]\r\nNAME=山田太郎\r\nSCORE= 4\r\nQUESTIONS= 0\r\n"
                        "RATE= 0\r\nNOG= 1\r\n"));
    SettingsState reread;
    tavik::readStatistics(reread, m_paths);
    QCOMPARE(reread.userName, QStringLiteral("山田太郎"));
}

void TestSettingsFiles::otherContentKeptAcrossWrites() {
    writeBytes(m_paths.statisticsFile, "; kept\n[OTHER]\nA=1\n\n[STATISTICS]\nName=x\nEXTRA=keep\n"
                                       "nog=7\n\n[LAST]\nB=2\n");
    SettingsState state;
    tavik::readStatistics(state, m_paths);
    QCOMPARE(state.statGames, 7);
    state.statGames = 8;
    QVERIFY(tavik::writeStatistics(state, m_paths));
    QVERIFY(tavik::writeStatistics(state, m_paths));
    QCOMPARE(readBytes(m_paths.statisticsFile),
             QByteArray("; kept\n[OTHER]\nA=1\n\n[STATISTICS]\nName=x\nEXTRA=keep\nnog= 8\n"
                        "SCORE= 0\nQUESTIONS= 0\nRATE= 0\n\n[LAST]\nB=2\n"));

    writeBytes(m_paths.configFile, "[CONFIG]\nPC=True\nOWN=mine\n");
    QVERIFY(tavik::writeConfig(SettingsState{}, m_paths));
    QCOMPARE(readBytes(m_paths.configFile), "[CONFIG]\nPC=" + padded("False") +
                                                "\nOWN=mine\nTERMS=" + padded("False") +
                                                "\nQUESTION=" + padded("False") + "\n");
}

void TestSettingsFiles::failedWriteKeepsOldFiles() {
    const QByteArray oldStatistics("[STATISTICS]\nNAME=x\nNOG= 5\n");
    writeBytes(m_paths.statisticsFile, oldStatistics);
    QVERIFY(QFile::setPermissions(m_paths.statisticsFile, QFileDevice::ReadOwner));
    SettingsState state;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("tavik\\.ini")));
    QVERIFY(!tavik::writeStatistics(state, m_paths));
    QCOMPARE(readBytes(m_paths.statisticsFile), oldStatistics);

    writeBytes(m_dir->filePath(QStringLiteral("plain")), "x");
    const SettingsPaths blocked{m_dir->filePath(QStringLiteral("plain/conf.ini")),
                                m_paths.statisticsFile};
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("conf\\.ini")));
    QVERIFY(!tavik::writeConfig(state, blocked));
    QCOMPARE(readBytes(m_dir->filePath(QStringLiteral("plain"))), QByteArray("x"));
}

QTEST_GUILESS_MAIN(TestSettingsFiles)
#include "test_settings_files.moc"
