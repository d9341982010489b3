#pragma once

#include "progress/learning_progress.h"

#include <QColor>
#include <QFont>
#include <QtPlugin>
#include <vector>

class QWidget;

namespace tavik {

// How a chart is to look in the book: its lettering and inks.
struct ChartLook {
    QFont font;
    QColor ink;     // axes and labels
    QColor line;    // the learner's own figures
    QColor average; // the running mean
    QColor grid;
};

// The charts of the learning-record screen. They are drawn with Qt Charts,
// which with the OpenGL libraries it pulls in would cost every start of the
// program its loading time: the charts live in a module of their own that
// is loaded only when the screen first opens (progress/ui/chart_module.h).
class ProgressCharts {
public:
    virtual ~ProgressCharts() = default;
    // Each day studied as a point (its rate of right answers), with the
    // running mean as a line across.
    virtual QWidget* rateChart(const std::vector<DayRate>& days, int averagePercent,
                               const ChartLook& look, QWidget* parent) = 0;
    // The words by box: never drilled, then boxes 1 to 5.
    virtual QWidget* boxChart(const BoxCounts& counts, const ChartLook& look, QWidget* parent) = 0;
};

} // namespace tavik

#define TavikProgressCharts_iid "io.github.tavik.ProgressCharts/1"
Q_DECLARE_INTERFACE(tavik::ProgressCharts, TavikProgressCharts_iid)
