#pragma once
// The players chart: for one game, the five players with the best won per cent or average score,
// as bars, the best first.

#include "stats/ui/StatsContext.h"

#include <QDialog>

class QButtonGroup;
class QChartView;
class QListWidget;

namespace kst {

class TfrmStatisOperat : public QDialog
{
    Q_OBJECT

public:
    // What the bars show.
    enum class Values { WonPerCent, AverageScore };

    TfrmStatisOperat(StatsContext& context, const std::vector<std::string>& games, int selectedGame,
                     std::vector<std::string> players, QWidget* parent = nullptr);

    void showValues(Values values);
    QChartView* chart() const { return m_chart; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void rebuild();

    StatsContext& m_context;
    std::vector<std::string> m_players;
    QListWidget* m_games;
    QButtonGroup* m_values;
    QChartView* m_chart;
};

} // namespace kst
