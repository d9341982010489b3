#pragma once

#include <QCommandLineParser>
#include <QLocale>
#include <QStringList>
#include <optional>

namespace tavik {

enum class CommandLineRequest { None, Help, Version };

// Gives the parser Tavik's own options (--help, --version), described in
// Japanese where the locale is Japanese and in English elsewhere, and reads
// the arguments with it. Qt's own options (-platform, -reverse ...) ask
// nothing of it: they are QApplication's to read.
CommandLineRequest parseCommandLine(QCommandLineParser& parser, const QStringList& arguments,
                                    const QLocale& locale = QLocale());

// The line --version answers, in the locale's language as the help.
QString versionText(const char* version, const QLocale& locale = QLocale());

// Answers --help and --version on standard output before any window exists,
// so that both work without a display. Returns the program's exit code when
// it has answered; otherwise the arguments are left to QApplication.
std::optional<int> answerCommandLine(int argc, char* argv[], const char* version);

} // namespace tavik
