#include "progress/ui/progress_charts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QObject>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <vector>

namespace tavik {

namespace {

constexpr qreal kPointSize = 7.0;
constexpr int kDateTicks = 5;
constexpr qreal kRateTick = 25;
constexpr qreal kRateRoom = 4;

// No theme of Qt's own: no background, shadow, title or legend; the book's
// lettering and inks, thin axes and a faint grid.
QChart* plainChart(const ChartLook& look) {
    auto* chart = new QChart;
    chart->setBackgroundVisible(false);
    chart->setPlotAreaBackgroundVisible(false);
    chart->setDropShadowEnabled(false);
    chart->legend()->hide();
    chart->setMargins(QMargins(4, 4, 4, 0));
    chart->setBackgroundRoundness(0);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setFont(look.font);
    return chart;
}

void styleAxis(QAbstractAxis* axis, const ChartLook& look) {
    axis->setLabelsFont(look.font);
    axis->setLabelsColor(look.ink);
    axis->setLinePenColor(look.ink);
    axis->setGridLineColor(look.grid);
    axis->setShadesVisible(false);
    axis->setMinorGridLineVisible(false);
}

QChartView* viewOf(QChart* chart, QWidget* parent) {
    auto* view = new QChartView(chart, parent);
    view->setRenderHint(QPainter::Antialiasing);
    view->setFrameShape(QFrame::NoFrame);
    view->setStyleSheet(QStringLiteral("background: transparent"));
    view->setFocusPolicy(Qt::NoFocus);
    return view;
}

// Days along the date axis, whole numbers on the dates themselves.
qreal placeOf(QDate day) {
    return static_cast<qreal>(day.toJulianDay());
}

// Dates labelled where their points stand (a date axis of Qt's own spaces
// its ticks evenly over the range, between the dates): evenly back from the
// last day, today's usually, a whole number of days apart.
QCategoryAxis* dateAxis(QDate first, QDate last, qreal from, qreal to) {
    auto* dates = new QCategoryAxis;
    dates->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    dates->setRange(from, to);
    const qint64 span = first.daysTo(last);
    const qint64 step = std::max<qint64>(1, (span + kDateTicks - 2) / (kDateTicks - 1));
    std::vector<QDate> labelled;
    for (QDate day = last; day >= first; day = day.addDays(-step)) {
        labelled.push_back(day);
    }
    for (auto day = labelled.rbegin(); day != labelled.rend(); ++day) {
        dates->append(day->toString(QStringLiteral("M/d")), placeOf(*day));
    }
    return dates;
}

} // namespace

class QtProgressCharts : public QObject, public ProgressCharts {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TavikProgressCharts_iid)
    Q_INTERFACES(tavik::ProgressCharts)

public:
    QWidget* rateChart(const std::vector<DayRate>& days, int averagePercent, const ChartLook& look,
                       QWidget* parent) override {
        QChart* chart = plainChart(look);
        auto* line = new QLineSeries;
        auto* points = new QScatterSeries;
        for (const DayRate& day : days) {
            line->append(placeOf(day.day), day.percent());
            points->append(placeOf(day.day), day.percent());
        }
        line->setPen(QPen(look.line, 1.5));
        points->setColor(look.line);
        points->setBorderColor(look.line);
        points->setMarkerSize(kPointSize);

        // Room around the first and last points, so their dots are whole; a
        // lone day gets a day on either side.
        QDate first = days.empty() ? QDate::currentDate() : days.front().day;
        QDate last = days.empty() ? first : days.back().day;
        if (first == last) {
            first = first.addDays(-1);
            last = last.addDays(1);
        }
        const qreal from = placeOf(first) - 0.5;
        const qreal to = placeOf(last) + 0.5;
        auto* average = new QLineSeries;
        average->append(from, averagePercent);
        average->append(to, averagePercent);
        QPen averagePen(look.average, 1.2, Qt::DashLine);
        average->setPen(averagePen);

        chart->addSeries(average);
        chart->addSeries(line);
        chart->addSeries(points);

        QCategoryAxis* dates = dateAxis(first, last, from, to);
        styleAxis(dates, look);
        dates->setGridLineVisible(false);
        auto* rates = new QValueAxis;
        // A little above 100 % and below 0 %, so a dot there is whole; the
        // ticks stay on the quarters.
        rates->setRange(-kRateRoom, 100 + kRateRoom);
        rates->setTickType(QValueAxis::TicksDynamic);
        rates->setTickAnchor(0);
        rates->setTickInterval(kRateTick);
        rates->setLabelFormat(QStringLiteral("%.0f%%"));
        styleAxis(rates, look);
        chart->addAxis(dates, Qt::AlignBottom);
        chart->addAxis(rates, Qt::AlignLeft);
        for (QAbstractSeries* series : chart->series()) {
            series->attachAxis(dates);
            series->attachAxis(rates);
        }
        return viewOf(chart, parent);
    }

    QWidget* boxChart(const BoxCounts& counts, const ChartLook& look, QWidget* parent) override {
        QChart* chart = plainChart(look);
        auto* words = new QBarSet(QStringLiteral("単語数"));
        *words << counts.notYetDrilled;
        int most = counts.notYetDrilled;
        for (const int count : counts.boxes) {
            *words << count;
            most = std::max(most, count);
        }
        words->setColor(look.line);
        words->setBorderColor(look.line);
        words->setLabelColor(look.ink);
        words->setLabelFont(look.font);
        auto* series = new QBarSeries;
        series->append(words);
        series->setBarWidth(0.6);
        series->setLabelsVisible(true);
        series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
        series->setLabelsFormat(QStringLiteral("@value"));
        chart->addSeries(series);

        auto* boxes = new QBarCategoryAxis;
        boxes->append({QStringLiteral("未出題"), QStringLiteral("箱1"), QStringLiteral("箱2"),
                       QStringLiteral("箱3"), QStringLiteral("箱4"), QStringLiteral("箱5")});
        styleAxis(boxes, look);
        boxes->setGridLineVisible(false);
        boxes->setTruncateLabels(false);
        auto* count = new QValueAxis;
        // Room above the tallest bar for its figure.
        count->setRange(0, std::max(1, most) * 1.2);
        count->setVisible(false);
        chart->addAxis(boxes, Qt::AlignBottom);
        chart->addAxis(count, Qt::AlignLeft);
        series->attachAxis(boxes);
        series->attachAxis(count);
        return viewOf(chart, parent);
    }
};

} // namespace tavik

#include "qt_progress_charts.moc"
