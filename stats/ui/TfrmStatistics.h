#pragma once
// The statistics dialog: one game and one player, the totals, the current session and the series
// with the current streak, and a chart of the player's results in the game over time. From it
// the other statistics views are reached: overall score, all games, players, the log, hi-scores.

#include "stats/ui/StatsContext.h"

#include <QDialog>

class QChartView;
class QComboBox;
class QLabel;

namespace kst {

class ResultsGroup;

class TfrmStatistics : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmStatistics(StatsContext& context, QWidget* parent = nullptr);

    // The lists preset, as the game browser's Statistics command does (names as listed).
    void selectGame(const QString& name);
    void selectPlayer(const QString& name);

    // The buttons, also run from the main menu on a dialog not shown.
    void showOverallScore();
    void showAllGames();
    void showPlayersStatistics();
    // The log dialog over `owner` (this dialog when none); true when it started a game: the
    // owner then closes.
    bool fnShowLogStatistics(QWidget* owner);
    void showHiScores();
    void clearValues();

    // True once a game was started from here: the callers close too.
    bool gameStarted() const { return m_gameStarted; }

protected:
    void showEvent(QShowEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void refresh();
    void loadLog();
    void setCaption();
    int selectedGameId() const;
    std::string selectedGame() const;
    std::string selectedPlayer() const;

    StatsContext& m_context;
    int m_language;
    std::vector<std::string> m_players; // kept for the dialogs opened from here
    std::vector<std::string> m_games;
    std::vector<std::string> m_log; // the game log's lines, for the chart over time
    QComboBox* m_cboPlayers;
    QComboBox* m_cboGames;
    ResultsGroup* m_total;
    ResultsGroup* m_session;
    QChartView* m_series;
    QLabel* m_seriesWon;
    QLabel* m_seriesLost;
    QLabel* m_current;
    QChartView* m_history;
    bool m_gameStarted = false;
};

} // namespace kst
