#include "settings/ini_file.h"

#include "support/files.h"
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using tavik::IniFile;
using tavik::testing::readBytes;
using tavik::testing::writeBytes;

namespace {

// "山田太郎" as Shift-JIS bytes.
const QByteArray shiftJisName("\x8e\x52\x93\x63\x91\xbe\x98\x59");

// Lowers the largest file this process may write for as long as it lives,
// so that a write fails as on a full disk even when running as root.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit lowered{bytes, m_saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_savedHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved{};
    void (*m_savedHandler)(int) = nullptr;
};

bool canCreateFileIn(const QString& directory) {
    QFile probe(QDir(directory).filePath(QStringLiteral("probe")));
    const bool created = probe.open(QIODevice::WriteOnly);
    probe.remove();
    return created;
}

} // namespace

class TestIniFile : public QObject {
    Q_OBJECT

private slots:
    void readsValues_data();
    void readsValues();
    void missingFileReadsEmpty();
    void writes_data();
    void writes();
    void writtenValuesReadBack();
    void failedSaveKeepsOldFile_data();
    void failedSaveKeepsOldFile();
    void garbageIsReadWithoutCrashing_data();
    void garbageIsReadWithoutCrashing();

private:
    QTemporaryDir m_dir;
};

void TestIniFile::readsValues_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    QTest::newRow("blanks around value") << QByteArray("[S]\nK=  a b \t\n") << "S"
                                         << "K"
                                         << "a b";
    QTest::newRow("blanks around key and equals") << QByteArray("[S]\n  K  =  v\n") << "S"
                                                  << "K"
                                                  << "v";
    QTest::newRow("names ignore case") << QByteArray("[stats]\nName=x\n") << "STATS"
                                       << "NAME"
                                       << "x";
    QTest::newRow("missing section") << QByteArray("[A]\nK=1\n") << "B"
                                     << "K"
                                     << "";
    QTest::newRow("missing key") << QByteArray("[A]\nK=1\n") << "A"
                                 << "J"
                                 << "";
    QTest::newRow("key of another section") << QByteArray("[A]\nK=1\n[B]\nJ=2\n") << "B"
                                            << "K"
                                            << "";
    QTest::newRow("second section") << QByteArray("[A]\nK=1\n[B]\nK=2\n") << "B"
                                    << "K"
                                    << "2";
    QTest::newRow("empty value") << QByteArray("[A]\nK=\n") << "A"
                                 << "K"
                                 << "";
    QTest::newRow("first of duplicate keys") << QByteArray("[A]\nK=1\nK=2\n") << "A"
                                             << "K"
                                             << "1";
    QTest::newRow("CRLF") << QByteArray("[A]\r\nK=1\r\nL=2\r\n") << "A"
                          << "L"
                          << "2";
    QTest::newRow("no final line break") << QByteArray("[A]\nK=1") << "A"
                                         << "K"
                                         << "1";
    QTest::newRow("equals sign in value") << QByteArray("[A]\nK=a=b\n") << "A"
                                          << "K"
                                          << "a=b";
    QTest::newRow("key before any section") << QByteArray("K=0\n[A]\n") << "A"
                                            << "K"
                                            << "";
    QTest::newRow("comment is no key") << QByteArray("[A]\n;K=1\n") << "A"
                                       << ";K"
                                       << "";
    QTest::newRow("line without equals") << QByteArray("[A]\nK\nK=2\n") << "A"
                                         << "K"
                                         << "2";
    QTest::newRow("value ends at NUL") << QByteArray("[A]\nK=ab\0cd\n", 13) << "A"
                                       << "K"
                                       << "ab";
    QTest::newRow("lone CR ends a line") << QByteArray("[A]\rK=1\rL=2\r") << "A"
                                         << "L"
                                         << "2";
    QTest::newRow("CR inside a value ends it") << QByteArray("[A]\r\nK=a\rb\nL=2\n") << "A"
                                               << "K"
                                               << "a";
    QTest::newRow("blanks before a NUL") << QByteArray("[A]\nK=ab \x1a\0cd\n", 14) << "A"
                                         << "K"
                                         << "ab";
    QTest::newRow("ideographic space kept") << QByteArray("[A]\nK=山田\xe3\x80\x80\n") << "A"
                                            << "K" << u"山田\u3000"_qs;
    QTest::newRow("UTF-8 byte order mark") << QByteArray("\xef\xbb\xbf[A]\nK=v\n") << "A"
                                           << "K"
                                           << "v";
    QTest::newRow("UTF-8") << QByteArray("[A]\nNAME=山田太郎\n") << "A"
                           << "NAME"
                           << "山田太郎";
    QTest::newRow("Shift-JIS") << QByteArray("[A]\r\nNAME=" + shiftJisName + "\r\n") << "A"
                               << "NAME"
                               << "山田太郎";
}

void TestIniFile::readsValues() {
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    const QString path = m_dir.filePath(QStringLiteral("read.ini"));
    writeBytes(path, content);
    QCOMPARE(IniFile(path).value(section, key), expected);
}

void TestIniFile::missingFileReadsEmpty() {
    const IniFile file(m_dir.filePath(QStringLiteral("absent.ini")));
    QCOMPARE(file.value(u"A", u"K"), QString());
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("absent.ini"))));
}

void TestIniFile::writes_data() {
    QTest::addColumn<QByteArray>("before"); // a null array: no file
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("new file") << QByteArray() << "S"
                              << "K"
                              << "v" << QByteArray("[S]\nK=v\n");
    QTest::newRow("replaced in place, the rest kept")
        << QByteArray("; note\n[A]\nX=1\nK=old\nY=2\n\n[B]\nK=b\n") << "A"
        << "K"
        << "new" << QByteArray("; note\n[A]\nX=1\nK=new\nY=2\n\n[B]\nK=b\n");
    QTest::newRow("new key after the section's last key")
        << QByteArray("[A]\nX=1\n\n[B]\nZ=2\n") << "A"
        << "K"
        << "v" << QByteArray("[A]\nX=1\nK=v\n\n[B]\nZ=2\n");
    QTest::newRow("new key in an empty section") << QByteArray("[A]\n[B]\n") << "A"
                                                 << "K"
                                                 << "v" << QByteArray("[A]\nK=v\n[B]\n");
    QTest::newRow("new section at the end") << QByteArray("[A]\nX=1\n") << "B"
                                            << "K"
                                            << "v" << QByteArray("[A]\nX=1\n[B]\nK=v\n");
    QTest::newRow("spelling in the file kept") << QByteArray("[stats]\n Name = a\n") << "STATS"
                                               << "NAME"
                                               << "b" << QByteArray("[stats]\nName=b\n");
    QTest::newRow("CRLF kept") << QByteArray("[A]\r\nX=1\r\n") << "A"
                               << "K"
                               << "v" << QByteArray("[A]\r\nX=1\r\nK=v\r\n");
    QTest::newRow("final line break added") << QByteArray("[A]\nX=1") << "A"
                                            << "X"
                                            << "2" << QByteArray("[A]\nX=2\n");
    QTest::newRow("value cut at a line break") << QByteArray() << "A"
                                               << "K"
                                               << "a\nB=injected" << QByteArray("[A]\nK=a\n");
    QTest::newRow("byte order mark kept")
        << QByteArray("\xef\xbb\xbf\xef\xbb\xbfX\n") << "A"
        << "K"
        << "v" << QByteArray("\xef\xbb\xbf\xef\xbb\xbfX\n[A]\nK=v\n");
    QTest::newRow("Shift-JIS file written as UTF-8")
        << QByteArray("[A]\nNAME=" + shiftJisName + "\n") << "A"
        << "K"
        << "v" << QByteArray("[A]\nNAME=山田太郎\nK=v\n");
}

void TestIniFile::writes() {
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    const QString path = m_dir.filePath(QStringLiteral("write.ini"));
    QFile::remove(path);
    if (!before.isNull()) {
        writeBytes(path, before);
    }
    IniFile file(path);
    file.setValue(section, key, value);
    QVERIFY(file.save());
    QCOMPARE(readBytes(path), after);
}

void TestIniFile::writtenValuesReadBack() {
    const QString path = m_dir.filePath(QStringLiteral("roundtrip.ini"));
    const QString name = u"山田　太郎 ①"_qs;
    IniFile written(path);
    written.setValue(u"A", u"NAME", name);
    written.setValue(u"A", u"N", u" 12");
    QVERIFY(written.save());
    const IniFile read(path);
    QCOMPARE(read.value(u"a", u"name"), name);
    QCOMPARE(read.value(u"A", u"N"), QStringLiteral("12"));
}

void TestIniFile::failedSaveKeepsOldFile_data() {
    QTest::addColumn<QString>("obstacle");
    QTest::newRow("read-only file") << "read-only file";
    QTest::newRow("read-only directory") << "read-only directory";
    QTest::newRow("file size limit") << "file size limit";
    QTest::newRow("parent is a file") << "parent is a file";
}

void TestIniFile::failedSaveKeepsOldFile() {
    QFETCH(QString, obstacle);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("folder"));
    QVERIFY(QDir().mkpath(folder));
    QString path = QDir(folder).filePath(QStringLiteral("a.ini"));
    const QByteArray old("[A]\nK=old\n");
    writeBytes(path, old);

    if (obstacle == QLatin1String("read-only file")) {
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    } else if (obstacle == QLatin1String("read-only directory")) {
        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        if (canCreateFileIn(folder)) {
            QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner);
            QSKIP("this user writes into read-only directories");
        }
    } else if (obstacle == QLatin1String("parent is a file")) {
        path = QDir(folder).filePath(QStringLiteral("a.ini/b.ini"));
    }

    IniFile file(path);
    file.setValue(u"A", u"K", QString(4000, u'x'));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Could not write")));
    bool saved = true;
    if (obstacle == QLatin1String("file size limit")) {
        const FileSizeLimit limit(64);
        saved = file.save();
    } else {
        saved = file.save();
    }
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    QVERIFY(!saved);
    const QString oldPath = QDir(folder).filePath(QStringLiteral("a.ini"));
    QCOMPARE(readBytes(oldPath), old);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"a.ini"});
}

void TestIniFile::garbageIsReadWithoutCrashing_data() {
    QTest::addColumn<QByteArray>("content");
    QByteArray noise(10 * 1024 * 1024, '\0');
    QRandomGenerator random(7);
    for (char& byte : noise) {
        byte = static_cast<char>(random.bounded(256));
    }
    QTest::newRow("10 MB of random bytes") << noise;
    QTest::newRow("10 MB line") << QByteArray("[A]\nK=" + QByteArray(10 * 1024 * 1024, 'k'));
    QTest::newRow("10 MB of brackets and equals")
        << QByteArray(5 * 1024 * 1024, '[') + QByteArray(5 * 1024 * 1024, '=');
    QTest::newRow("lone brackets") << QByteArray("[\n]\n[]\n=\n==\n[A\nK=1\n");
    QTest::newRow("truncated Shift-JIS") << QByteArray("[A]\nNAME=\x8e");
}

// Whatever the file holds, it can be read, a key can be set and saved, and
// that key then reads back.
void TestIniFile::garbageIsReadWithoutCrashing() {
    QFETCH(QByteArray, content);
    const QString path = m_dir.filePath(QStringLiteral("garbage.ini"));
    writeBytes(path, content);
    IniFile file(path);
    file.value(u"A", u"K");
    file.setValue(u"SAFE", u"KEY", u"value");
    QVERIFY(file.save());
    QCOMPARE(IniFile(path).value(u"SAFE", u"KEY"), QStringLiteral("value"));
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "test_ini_file.moc"
