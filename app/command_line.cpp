#include "app/command_line.h"

#include <QCoreApplication>
#include <QTextStream>

namespace tavik {

CommandLineRequest parseCommandLine(QCommandLineParser& parser, const QStringList& arguments) {
    // Qt's own one-dash options must not read as runs of letters: -reverse
    // would otherwise hold a -v.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral(
        "Drill program for Japanese learners of business English.\n"
        "Options, statistics and the learning record are kept in conf.ini, tavik.ini\n"
        "and history.sqlite (see tavik(1))."));
    // Qt's own help option would also offer --help-all, whose Qt options
    // only QApplication knows.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help and exits."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Shows the version and exits."));
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
    // window system is touched.
    const QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    if (request == CommandLineRequest::Help) {
        out << parser.helpText();
    } else {
        out << "tavik " << version << '\n';
    }
    return 0;
}

} // namespace tavik
