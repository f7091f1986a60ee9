#pragma once
// The overall-score dialogs: the ranking of all players, and the best result of every catalogue
// game of one player, from which a game can be started.

#include "stats/OverallScore.h"
#include "stats/ui/StatsContext.h"

#include <QDialog>

class QPushButton;
class QTableWidget;

namespace kst {

class TfrmStatisOverall : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmStatisOverall(StatsContext& context, QWidget* parent = nullptr);

    // True once a game was started from the details: the callers close too.
    bool gameStarted() const { return m_gameStarted; }

private:
    void fill();
    void showDetails();

    StatsContext& m_context;
    std::vector<OverallEntry> m_ranking;
    QTableWidget* m_grid;
    QPushButton* m_details;
    bool m_gameStarted = false;
};

class TfrmStatisOverallDetails : public QDialog
{
    Q_OBJECT

public:
    TfrmStatisOverallDetails(StatsContext& context, const OverallEntry& player, QWidget* parent = nullptr);

    bool gameStarted() const { return m_gameStarted; }

private:
    void playSelected();

    StatsContext& m_context;
    std::vector<OverallDetail> m_details;
    QTableWidget* m_grid;
    bool m_gameStarted = false;
};

} // namespace kst
