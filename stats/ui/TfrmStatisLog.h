#pragma once
// The game log viewer: every logged game, newest first, of a player and a game or of all, and
// the logged deal played again for the current player.

#include "stats/ui/StatsContext.h"
#include "stats/ui/StatsTableModel.h"

#include <optional>

#include <QDialog>

class QComboBox;
class QTableView;

namespace kst {

class TfrmStatisLog : public QDialog
{
    Q_OBJECT

public:
    // players and games: the lists of the statistics dialog ("[All players]" and "[All games]" come
    // first here).
    TfrmStatisLog(StatsContext& context, const std::vector<std::string>& players, const std::vector<std::string>& games,
                  QWidget* parent = nullptr);

    // Shows the dialog until it is closed; true when it started a game.
    bool run();
    // "Play this game" on the selected row: the dialog closes (run() then starts the deal) and
    // opens again when the player keeps the running game.
    void playSelected();
    bool started() const { return m_started; }

    QTableView* table() const { return m_grid; }
    QComboBox* players() const { return m_cboPlayers; }
    QComboBox* games() const { return m_cboGames; }

private:
    void fill();
    QString cell(int row, int column) const;
    SortKey sortKey(int row, int column) const;
    // The deal of the selected row, asked for by playSelected.
    struct Request {
        int gameId = -1;
        std::string gameName;
        std::string number;
    };

    StatsContext& m_context;
    std::vector<std::string> m_lines; // the log, as it was when the dialog opened
    std::vector<int> m_shown;         // the lines shown, newest first
    std::optional<Request> m_request;
    QComboBox* m_cboPlayers;
    QComboBox* m_cboGames;
    StatsTableModel* m_model;
    QTableView* m_grid;
    QString m_won, m_lost; // the texts of the W/L column
    bool m_started = false;
};

} // namespace kst
