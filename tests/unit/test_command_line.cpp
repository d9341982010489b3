#include "app/command_line.h"

#include <QTest>

using namespace tavik;

// Tavik answers --help and --version itself; every other option, Qt's own
// one-dash options holding a v or an h included, is left to QApplication.
class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void request_data() {
        QTest::addColumn<QString>("options");
        QTest::addColumn<CommandLineRequest>("request");
        using enum CommandLineRequest;
        for (const auto& [options, request] :
             std::initializer_list<std::pair<QString, CommandLineRequest>>{
                 {"", None},
                 {"-reverse", None},
                 {"-visual TrueColor", None},
                 {"-stylesheet a.qss", None},
                 {"-platformtheme gtk3", None},
                 {"--reverse", None},
                 {"-h", Help},
                 {"--help", Help},
                 {"-v", Version},
                 {"-reverse -platform offscreen --version", Version}}) {
            QTest::newRow(qPrintable("tavik " + options)) << options << request;
        }
    }

    void request() {
        QFETCH(QString, options);
        QFETCH(CommandLineRequest, request);
        QCommandLineParser parser;
        QCOMPARE(parseCommandLine(parser, ("tavik " + options).split(' ', Qt::SkipEmptyParts)),
                 request);
    }

    void answersInTheLocalesLanguage_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("help");
        QTest::addColumn<QString>("version");
        QTest::newRow("ja_JP") << "ja_JP"
                               << "このヘルプを表示して終了します。"
                               << "tavik バージョン 1.0";
        QTest::newRow("en_US") << "en_US"
                               << "Shows this help and exits."
                               << "tavik 1.0";
    }

    void answersInTheLocalesLanguage() {
        QFETCH(QString, locale);
        QFETCH(QString, help);
        QFETCH(QString, version);
        QCommandLineParser parser;
        parseCommandLine(parser, {"tavik", "--help"}, QLocale(locale));
        QVERIFY2(parser.helpText().contains(help), qPrintable(parser.helpText()));
        QCOMPARE(versionText("1.0", QLocale(locale)), version);
    }
};

QTEST_APPLESS_MAIN(TestCommandLine)
#include "test_command_line.moc"
