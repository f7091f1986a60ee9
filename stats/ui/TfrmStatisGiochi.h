#pragma once
// The all-games table: for one player, the games won and lost (in total, in the current session
// or as longest streaks) and the won per cent of every game.

#include "stats/ui/StatsContext.h"

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QTableView;

namespace kst {

class StatsTableModel;

class TfrmStatisGiochi : public QDialog
{
    Q_OBJECT

public:
    // What the Won and Lost columns count.
    enum class Values { Total, CurrentSession, Series };

    TfrmStatisGiochi(StatsContext& context, std::vector<std::string> players, int selectedPlayer,
                     QWidget* parent = nullptr);

    void showValues(Values values);
    QTableView* table() const { return m_grid; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // One row of the table.
    struct Row {
        std::string game;
        long long won = 0;
        long long lost = 0;
    };
    void fill();

    StatsContext& m_context;
    std::vector<std::string> m_players;
    std::vector<Row> m_rows;
    QComboBox* m_cboOperatore;
    QButtonGroup* m_values;
    StatsTableModel* m_model;
    QTableView* m_grid;
};

} // namespace kst
