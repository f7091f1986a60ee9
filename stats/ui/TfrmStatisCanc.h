#pragma once
// The clear-statistics dialog: the statistics and log lines of a player or all players, in a game
// or all games, cleared after the player confirms.

#include "stats/ui/StatsContext.h"

#include <QDialog>

class QComboBox;

namespace kst {

class TfrmStatisCanc : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmStatisCanc(StatsContext& context, QWidget* parent = nullptr);

    // OK: asks, clears what the two lists say, tells and closes.
    void clearChosen();

    QComboBox* players() const { return m_cboPlayers; }
    QComboBox* games() const { return m_cboGames; }

private:
    StatsContext& m_context;
    std::vector<std::string> m_players;
    std::vector<std::string> m_games;
    QComboBox* m_cboPlayers;
    QComboBox* m_cboGames;
};

// Opens the clear-statistics dialog modally.
void fnClearStatisticsDialog(StatsContext& context, QWidget* parent);

} // namespace kst
