#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace tavik::bench {

// One row of the table of targets.
struct TargetRow {
    QString target;
    QString measured;
    QString baseline;
    QString ratio;
    QString limit;
    QString met; // "yes", "NO", or "—" where the row only informs
};

double median(std::vector<double> values);

// The rows of the in-process actions, from a Google Benchmark JSON report
// (medians when it was run with repetitions). Missing benchmarks give rows
// that say so.
std::vector<TargetRow> actionRows(const QString& jsonFile);

QString markdownTable(const std::vector<TargetRow>& rows);

} // namespace tavik::bench
