#pragma once
// The game-won dialog, shown after every won game: the totals of the game for the player with
// their pie, and the ways on (a new deal, the same deal again, the statistics, another game).
// Also the group of won and lost counts with its pie, which the statistics dialog shows too.

#include "stats/ui/StatsContext.h"

#include <QDialog>
#include <QGroupBox>

class QLabel;

namespace kst {

// "Won:", "Lost:" and "Total:" with their counts, the per cents beside won and lost, and the pie.
class ResultsGroup : public QGroupBox
{
    Q_OBJECT

public:
    // name: the object name of the pie picture (imgGraphTot, imgGraphSes); withKey: the lime and
    // red squares beside "Won:" and "Lost:".
    ResultsGroup(const QString& title, const QString& name, bool withKey, int language, QWidget* parent = nullptr);

    // The counts, their per cents (empty without games) and the pie.
    void showResults(long long won, long long lost);

private:
    QLabel* m_won;
    QLabel* m_lost;
    QLabel* m_total;
    QLabel* m_wonPerCent;
    QLabel* m_lostPerCent;
    QLabel* m_pie;
};

// The pie of a lost per cent (or NoPie) drawn into the picture area, centred.
void fnDrawPie(int lostPerCentOrNone, QLabel* area);
// The pie picture itself: 89 x 60 for a share, 92 x 81 for no values, transparent around it.
QImage piePicture(int lostPerCentOrNone);

// The player's totals of the game into the group; the won per cent.
int fnShowTotals(StatsContext& context, const std::string& gameName, const std::string& player, ResultsGroup& group);

class TfrmGameWon : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmGameWon(StatsContext& context, QWidget* parent = nullptr);

    // True when a game was started from the dialog: the window then leaves its table alone.
    bool gameStarted() const { return m_gameStarted; }

    void newGame();
    void restartGame();
    void statistics();
    void openGame();
    void selectGame();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Hides the dialog while `run` starts another game; closes it when a game is in progress after.
    void leaveFor(const std::function<bool()>& run);
    void fillTotals();

    StatsContext& m_context;
    ResultsGroup* m_totals;
    bool m_gameStarted = false;
};

} // namespace kst
