#pragma once
// The hi-score dialog: the 20 best results of a game, the game chosen from the list of every
// catalogue and customized game. Opened from the menu to look, or after a result made its table,
// with the congratulation as caption and the new row selected.

#include "stats/ui/StatsContext.h"

#include <QDialog>

class QListWidget;
class QTableWidget;

namespace kst {

class TfrmHiScore : public QDialog
{
    Q_OBJECT

public:
    enum class Mode {
        Menu,     // looking at the tables
        NewScore, // a result just made the table
    };

    // selectedRow: the 0-based rank selected in the new-score mode; caption: its congratulation.
    TfrmHiScore(StatsContext& context, Mode mode, int gameId, int selectedRow = 0, const QString& caption = {},
                QWidget* parent = nullptr);

    // The table of the game, as the game list shows it.
    void showGame(int gameId);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void gameChosen();

    StatsContext& m_context;
    Mode m_mode;
    int m_selectedRow;
    QString m_congratulation; // kept until another game is shown
    QTableWidget* m_grid;
    QListWidget* m_games;
};

} // namespace kst
