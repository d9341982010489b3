#include "report.h"

#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <algorithm>

namespace tavik::bench {

namespace {

struct ActionTarget {
    const char* benchmark;
    const char* label;
    double limitMs;
    // Judged by the program's own CPU time rather than the time waited.
    bool cpu = false;
};

// The actions a person takes, each held to what feels instant; composing a
// whole sheet for the printer or a PDF gets a larger allowance.
constexpr ActionTarget kActions[] = {
    {"MainWindow/SearchAllRows", "Search over all rows (main window, click to repaint)", 2.0},
    {"MainWindow/RandomPick40", "Random pick of 40 (main window, click to repaint)", 2.0},
    {"MainWindow/WeakPick40", "苦手 pick of 40, all 141 due (main window, click to repaint)", 2.0},
    {"WordDrill/PageChange", "Page change, word drill of 141", 2.0},
    {"SentenceDrill/PageChange", "Page change, sentence drill of 144", 2.0},
    {"WordDrill/Grade141", "Grading of 141 questions (word drill, tavik.ini in memory)", 2.0},
    {"SentenceDrill/Grade144", "Grading of 144 questions (sentence drill, tavik.ini in memory)",
     2.0},
    {"WordDrill/Grade141OnDisk", "Grading of 141 with tavik.ini saved to this machine's disk", 2.0},
    {"WordSheets/PreviewPage", "One print-preview page, word sheets", 2.0},
    {"SentenceSheets/PreviewPage", "One print-preview page, sentence sheets", 2.0},
    {"WordSheets/ComposeAllPages", "Composition of all 8 pages, 141-word sheet", 100.0},
    {"WordSheets/SavePdf", "PDF of all 8 pages, 141-word sheet, saved to disk", 100.0},
    {"Hover/MoveOverButton", "Pointer move over a button", 2.0},
    {"Hover/MoveOverBareSurface", "Pointer move over the bare surface", 2.0},
    {"Selection/SearchAllRows", "selectBySearch over all rows (core)", 2.0},
    {"Selection/RandomPick40", "selectAtRandom of 40 (core)", 2.0},
    {"History/DueCount", "Due count of the learning record, all 141 due", 2.0},
    {"History/Record144", "Recording 144 questions (record in memory), CPU", 2.0, true},
    {"History/Record144OnDisk", "Recording 144 questions (record on disk), CPU", 2.0, true},
    {"Record/Open10000Answers", "Opening the learning record over 10,000 stored answers", 100.0},
};

double toMs(double value, const QString& unit) {
    if (unit == QLatin1String("ns")) {
        return value / 1e6;
    }
    if (unit == QLatin1String("us")) {
        return value / 1e3;
    }
    if (unit == QLatin1String("s")) {
        return value * 1e3;
    }
    return value;
}

QString formatMs(double ms) {
    return ms < 0.1 ? QStringLiteral("%1 µs").arg(ms * 1000.0, 0, 'f', 1)
                    : QStringLiteral("%1 ms").arg(ms, 0, 'f', 2);
}

} // namespace

double median(std::vector<double> values) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

std::vector<TargetRow> actionRows(const QString& jsonFile) {
    QHash<QString, double> measuredMs;
    QHash<QString, double> cpuMs;
    QFile file(jsonFile);
    if (file.open(QIODevice::ReadOnly)) {
        // Google Benchmark writes NaN for the spread of a counter that never
        // varies, which JSON does not allow.
        static const QRegularExpression notANumber(QStringLiteral(":\\s*-?(nan|inf)\\b"),
                                                   QRegularExpression::CaseInsensitiveOption);
        const QString text =
            QString::fromUtf8(file.readAll()).replace(notANumber, QStringLiteral(": null"));
        const QJsonArray benchmarks = QJsonDocument::fromJson(text.toUtf8())
                                          .object()
                                          .value(QStringLiteral("benchmarks"))
                                          .toArray();
        for (const QJsonValue& entry : benchmarks) {
            const QJsonObject result = entry.toObject();
            const QString aggregate = result.value(QStringLiteral("aggregate_name")).toString();
            if (!aggregate.isEmpty() && aggregate != QLatin1String("median")) {
                continue;
            }
            QString name = result.value(QStringLiteral("run_name")).toString();
            name.remove(QStringLiteral("/manual_time"));
            measuredMs.insert(name, toMs(result.value(QStringLiteral("real_time")).toDouble(),
                                         result.value(QStringLiteral("time_unit")).toString()));
            cpuMs.insert(name, result.value(QStringLiteral("cpu_ms")).toDouble());
        }
    }
    std::vector<TargetRow> rows;
    for (const ActionTarget& action : kActions) {
        const QString name = QString::fromLatin1(action.benchmark);
        const QString limit = QStringLiteral("≤ %1").arg(formatMs(action.limitMs));
        if (!measuredMs.contains(name)) {
            rows.push_back({QString::fromUtf8(action.label), QStringLiteral("not run"),
                            QStringLiteral("—"), QStringLiteral("—"), limit, QStringLiteral("NO")});
            continue;
        }
        const double ms = action.cpu ? cpuMs.value(name) : measuredMs.value(name);
        rows.push_back({QString::fromUtf8(action.label), formatMs(ms), QStringLiteral("—"),
                        QStringLiteral("—"), limit,
                        ms <= action.limitMs ? QStringLiteral("yes") : QStringLiteral("NO")});
    }
    return rows;
}

QString markdownTable(const std::vector<TargetRow>& rows) {
    QString table = QStringLiteral("| Target | Measured | Baseline | Ratio | Limit | Met |\n"
                                   "|---|---|---|---|---|---|\n");
    for (const TargetRow& row : rows) {
        table += QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 |\n")
                     .arg(row.target, row.measured, row.baseline, row.ratio, row.limit, row.met);
    }
    return table;
}

} // namespace tavik::bench
