#include "app/command_line.h"

#include "app/qt_translations.h"

#include <QCoreApplication>
#include <QTextStream>

namespace tavik {

namespace {

bool japanese(const QLocale& locale) {
    return locale.language() == QLocale::Japanese;
}

} // namespace

CommandLineRequest parseCommandLine(QCommandLineParser& parser, const QStringList& arguments,
                                    const QLocale& locale) {
    const bool ja = japanese(locale);
    // Qt's own one-dash options must not read as runs of letters: -reverse
    // would otherwise hold a -v.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        ja ? QStringLiteral("ビジネス英語を学ぶ人のための単語ドリルです。\n"
                            "設定、成績、学習記録は conf.ini、tavik.ini、history.sqlite に\n"
                            "保存します（tavik(1) を参照）。")
           : QStringLiteral("Drill program for Japanese learners of business English.\n"
                            "Options, statistics and the learning record are kept in conf.ini, "
                            "tavik.ini\nand history.sqlite (see tavik(1))."));
    // Qt's own help option would also offer --help-all, whose Qt options
    // only QApplication knows.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  ja ? QStringLiteral("このヘルプを表示して終了します。")
                                     : QStringLiteral("Shows this help and exits."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     ja ? QStringLiteral("バージョンを表示して終了します。")
                                        : QStringLiteral("Shows the version and exits."));
    parser.addOptions({help, version});
    // Options of Qt's own are not known here; they are QApplication's to read.
    parser.parse(arguments);
    if (parser.isSet(help)) {
        return CommandLineRequest::Help;
    }
    return parser.isSet(version) ? CommandLineRequest::Version : CommandLineRequest::None;
}

std::optional<int> answerCommandLine(int argc, char* argv[], const char* version) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    QCommandLineParser parser;
    const CommandLineRequest request = parseCommandLine(parser, arguments);
    if (request == CommandLineRequest::None) {
        return std::nullopt;
    }
    // The help text names the program from the application's arguments; no
    // window system is touched. Its headings are Qt's own, translated where
    // Qt's translations are installed.
    QCoreApplication application(argc, argv);
    installQtTranslations(application);
    QTextStream out(stdout);
    if (request == CommandLineRequest::Help) {
        out << parser.helpText();
    } else {
        out << versionText(version) << '\n';
    }
    return 0;
}

QString versionText(const char* version, const QLocale& locale) {
    return (japanese(locale) ? QStringLiteral("tavik バージョン %1") : QStringLiteral("tavik %1"))
        .arg(QString::fromUtf8(version));
}

} // namespace tavik
