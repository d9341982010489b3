#include "road.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QPoint>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

namespace tavik::bench {

namespace {
constexpr int kStepTimeoutMs = 10000;

// Client coordinates of the main window's controls: the centre of each.
constexpr QPoint kSearchButton(621, 214);
constexpr QPoint kRandomCount(384, 274);
constexpr QPoint kRandomButton(621, 273);
constexpr QPoint kSentencesOption(198, 434);
constexpr QPoint kScreenOption(286, 434);
constexpr QPoint kPaperOption(334, 434);
constexpr QPoint kSolveOption(414, 434);
constexpr QPoint kStartButton(368, 517);
} // namespace

Road::Road(const QString& display, const QString& workDir)
    : m_display(display), m_workDir(workDir) {}

QString Road::xdotool(const QStringList& arguments) const {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral("xdotool"), arguments);
    process.waitForFinished(kStepTimeoutMs);
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

QStringList Road::visibleWindows() const {
    return xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                    QStringLiteral("--name"), QStringLiteral("^Tavik$")})
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QString Road::waitForNewWindow(const QStringList& before) const {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < kStepTimeoutMs) {
        for (const QString& window : visibleWindows()) {
            if (!before.contains(window)) {
                return window;
            }
        }
        QThread::msleep(20);
    }
    return {};
}

bool Road::waitUntilGone(const QString& window) const {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < kStepTimeoutMs) {
        if (!visibleWindows().contains(window)) {
            return true;
        }
        QThread::msleep(20);
    }
    return false;
}

void Road::click(const QString& window, int x, int y) const {
    xdotool({QStringLiteral("mousemove"), QStringLiteral("--sync"), QStringLiteral("--window"),
             window, QString::number(x), QString::number(y), QStringLiteral("click"),
             QStringLiteral("1")});
}

void Road::key(const QString& window, const QString& keyName) const {
    // Without a window manager no window gets the keyboard by itself.
    xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
    xdotool({QStringLiteral("key"), keyName});
}

QByteArray Road::screenshot(const QString& window) const {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral("import"),
                  {QStringLiteral("-window"), window, QStringLiteral("rgb:-")});
    process.waitForFinished(kStepTimeoutMs);
    return QCryptographicHash::hash(process.readAllStandardOutput(), QCryptographicHash::Md5);
}

QByteArray Road::settledScreenshot(const QString& window) const {
    // A window that has just changed may still be painting: two equal
    // pictures in a row tell that it is done.
    QByteArray previous = screenshot(window);
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < kStepTimeoutMs) {
        QThread::msleep(50);
        QByteArray current = screenshot(window);
        if (current == previous) {
            return current;
        }
        previous = current;
    }
    return previous;
}

bool Road::waitForGrading() const {
    // The statistics file records one graded drill of the 40 to 44
    // sentences that 40 drawn words bring (three words have two sentences,
    // and a draw may hold one word more than it asks).
    static const QRegularExpression graded(QStringLiteral("^\\s*NOG\\s*=\\s*1\\s*$"),
                                           QRegularExpression::MultilineOption |
                                               QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression questions(QStringLiteral("^\\s*QUESTIONS\\s*=\\s*4[0-4]\\s*$"),
                                              QRegularExpression::MultilineOption |
                                                  QRegularExpression::CaseInsensitiveOption);
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < kStepTimeoutMs) {
        QFile statistics(m_workDir + QStringLiteral("/tavik.ini"));
        if (statistics.open(QIODevice::ReadOnly)) {
            const QString text = QString::fromUtf8(statistics.readAll());
            if (graded.match(text).hasMatch() && questions.match(text).hasMatch()) {
                return true;
            }
        }
        QThread::msleep(20);
    }
    return false;
}

QString Road::drive() {
    const QStringList atStart = visibleWindows();
    if (atStart.size() != 1) {
        return QStringLiteral("expected the main window alone, found %1 windows")
            .arg(atStart.size());
    }
    const QString mainWindow = atStart.first();
    const auto clickOn = [&](const QString& window, QPoint place) {
        click(window, place.x(), place.y());
    };

    // Without a window manager a window takes the keyboard only when told.
    xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), mainWindow});
    settledScreenshot(mainWindow);
    clickOn(mainWindow, kRandomCount);
    xdotool({QStringLiteral("key"), QStringLiteral("ctrl+a")});
    xdotool({QStringLiteral("type"), QStringLiteral("40")});
    settledScreenshot(mainWindow);
    clickOn(mainWindow, kRandomButton);
    // A count the window did not get would bring up its message box.
    if (visibleWindows() != atStart) {
        return QStringLiteral("the random pick did not take the count 40");
    }
    clickOn(mainWindow, kSentencesOption);
    clickOn(mainWindow, kScreenOption);
    clickOn(mainWindow, kSolveOption);
    settledScreenshot(mainWindow);
    clickOn(mainWindow, kStartButton);

    const QString drill = waitForNewWindow(atStart);
    if (drill.isEmpty()) {
        return QStringLiteral("the sentence drill did not open");
    }
    // Keys reach a window only once it is drawn and can take the focus.
    settledScreenshot(drill);
    key(drill, QStringLiteral("Return"));
    if (!waitForGrading()) {
        return QStringLiteral("the drill of 40 to 44 sentences was not graded");
    }
    key(drill, QStringLiteral("Escape"));
    if (!waitUntilGone(drill)) {
        return QStringLiteral("the sentence drill did not close");
    }

    // The search over every word gives eight pages of sentence sheets.
    clickOn(mainWindow, kSearchButton);
    clickOn(mainWindow, kPaperOption);
    settledScreenshot(mainWindow);
    clickOn(mainWindow, kStartButton);
    const QString preview = waitForNewWindow(atStart);
    if (preview.isEmpty()) {
        return QStringLiteral("the sentence sheets did not open");
    }
    settledScreenshot(preview);
    QList<QByteArray> pagesSeen{settledScreenshot(preview)};
    for (int page = 2; page <= 3; ++page) {
        key(preview, QStringLiteral("Page_Up"));
        const QByteArray shown = settledScreenshot(preview);
        if (pagesSeen.contains(shown)) {
            return QStringLiteral("the preview did not turn to page %1").arg(page);
        }
        pagesSeen.append(shown);
    }
    return {};
}

} // namespace tavik::bench
