// From the click on a right answer in red to the moment Speech Dispatcher
// reports that it speaks (its notice that the output module has begun to
// play, which the client library hands to its begin callback). Opening the
// drill screen opens the connection, starting the service if need be; the
// learner answers (--answering <ms>, 3000 unless told), grades, and clicks
// after reading the marks (--reading <ms>, 2000 unless told; 0 clicks at
// once after grading); the later clicks find the connection open. Prints
// one line per click, "first <ms>" then "later <ms>", and exits non-zero
// when nothing is spoken.
#include "content/banks.h"
#include "drill/app_state.h"
#include "drill/selection.h"
#include "screens/ui/frmListT.h"
#include "settings/settings_files.h"
#include "shell/ui/artwork.h"
#include "speech/speaker.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <cstdio>

namespace {

constexpr int kLaterClicks = 5;
constexpr int kSpeakingTimeoutMs = 30000;
// Long enough for the word said before to end.
constexpr int kPauseMs = 2500;
constexpr int kDefaultAnsweringMs = 3000;
constexpr int kDefaultReadingMs = 2000;

int milliseconds(const QString& option, int otherwise) {
    const QStringList arguments = QCoreApplication::arguments();
    const qsizetype at = arguments.indexOf(option);
    bool ok = false;
    const int ms = arguments.value(at + 1).toInt(&ok);
    return at >= 0 && ok ? ms : otherwise;
}

// Clicks the label where a person would and returns the milliseconds until
// the speaker reports that it speaks, or -1.
double timeClick(QWidget* screen, QLabel* answer, tavik::Speaker& speaker) {
    QEventLoop loop;
    QElapsedTimer clock;
    double elapsed = -1;
    const auto connection = QObject::connect(&speaker, &tavik::Speaker::speaking, &loop, [&] {
        elapsed = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        loop.quit();
    });
    QTimer::singleShot(kSpeakingTimeoutMs, &loop, &QEventLoop::quit);
    clock.start();
    QTest::mouseClick(screen->windowHandle(), Qt::LeftButton, {},
                      answer->mapTo(screen, QPoint(2, answer->height() / 2)));
    loop.exec();
    QObject::disconnect(connection);
    return elapsed;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    QTemporaryDir settingsDir;
    tavik::AppState state;
    tavik::loadBanks(state.banks);
    state.paths = tavik::locateSettingsFiles(settingsDir.path(), settingsDir.path());
    state.history.open(state.paths.historyFile);
    tavik::selectBySearch(state.drill, state.banks, QStringLiteral("ab"), state.random);
    state.settings.optQuestion = true;
    tavik::Artwork art;
    art.loadScreens(1.0);

    tavik::frmListT screen(state, art);
    screen.show();
    QTest::qWait(milliseconds(QStringLiteral("--answering"), kDefaultAnsweringMs));
    QTest::keyClick(&screen, Qt::Key_Return);
    auto* answer = screen.findChild<QLabel*>(QStringLiteral("lblAnswer_0"));
    if (answer == nullptr || !answer->isVisible() || !state.speaker || !state.speaker->canSpeak()) {
        std::fprintf(stderr, "no speakable answer after grading\n");
        return 1;
    }
    QTest::qWait(milliseconds(QStringLiteral("--reading"), kDefaultReadingMs));
    for (int click = 0; click <= kLaterClicks; ++click) {
        const double ms = timeClick(&screen, answer, *state.speaker);
        if (ms < 0) {
            std::fprintf(stderr, "nothing was spoken\n");
            return 1;
        }
        std::printf("%s %.1f\n", click == 0 ? "first" : "later", ms);
        std::fflush(stdout);
        QTest::qWait(kPauseMs);
    }
    return 0;
}
