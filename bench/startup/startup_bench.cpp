// Times Tavik's start-up and measures its memory against a bare Qt window,
// both run alike on a private X server, and prints the table of targets
// (together with the in-process actions when their JSON report is given).
//
//   tavik_startup_bench --tavik PATH --bare PATH [--runs N] [--road-runs N]
//                       [--actions FILE.json]
//
// Exits non-zero only when a run could not be measured (a window that never
// showed, a road that went astray), never because a target was missed.
#include "measured_run.h"
#include "report.h"
#include "road.h"
#include "xvfb_server.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

using namespace tavik::bench;

namespace {

struct StartupSamples {
    std::vector<double> bareShownMs;
    std::vector<double> bareKiB;
    std::vector<double> splashShownMs;
    std::vector<double> tickToMainMs;
    std::vector<double> launchToMainMs;
    std::vector<double> startupKiB;
    std::vector<double> roadKiB;
    // Milliseconds since launch of every traced event, per program.
    QMap<QString, std::vector<double>> bareMilestones;
    QMap<QString, std::vector<double>> tavikMilestones;
};

void collect(QMap<QString, std::vector<double>>& into, const QHash<QString, double>& milestones) {
    for (auto event = milestones.cbegin(); event != milestones.cend(); ++event) {
        into[event.key()].push_back(event.value());
    }
}

QString milestoneLine(const QString& program, const QMap<QString, std::vector<double>>& events) {
    std::vector<std::pair<double, QString>> ordered;
    for (auto event = events.cbegin(); event != events.cend(); ++event) {
        ordered.emplace_back(median(event.value()), event.key());
    }
    std::sort(ordered.begin(), ordered.end());
    QString line = program + QStringLiteral(": launch 0");
    for (const auto& [ms, event] : ordered) {
        line += QStringLiteral(", %1 %2").arg(event).arg(ms, 0, 'f', 1);
    }
    return line + QLatin1Char('\n');
}

void removeSettings(const QString& dir) {
    QFile::remove(dir + QStringLiteral("/conf.ini"));
    QFile::remove(dir + QStringLiteral("/tavik.ini"));
}

QString runBare(const QString& bare, const QString& dir, const QString& display,
                StartupSamples& samples) {
    MeasuredRun run(bare, dir, display);
    if (!run.waitFor(QStringLiteral("splash.painted"))) {
        return QStringLiteral("the bare window did not show");
    }
    samples.bareShownMs.push_back(run.msSinceLaunch(QStringLiteral("splash.painted")));
    collect(samples.bareMilestones, run.milestones());
    samples.bareKiB.push_back(static_cast<double>(run.stopAndPeakKiB()));
    return {};
}

QString runTavik(const QString& tavik, const QString& dir, const QString& display,
                 StartupSamples& samples) {
    removeSettings(dir);
    MeasuredRun run(tavik, dir, display);
    if (!run.waitFor(QStringLiteral("main.painted"))) {
        return QStringLiteral("Tavik's main window did not show");
    }
    samples.splashShownMs.push_back(run.msSinceLaunch(QStringLiteral("splash.painted")));
    samples.tickToMainMs.push_back(
        run.msBetween(QStringLiteral("tick"), QStringLiteral("main.painted")));
    samples.launchToMainMs.push_back(run.msSinceLaunch(QStringLiteral("main.painted")));
    collect(samples.tavikMilestones, run.milestones());
    samples.startupKiB.push_back(static_cast<double>(run.stopAndPeakKiB()));
    return {};
}

QString runRoad(const QString& tavik, const QString& dir, const QString& display,
                StartupSamples& samples) {
    removeSettings(dir);
    MeasuredRun run(tavik, dir, display);
    if (!run.waitFor(QStringLiteral("main.painted"))) {
        return QStringLiteral("Tavik's main window did not show");
    }
    const QString failure = Road(display, dir).drive();
    if (!failure.isEmpty()) {
        return QStringLiteral("road: ") + failure;
    }
    samples.roadKiB.push_back(static_cast<double>(run.stopAndPeakKiB()));
    return {};
}

QString ms(double value) {
    return QStringLiteral("%1 ms").arg(value, 0, 'f', 1);
}
QString mib(double kib) {
    return QStringLiteral("%1 MiB").arg(kib / 1024.0, 0, 'f', 1);
}
QString times(double value) {
    return QStringLiteral("%1 ×").arg(value, 0, 'f', 2);
}
QString met(bool ok) {
    return ok ? QStringLiteral("yes") : QStringLiteral("NO");
}

TargetRow ratioRow(const QString& target, const std::vector<double>& measured,
                   const std::vector<double>& baseline, double limit, QString (*format)(double)) {
    if (measured.empty() || baseline.empty()) {
        return {target,
                QStringLiteral("not measured"),
                QStringLiteral("—"),
                QStringLiteral("—"),
                limit > 0 ? QStringLiteral("≤ %1 ×").arg(limit, 0, 'f', 2) : QStringLiteral("—"),
                QStringLiteral("NO")};
    }
    const double value = median(measured);
    const double base = median(baseline);
    return {target,
            format(value),
            format(base) + QStringLiteral(" (bare window)"),
            times(value / base),
            limit > 0 ? QStringLiteral("≤ %1 ×").arg(limit, 0, 'f', 2) : QStringLiteral("—"),
            limit > 0 ? met(value <= limit * base) : QStringLiteral("—")};
}

TargetRow limitRow(const QString& target, const std::vector<double>& measured, double limitMs) {
    if (measured.empty()) {
        return {target,
                QStringLiteral("not measured"),
                QStringLiteral("—"),
                QStringLiteral("—"),
                QStringLiteral("≤ %1").arg(ms(limitMs)),
                QStringLiteral("NO")};
    }
    const double value = median(measured);
    return {target,
            ms(value),
            QStringLiteral("—"),
            QStringLiteral("—"),
            QStringLiteral("≤ %1").arg(ms(limitMs)),
            met(value <= limitMs)};
}

std::vector<TargetRow> startupRows(const StartupSamples& samples, int runs, int roadRuns) {
    std::vector<TargetRow> rows{
        ratioRow(QStringLiteral("Launch to splash mapped and painted (median of %1)").arg(runs),
                 samples.splashShownMs, samples.bareShownMs, 1.3, ms),
        limitRow(QStringLiteral("Timer tick to main window mapped and painted"),
                 samples.tickToMainMs, 30.0),
        limitRow(QStringLiteral("Launch to usable main window"), samples.launchToMainMs, 540.0),
        ratioRow(QStringLiteral("Peak memory at the main window"), samples.startupKiB,
                 samples.bareKiB, 0.0, mib),
    };
    if (roadRuns > 0) {
        rows.push_back(ratioRow(
            QStringLiteral("Peak memory through the whole road (median of %1)").arg(roadRuns),
            samples.roadKiB, samples.bareKiB, 1.5, mib));
    }
    return rows;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption tavikOption(QStringLiteral("tavik"), QStringLiteral("tavik"),
                                         QStringLiteral("path"));
    const QCommandLineOption bareOption(QStringLiteral("bare"), QStringLiteral("bare window"),
                                        QStringLiteral("path"));
    const QCommandLineOption runsOption(QStringLiteral("runs"), QStringLiteral("start-ups"),
                                        QStringLiteral("n"), QStringLiteral("7"));
    const QCommandLineOption roadOption(QStringLiteral("road-runs"), QStringLiteral("roads"),
                                        QStringLiteral("n"), QStringLiteral("5"));
    const QCommandLineOption actionsOption(QStringLiteral("actions"),
                                           QStringLiteral("Google Benchmark JSON report"),
                                           QStringLiteral("file"));
    parser.addOptions({tavikOption, bareOption, runsOption, roadOption, actionsOption});
    parser.addHelpOption();
    parser.process(application);
    const int runs = std::max(1, parser.value(runsOption).toInt());
    const int roadRuns = std::max(0, parser.value(roadOption).toInt());

    QTemporaryDir bareDir;
    QTemporaryDir tavikDir;
    const QString tavik = tavikDir.filePath(QStringLiteral("tavik"));
    if (!QFile::copy(parser.value(tavikOption), tavik)) {
        std::fprintf(stderr, "cannot copy %s\n", qPrintable(parser.value(tavikOption)));
        return 2;
    }
    const QString bare = QFileInfo(parser.value(bareOption)).absoluteFilePath();
    XvfbServer server;
    if (!server.isRunning()) {
        std::fprintf(stderr, "Xvfb did not start\n");
        return 2;
    }

    StartupSamples samples;
    // One unmeasured start of each first, so both find their libraries cached.
    StartupSamples warmUp;
    QStringList failures{runBare(bare, bareDir.path(), server.display(), warmUp),
                         runTavik(tavik, tavikDir.path(), server.display(), warmUp)};
    for (int round = 0; round < runs; ++round) {
        // Alternating the order spreads any drift of the machine over both.
        if (round % 2 == 0) {
            failures << runBare(bare, bareDir.path(), server.display(), samples)
                     << runTavik(tavik, tavikDir.path(), server.display(), samples);
        } else {
            failures << runTavik(tavik, tavikDir.path(), server.display(), samples)
                     << runBare(bare, bareDir.path(), server.display(), samples);
        }
    }
    for (int round = 0; round < roadRuns; ++round) {
        failures << runRoad(tavik, tavikDir.path(), server.display(), samples);
    }
    failures.removeAll(QString());

    std::vector<TargetRow> rows = startupRows(samples, runs, roadRuns);
    if (parser.isSet(actionsOption)) {
        const std::vector<TargetRow> actions = actionRows(parser.value(actionsOption));
        rows.insert(rows.end(), actions.begin(), actions.end());
    }
    std::fputs(qPrintable(markdownTable(rows)), stdout);
    std::fputs(qPrintable(QStringLiteral("\nStart-up milestones, medians in ms after launch:\n") +
                          milestoneLine(QStringLiteral("bare window"), samples.bareMilestones) +
                          milestoneLine(QStringLiteral("tavik"), samples.tavikMilestones)),
               stdout);
    for (const QString& failure : failures) {
        std::fprintf(stderr, "failed: %s\n", qPrintable(failure));
    }
    return failures.isEmpty() ? 0 : 1;
}
