#pragma once
// The game-number dialog: a deal chosen by its number (typed, or one of the recent numbers) and
// its game, from the log of games played, or among the deals of a game that were lost and never
// won. OK deals it for the current player.

#include "stats/ui/StatsContext.h"

#include <QDialog>

class QComboBox;
class QTabWidget;
class QTableWidget;

namespace kst {

class TfrmSelectGameNumber : public QDialog
{
    Q_OBJECT

public:
    // The notebook's pages.
    enum Page { SelectPage, PreviousPage, LostPage };

    explicit TfrmSelectGameNumber(StatsContext& context, QWidget* parent = nullptr);

    // OK: the number and game of the page shown, checked, then dealt.
    void dealChosen();
    // "View Log...": the log dialog; when it started a game this dialog closes.
    void viewLog();

    QTabWidget* pages() const { return m_pages; }
    QComboBox* numbers() const { return m_cboNumbers; }
    QComboBox* games() const { return m_cboGames; }
    QComboBox* lostGames() const { return m_cboGamesLost; }
    QTableWidget* previous() const { return m_stgPrevious; }
    QTableWidget* lost() const { return m_stgLostGames; }

private:
    void pageShown(int page);
    void fillPrevious();
    void fillLost();
    // The number and game name the page shown offers; false (after telling) when it offers none.
    bool chosenDeal(std::string& number, std::string& gameName) const;

    StatsContext& m_context;
    QTabWidget* m_pages;
    QComboBox* m_cboNumbers;
    QComboBox* m_cboGames;
    QComboBox* m_cboGamesLost;
    QTableWidget* m_stgPrevious;
    QTableWidget* m_stgLostGames;
};

} // namespace kst
