#include "stats/ui/StatsCharts.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QStackedBarSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace kst {

namespace {

const QColor WonColour(0, 255, 0), LostColour(255, 0, 0), ScoreColour(0, 0, 255);
constexpr int ChartMargin = 2;

QChart* freshChart(QChartView* view)
{
    QChart* chart = view->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes())
        chart->removeAxis(axis);
    return chart;
}

// A value axis over whole numbers from at most `low` to at least `high`, its ticks a whole step
// of 1, 2 or 5 times a power of ten apart (at most about five of them), so that no two labels
// read the same.
QValueAxis* wholeAxis(double low, double high)
{
    constexpr int mostSteps = 5;
    const double span = std::max(1.0, high - low);
    double step = 1;
    while (span / step > mostSteps) {
        for (const double factor : {2.0, 2.5, 2.0}) { // 1, 2, 5, 10, 20, 50 ...
            step *= factor;
            if (span / step <= mostSteps)
                break;
        }
    }
    const double first = std::floor(low / step) * step;
    const double last = std::max(first + step, std::ceil(high / step) * step);
    auto* axis = new QValueAxis;
    axis->setRange(first, last);
    axis->setTickCount(int(std::lround((last - first) / step)) + 1);
    axis->setLabelFormat(QStringLiteral("%d"));
    return axis;
}

// A count axis from 0 to the largest value, in whole steps.
QValueAxis* countAxis(double largest)
{
    return wholeAxis(0, largest);
}

} // namespace

QChartView* makeBarChart(QWidget* parent, const QString& name)
{
    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setMargins(QMargins(ChartMargin, ChartMargin, ChartMargin, ChartMargin));
    chart->setBackgroundRoundness(0);
    auto* view = new QChartView(chart, parent);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

void setBars(QChartView* view, const std::vector<ChartBar>& bars, bool legend)
{
    QChart* chart = freshChart(view);
    // One set per bar, each with its value in its own place and zeros elsewhere: stacked, every
    // bar stands alone in its own colour.
    auto* series = new QStackedBarSeries;
    double largest = 0;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        auto* set = new QBarSet(bars[i].label);
        for (std::size_t k = 0; k < bars.size(); ++k)
            *set << (k == i ? bars[i].value : 0.0);
        set->setColor(bars[i].colour);
        set->setBorderColor(Qt::black);
        set->setLabelColor(Qt::black);
        series->append(set);
        largest = std::max(largest, bars[i].value);
    }
    series->setLabelsVisible(true);
    series->setLabelsFormat(QStringLiteral("@value"));
    series->setBarWidth(0.7);
    chart->addSeries(series);
    QValueAxis* values = countAxis(largest);
    chart->addAxis(values, Qt::AlignLeft);
    series->attachAxis(values);
    values->hide();
    chart->legend()->setVisible(legend);
    if (legend)
        chart->legend()->setAlignment(Qt::AlignRight);
}

void setHistory(QChartView* view, const ResultsOverTime& history)
{
    QChart* chart = freshChart(view);
    auto* won = new QBarSet(QStringLiteral("Won"));
    auto* lost = new QBarSet(QStringLiteral("Lost"));
    won->setColor(WonColour);
    lost->setColor(LostColour);
    QStringList labels;
    double most = 0;
    for (const ResultsOverTime::Period& period : history.periods) {
        *won << period.won;
        *lost << period.lost;
        labels << QString::fromStdString(period.label);
        most = std::max(most, double(period.won + period.lost));
    }
    auto* bars = new QStackedBarSeries;
    bars->append(won);
    bars->append(lost);
    chart->addSeries(bars);

    // Each game's score at its place inside its period: the periods lie at 0, 1, 2 ... on the
    // category axis, each bar 0.8 wide.
    auto* scores = new QLineSeries;
    scores->setName(QStringLiteral("Score"));
    scores->setColor(ScoreColour);
    double low = 0, high = 1;
    for (const ResultsOverTime::Score& s : history.scores) {
        scores->append(s.period - 0.4 + 0.8 * s.offset, s.score);
        low = std::min(low, double(s.score));
        high = std::max(high, double(s.score));
    }
    chart->addSeries(scores);

    auto* periods = new QBarCategoryAxis;
    periods->append(labels);
    chart->addAxis(periods, Qt::AlignBottom);
    bars->attachAxis(periods);
    scores->attachAxis(periods);
    QValueAxis* games = countAxis(most);
    games->setTitleText(QStringLiteral("Games"));
    chart->addAxis(games, Qt::AlignLeft);
    bars->attachAxis(games);
    QValueAxis* points = wholeAxis(low, high);
    points->setTitleText(QStringLiteral("Score"));
    chart->addAxis(points, Qt::AlignRight);
    scores->attachAxis(points);
    chart->legend()->setVisible(true);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setTitle(history.periods.empty() ? QStringLiteral("No games played yet") : QString());
}

} // namespace kst
