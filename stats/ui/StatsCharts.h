#pragma once
// The charts of the statistics dialogs, drawn with Qt Charts: bar charts of a few values, each bar
// in its own colour, and the chart of a player's results in a game over time.

#include "stats/GameLog.h"

#include <QColor>
#include <QString>

#include <vector>

class QWidget;
class QChartView;

namespace kst {

struct ChartBar {
    QString label; // shown in the legend, when there is one
    double value = 0;
    QColor colour;
};

// An empty chart view without title, axes or legend; `name` is its object name.
QChartView* makeBarChart(QWidget* parent, const QString& name);
// The bars, left to right, with their values written on them; with legend, the legend lists them.
void setBars(QChartView* chart, const std::vector<ChartBar>& bars, bool legend);

// The games won and lost per period as bars and the score of each game as a line.
void setHistory(QChartView* chart, const ResultsOverTime& history);

} // namespace kst
