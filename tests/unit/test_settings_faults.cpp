#include "settings/settings_files.h"
#include "settings/statistics_recording.h"
#include "support/files.h"
#include "support/machine_changes.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

using tavik::SettingsPaths;
using tavik::SettingsState;
using tavik::testing::readBytes;
using tavik::testing::settingsPathsIn;
using tavik::testing::writeBytes;

namespace {

const QByteArray
    oldStatistics("[STATISTICS]\nNAME=花子\nSCORE= 21\nQUESTIONS= 30\nRATE= 70\nNOG= 3\n");
const QByteArray oldConfig("[CONFIG]\nTERMS=False\nPC=True\nQUESTION=True\n");

constexpr QFileDevice::Permissions readOnly =
    QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
constexpr QFileDevice::Permissions openToAll =
    readOnly | QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther |
    QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
constexpr QFileDevice::Permissions readAndEnter =
    readOnly | QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;

// Root may write wherever it likes, so permission checks are run as the
// user nobody, in a child process; anyone else runs them as themselves.
// check returns "" or what went wrong.
QString asUnprivilegedUser(const std::function<QString()>& check) {
    if (geteuid() != 0) {
        return check();
    }
    const passwd* nobody = getpwnam("nobody");
    if (nobody == nullptr) {
        return QStringLiteral("there is no user nobody");
    }
    int channel[2];
    if (pipe(channel) != 0) {
        return QStringLiteral("no pipe");
    }
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        // The reasons for failed writes would land in the parent's test log
        // as stray output; the check reports what matters.
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        QString fault;
        if (setgroups(0, nullptr) != 0 || setgid(nobody->pw_gid) != 0 ||
            setuid(nobody->pw_uid) != 0) {
            fault = QStringLiteral("could not become nobody");
        } else {
            fault = check();
        }
        const QByteArray bytes = fault.toUtf8();
        const bool sent = write(channel[1], bytes.constData(), bytes.size()) == bytes.size();
        _exit(sent ? 0 : 1);
    }
    close(channel[1]);
    QByteArray fault;
    char buffer[512];
    for (ssize_t got; (got = read(channel[0], buffer, sizeof buffer)) > 0;) {
        fault.append(buffer, got);
    }
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return QStringLiteral("the unprivileged check died");
    }
    return QString::fromUtf8(fault);
}

// A small tmpfs of its own, to fill up or to make read-only for real.
class SmallDisk {
public:
    explicit SmallDisk(const QString& mountPoint) : m_mountPoint(mountPoint) {
        QDir().mkpath(mountPoint);
        m_mounted = run({QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                         QStringLiteral("size=256k"), QStringLiteral("tmpfs"), mountPoint});
    }
    ~SmallDisk() {
        if (m_mounted) {
            QProcess::execute(QStringLiteral("umount"), {m_mountPoint});
        }
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return m_mounted; }
    bool makeReadOnly() {
        return run({QStringLiteral("-o"), QStringLiteral("remount,ro"), m_mountPoint});
    }

private:
    static bool run(const QStringList& arguments) {
        QProcess mount;
        mount.start(QStringLiteral("mount"), arguments);
        return mount.waitForFinished() && mount.exitStatus() == QProcess::NormalExit &&
               mount.exitCode() == 0;
    }

    QString m_mountPoint;
    bool m_mounted = false;
};

// Fills the disk that holds directory until not one more byte fits.
void fillDisk(const QString& directory) {
    QFile filler(QDir(directory).filePath(QStringLiteral("filler")));
    QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size()) {
    }
    while (filler.write("f", 1) == 1) {
    }
}

QString settingsSaveFaults(const SettingsPaths& paths) {
    SettingsState state;
    state.statGames = 9;
    if (tavik::writeStatistics(state, paths) || tavik::writeConfig(state, paths)) {
        return QStringLiteral("a write was reported as done");
    }
    if (tavik::recordGradingToFile(state, paths, 10, 7)) {
        return QStringLiteral("a grading was reported as stored");
    }
    if (state.unsavedDrills.size() != 1) {
        return QStringLiteral("%1 drills kept to store later instead of 1")
            .arg(state.unsavedDrills.size());
    }
    return state.statGames == 4
               ? QString()
               : QStringLiteral("NOG %1 in memory instead of 4").arg(state.statGames);
}

} // namespace

class TestSettingsFaults : public QObject {
    Q_OBJECT

private slots:
    void init();
    void blockedWritesKeepOldFiles_data();
    void blockedWritesKeepOldFiles();
    void unreadableStatisticsAreNeitherResetNorOverwritten();
    void fullDiskKeepsOldFiles();
    void readOnlyProgramFolderMovesFilesToTheUsersFolder_data();
    void readOnlyProgramFolderMovesFilesToTheUsersFolder();
    void placeOfTheFilesToldWhereItSurprises_data();
    void placeOfTheFilesToldWhereItSurprises();
    void readOnlyMountMovesFilesToTheUsersFolder();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSettingsFaults::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(QFile::setPermissions(m_dir->path(), readAndEnter | QFileDevice::WriteOwner));
}

void TestSettingsFaults::blockedWritesKeepOldFiles_data() {
    QTest::addColumn<bool>("fileReadOnly");
    QTest::addColumn<bool>("folderReadOnly");
    // Everything succeeds but the final replace of the file.
    QTest::addColumn<bool>("replaceRefused");
    QTest::newRow("read-only files") << true << false << false;
    QTest::newRow("read-only folder") << false << true << false;
    QTest::newRow("both") << true << true << false;
    QTest::newRow("replace refused") << false << false << true;
}

// Nothing is written, what was there stays byte for byte, no temporary or
// lock file is left behind, and the grading still counts in memory.
void TestSettingsFaults::blockedWritesKeepOldFiles() {
    QFETCH(bool, fileReadOnly);
    QFETCH(bool, folderReadOnly);
    QFETCH(bool, replaceRefused);
    const QString folder = m_dir->filePath(QStringLiteral("program"));
    QVERIFY(QDir().mkpath(folder));
    const SettingsPaths paths = settingsPathsIn(folder);
    writeBytes(paths.statisticsFile, oldStatistics);
    writeBytes(paths.configFile, oldConfig);
    const auto filePermissions = fileReadOnly ? readOnly : openToAll;
    QVERIFY(QFile::setPermissions(paths.statisticsFile, filePermissions));
    QVERIFY(QFile::setPermissions(paths.configFile, filePermissions));
    QVERIFY(QFile::setPermissions(folder, folderReadOnly ? readAndEnter : openToAll));
    // A file mounted over itself can be opened and written, but no rename
    // may replace it.
    QStringList mounted;
    const auto unmount = qScopeGuard([&] {
        for (const QString& file : mounted) {
            QProcess::execute(QStringLiteral("umount"), {file});
        }
    });
    for (const QString& file : {paths.statisticsFile, paths.configFile}) {
        if (replaceRefused) {
            SKIP_UNLESS_MACHINE_MAY_CHANGE("bind-mounting a file over itself");
            if (QProcess::execute(QStringLiteral("mount"),
                                  {QStringLiteral("--bind"), file, file})) {
                QSKIP("bind mounts need root");
            }
            mounted << file;
        }
    }

    const QString fault = asUnprivilegedUser([&] { return settingsSaveFaults(paths); });
    QFile::setPermissions(folder, openToAll);
    QCOMPARE(fault, QString());
    QCOMPARE(readBytes(paths.statisticsFile), oldStatistics);
    QCOMPARE(readBytes(paths.configFile), oldConfig);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden),
             QStringList({QStringLiteral("conf.ini"), QStringLiteral("tavik.ini")}));
}

void TestSettingsFaults::unreadableStatisticsAreNeitherResetNorOverwritten() {
    const QString folder = m_dir->filePath(QStringLiteral("program"));
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(QFile::setPermissions(folder, openToAll));
    const SettingsPaths paths = settingsPathsIn(folder);
    writeBytes(paths.statisticsFile, oldStatistics);
    QVERIFY(QFile::setPermissions(paths.statisticsFile, QFileDevice::WriteOwner));

    const QString fault = asUnprivilegedUser([&]() -> QString {
        SettingsState state;
        state.statGames = 8;
        if (tavik::readStatistics(state, paths)) {
            return QStringLiteral("an unreadable file was read");
        }
        state.statGames = 8;
        if (tavik::recordGradingToFile(state, paths, 10, 7)) {
            return QStringLiteral("the statistics replaced a file that could not be read");
        }
        return state.statGames == 9 ? QString()
                                    : QStringLiteral("NOG %1 instead of 9").arg(state.statGames);
    });
    QCOMPARE(fault, QString());
    QCOMPARE(readBytes(paths.statisticsFile), oldStatistics);
}

void TestSettingsFaults::fullDiskKeepsOldFiles() {
    SKIP_UNLESS_MACHINE_MAY_CHANGE("mounting a small disk");
    if (geteuid() != 0) {
        QSKIP("mounting a small disk needs root; test_ini_file fills a disk by a file size limit");
    }
    const QString mountPoint = m_dir->filePath(QStringLiteral("disk"));
    SmallDisk disk(mountPoint);
    if (!disk.mounted()) {
        QSKIP("tmpfs cannot be mounted here");
    }
    const SettingsPaths paths = settingsPathsIn(mountPoint);
    writeBytes(paths.statisticsFile, oldStatistics);
    writeBytes(paths.configFile, oldConfig);
    fillDisk(mountPoint);

    SettingsState state;
    state.userName = QString(2000, u'名');
    QVERIFY(!tavik::writeStatistics(state, paths));
    QVERIFY(!tavik::writeConfig(state, paths));
    QVERIFY(!tavik::recordGradingToFile(state, paths, 10, 7));
    QCOMPARE(state.statGames, 4);
    QCOMPARE(readBytes(paths.statisticsFile), oldStatistics);
    QCOMPARE(readBytes(paths.configFile), oldConfig);

    // Once there is room again, the grading kept in memory is stored too.
    QVERIFY(QFile::remove(QDir(mountPoint).filePath(QStringLiteral("filler"))));
    QVERIFY(tavik::recordGradingToFile(state, paths, 10, 7));
    SettingsState reread;
    tavik::readStatistics(reread, paths);
    QCOMPARE(reread.statGames, 5);
    QCOMPARE(QDir(mountPoint).entryList(QDir::Files | QDir::Hidden),
             QStringList({QStringLiteral("conf.ini"), QStringLiteral("tavik.ini")}));
}

void TestSettingsFaults::readOnlyProgramFolderMovesFilesToTheUsersFolder_data() {
    QTest::addColumn<bool>("learnersOwn"); // or another account's, as a teacher's shared copy
    QTest::newRow("the learner's own files come along") << true;
    QTest::newRow("another account's files stay behind") << false;
}

void TestSettingsFaults::readOnlyProgramFolderMovesFilesToTheUsersFolder() {
    QFETCH(bool, learnersOwn);
    const QString program = m_dir->filePath(QStringLiteral("program"));
    const QString home = m_dir->filePath(QStringLiteral("home"));
    QVERIFY(QDir().mkpath(program));
    QVERIFY(QDir().mkpath(home));
    writeBytes(QDir(program).filePath(QStringLiteral("tavik.ini")), oldStatistics);
    QVERIFY(QFile::setPermissions(QDir(program).filePath(QStringLiteral("tavik.ini")), readOnly));
    if (learnersOwn && geteuid() == 0) {
        const passwd* nobody = getpwnam("nobody");
        QVERIFY(nobody != nullptr);
        QCOMPARE(chown(QFile::encodeName(QDir(program).filePath(QStringLiteral("tavik.ini"))),
                       nobody->pw_uid, nobody->pw_gid),
                 0);
    }
    QVERIFY(QFile::setPermissions(program, readAndEnter));
    QVERIFY(QFile::setPermissions(home, openToAll));
    const QString userFolder = QDir(home).filePath(QStringLiteral(".config/tavik"));

    const QString fault = asUnprivilegedUser([&]() -> QString {
        const SettingsPaths paths = tavik::locateSettingsFiles(program, userFolder);
        if (paths.statisticsFile != QDir(userFolder).filePath(QStringLiteral("tavik.ini")) ||
            paths.movedFrom != program) {
            return QStringLiteral("statistics kept in ") + paths.statisticsFile;
        }
        SettingsState state;
        tavik::readStatistics(state, paths);
        if ((state.statGames == 3 && state.userName == QStringLiteral("花子")) != learnersOwn) {
            return QStringLiteral("the old statistics came along: ") +
                   QString::number(state.statGames);
        }
        return tavik::recordGradingToFile(state, paths, 10, 7) && tavik::writeConfig(state, paths)
                   ? QString()
                   : QStringLiteral("the moved files cannot be written");
    });
    QFile::setPermissions(program, openToAll);
    QCOMPARE(fault, QString());
    SettingsState moved;
    tavik::readStatistics(moved, settingsPathsIn(userFolder));
    QCOMPARE(moved.statGames, learnersOwn ? 4 : 1);
    QCOMPARE(readBytes(QDir(program).filePath(QStringLiteral("tavik.ini"))), oldStatistics);
    QVERIFY(!QFile::exists(QDir(program).filePath(QStringLiteral("conf.ini"))));

    // Writable again on the next run: the drills graded meanwhile stay counted.
    const SettingsPaths again = tavik::locateSettingsFiles(program, userFolder);
    SettingsState next;
    tavik::readStatistics(next, again);
    QCOMPARE(next.statGames, learnersOwn ? 4 : 1);
    QCOMPARE(again.movedFrom, program);
}

void TestSettingsFaults::placeOfTheFilesToldWhereItSurprises_data() {
    QTest::addColumn<bool>("installed");    // the user's folder is the program's place
    QTest::addColumn<QString>("userFiles"); // file already in the user's folder
    QTest::addColumn<bool>("moved");        // the files are elsewhere than beside the program
    QTest::newRow("installed, the first start") << true << "" << false;
    QTest::newRow("installed, files in their place") << true << "tavik.ini" << false;
    QTest::newRow("portable copy, nothing anywhere") << false << "" << false;
    QTest::newRow("portable copy writable again, files only in the user's folder")
        << false << "history.sqlite" << true;
}

void TestSettingsFaults::placeOfTheFilesToldWhereItSurprises() {
    QFETCH(bool, installed);
    QFETCH(QString, userFiles);
    QFETCH(bool, moved);
    const QString program = m_dir->filePath(QStringLiteral("program"));
    const QString userFolder = m_dir->filePath(QStringLiteral("home/.config/tavik"));
    QVERIFY(QDir().mkpath(program));
    if (!userFiles.isEmpty()) {
        QVERIFY(QDir().mkpath(userFolder));
        writeBytes(QDir(userFolder).filePath(userFiles), oldStatistics);
    }
    const SettingsPaths paths =
        tavik::locateSettingsFiles(installed ? userFolder : program, userFolder);
    QCOMPARE(paths.movedFrom.isEmpty(), !moved);
    QCOMPARE(QFileInfo(paths.statisticsFile).path(), installed || moved ? userFolder : program);
    QVERIFY(QFileInfo(QFileInfo(paths.statisticsFile).path()).isWritable());
}

void TestSettingsFaults::readOnlyMountMovesFilesToTheUsersFolder() {
    SKIP_UNLESS_MACHINE_MAY_CHANGE("mounting a read-only disk");
    if (geteuid() != 0) {
        QSKIP("mounting needs root");
    }
    const QString program = m_dir->filePath(QStringLiteral("medium"));
    SmallDisk disk(program);
    if (!disk.mounted()) {
        QSKIP("tmpfs cannot be mounted here");
    }
    writeBytes(settingsPathsIn(program).statisticsFile, oldStatistics);
    writeBytes(settingsPathsIn(program).configFile, oldConfig);
    QVERIFY(disk.makeReadOnly());
    const QString userFolder = m_dir->filePath(QStringLiteral("home/.config/tavik"));

    const SettingsPaths paths = tavik::locateSettingsFiles(program, userFolder);
    QCOMPARE(paths.statisticsFile, QDir(userFolder).filePath(QStringLiteral("tavik.ini")));
    QCOMPARE(readBytes(paths.statisticsFile), oldStatistics);
    QCOMPARE(readBytes(paths.configFile), oldConfig);
    SettingsState state;
    tavik::readStatistics(state, paths);
    QVERIFY(tavik::recordGradingToFile(state, paths, 10, 7));
    QCOMPARE(state.statGames, 4);
}

QTEST_GUILESS_MAIN(TestSettingsFaults)
#include "test_settings_faults.moc"
