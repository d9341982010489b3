#include "app/command_line.h"

#include <QTest>

using namespace tavik;

// Tavik answers --help and --version itself; every other option, Qt's own
// included, is left to QApplication.
class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void request_data();
    void request();
};

void TestCommandLine::request_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("request");
    const int none = int(CommandLineRequest::None);
    const int help = int(CommandLineRequest::Help);
    const int version = int(CommandLineRequest::Version);
    QTest::newRow("none") << QStringList{} << none;
    // Qt's one-dash options holding a v or an h.
    QTest::newRow("-reverse") << QStringList{"-reverse"} << none;
    QTest::newRow("-visual") << QStringList{"-visual", "TrueColor"} << none;
    QTest::newRow("-stylesheet") << QStringList{"-stylesheet", "a.qss"} << none;
    QTest::newRow("-platformtheme") << QStringList{"-platformtheme", "gtk3"} << none;
    QTest::newRow("--reverse") << QStringList{"--reverse"} << none;
    QTest::newRow("-platform") << QStringList{"-platform", "offscreen"} << none;
    QTest::newRow("-h") << QStringList{"-h"} << help;
    QTest::newRow("--help") << QStringList{"--help"} << help;
    QTest::newRow("-v") << QStringList{"-v"} << version;
    QTest::newRow("--version after Qt's options")
        << QStringList{"-reverse", "-platform", "offscreen", "--version"} << version;
}

void TestCommandLine::request() {
    QFETCH(QStringList, options);
    QFETCH(int, request);
    QCommandLineParser parser;
    QCOMPARE(int(parseCommandLine(parser, QStringList{"tavik"} + options)), request);
}

QTEST_APPLESS_MAIN(TestCommandLine)
#include "test_command_line.moc"
