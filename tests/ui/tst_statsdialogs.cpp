// The statistics dialogs opened from their menu items on recorded data: the hi-scores with the
// congratulation after a result that made the table, the overall score with a player's details,
// and the players dialog adding, renaming and selecting players. Then the dialogs opened on the
// main window's statistics context: the statistics of a game, the game-won dialog, the all-games
// table, the players chart, the log viewer with its replay, the clearing dialogs and the
// game-number dialog.

#include "MainWindowHarness.h"

#include "stats/HiScores.h"
#include "stats/OverallScore.h"
#include "stats/Statistics.h"
#include "shell/TfrmSelectGameNumber.h"
#include "stats/ui/StatsContext.h"
#include "stats/ui/TfrmClearValues.h"
#include "stats/ui/TfrmGameWon.h"
#include "stats/ui/TfrmOperatori.h"
#include "stats/ui/TfrmStatisCanc.h"
#include "stats/ui/TfrmStatisGiochi.h"
#include "stats/ui/TfrmStatisLog.h"
#include "stats/ui/TfrmStatisOperat.h"
#include "stats/ui/TfrmStatistics.h"
#include "solver/Solver.h"
#include "storage/SectionFile.h"
#include "platform/qt/QtGraphics.h"

#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHeaderView>
#include <QStackedBarSeries>
#include <QTabWidget>
#include <QTableView>

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

using namespace kst;
using kst::test::onModal;

namespace {

constexpr int Freecell = 1;

QString cell(QTableWidget* grid, int row, int column)
{
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

QStringList rowOf(QTableWidget* grid, int row)
{
    QStringList cells;
    for (int c = 0; c < grid->columnCount(); ++c)
        cells << cell(grid, row, c);
    return cells;
}

// The text of a cell of a table shown through a model.
QString cell(QTableView* view, int row, int column)
{
    return view->model()->index(row, column).data().toString();
}

QString labelText(QWidget& dialog, const char* group, const char* label)
{
    return dialog.findChild<QWidget*>(QLatin1String(group))->findChild<QLabel*>(QLatin1String(label))->text();
}

// How many pixels of the colour a label's picture holds.
int pixelsOf(QWidget& dialog, const char* picture, QColor colour)
{
    const QImage image = dialog.findChild<QLabel*>(QLatin1String(picture))->pixmap().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == colour;
    return count;
}

const QColor Lime(0, 255, 0), Red(255, 0, 0);

// The picture beside the hi-score table.
QImage shownPicture(QDialog& dialog)
{
    return dialog.findChild<QLabel*>(QStringLiteral("imgHiScore"))->pixmap().toImage();
}

} // namespace

class TstStatsDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_harness.prepare()); }
    void init();
    void theHiScoresOfTheCurrentGame();
    void aResultThatMakesTheTableIsCongratulated();
    void theOverallRankingAndAPlayersDetails();
    void playersAreAddedRenamedAndSelected();
    void theStatisticsOfAGameForAPlayer();
    void theGameWonDialogShowsTheTotalsAndLeadsOn();
    void theAllGamesTableCountsEachGameAndSorts();
    void thePlayersChartShowsTheFiveBest();
    void theLogShowsTheGamesNewestFirstAndFiltered();
    void aLoggedDealIsReplayedForTheCurrentPlayer();
    void clearingStatisticsClearsExactlyWhatItSays();
    void clearingAllValuesAsksTwice();
    void aTypedGameNumberIsDealtOrRefused();
    void theLostGamesPageListsDealsNeverWon();
    void damagedFilesShowWhatCanBeRead();
    void eachWindowOpensFromItsMenuItem_data();
    void eachWindowOpensFromItsMenuItem();
    void aWonGameLeadsToTheGameWonDialog();

private:
    void trigger(const char* name) { m_window->findChild<QAction*>(QLatin1String(name))->trigger(); }
    QImage libraryPicture(const char* name)
    {
        const std::unique_ptr<Bitmap> bitmap = m_window->ports().resources.bitmap(name);
        return bitmap ? pixmapOf(*bitmap).toImage() : QImage();
    }
    StatsFiles& files() { return m_window->statsContext().files; }
    StatsContext& context() { return m_window->statsContext(); }
    SessionStore& store() { return m_window->store(); }
    void record(int gameId, const std::string& player, const std::string& outcomes, int score = 0)
    {
        for (const char c : outcomes)
            fnRecordResult(files(), store(), gameId, player, c == 'W', score);
    }
    void log(const char* game, int gameId, const char* player, bool won, const char* number, DateTime end,
             int score = 120)
    {
        fnLogGame(files(), LogEntry{end, 3725, gameId, game, player, won, StandardScoring, score, number});
    }

    test::MainWindowHarness m_harness;
    std::unique_ptr<TfrmMain> m_window;
};

void TstStatsDialogs::init()
{
    m_window.reset();
    m_harness.reset();
    m_window = m_harness.playFreecell();
    QVERIFY(m_window);
}

void TstStatsDialogs::theHiScoresOfTheCurrentGame()
{
    fnEnterHiScore(files(), m_window->statsContext().catalogue, Freecell, StandardScoring,
                   {120, 300, {2026, 12, 11, 10, 0, 0, 0}, "Anna", "0000000001234", true});
    onModal(
        [this](QDialog& dialog) {
            QCOMPARE(dialog.objectName(), QStringLiteral("frmHiScore"));
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Hi-Scores [Freecell]"));
            auto* grid = dialog.findChild<QTableWidget*>(QStringLiteral("grdHiScore"));
            QCOMPARE(grid->rowCount(), 20);
            QCOMPARE(grid->horizontalHeaderItem(6)->text(), QStringLiteral("Game number"));
            const QStringList first = rowOf(grid, 0);
            QCOMPARE(first.mid(0, 5), (QStringList{"01", "Anna", "120", "0:05:00", "Won "}));
            QCOMPARE(first[6], QStringLiteral("0000000001234"));
            QVERIFY(!first[5].isEmpty());
            QCOMPARE(rowOf(grid, 1).mid(0, 4), (QStringList{"02", "* Alice", "52", "0:04:20"}));
            QCOMPARE(grid->currentRow(), 0);
            QVERIFY(!shownPicture(dialog).isNull());
            QCOMPARE(shownPicture(dialog), libraryPicture("HISCORE_LIST"));

            // Another game of the list shows its own table.
            auto* games = dialog.findChild<QListWidget*>(QStringLiteral("lstGames"));
            QCOMPARE(games->currentItem()->text(), QStringLiteral("Freecell"));
            games->setCurrentItem(games->findItems(QStringLiteral("Klondike"), Qt::MatchExactly).front());
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Hi-Scores [Klondike]"));
            QCOMPARE(cell(grid, 0, 1), QStringLiteral("* Alice"));
        },
        [&] { trigger("mnuHiScores"); });
}

void TstStatsDialogs::aResultThatMakesTheTableIsCongratulated()
{
    m_window->store().fnStoreSet(Fld::ConfirmEnterHiScores, "Y");
    fnClearHiScores(files(), false); // empty tables: the game left at once makes it
    onModal(
        [this](QDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Congratulations! Your score has made the Freecell Hi-Scores list!"));
            auto* grid = dialog.findChild<QTableWidget*>(QStringLiteral("grdHiScore"));
            QCOMPARE(grid->currentRow(), 0);
            QCOMPARE(cell(grid, 0, 1), QStringLiteral("Player 1"));
            QCOMPARE(cell(grid, 0, 2), QStringLiteral("-52"));
            QCOMPARE(cell(grid, 1, 1), QString());
            QCOMPARE(shownPicture(dialog), libraryPicture("HISCORE_NEW"));
        },
        [&] { m_window->session().endGame(); });
}

void TstStatsDialogs::theOverallRankingAndAPlayersDetails()
{
    fnUpdateOverall(files(), Freecell, "Anna", 120, 300);
    fnUpdateOverall(files(), Freecell, "Bob", 200, 100);
    fnUpdateOverall(files(), 2, "Bob", 30, 3725);
    onModal(
        [](QDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Overall score"));
            auto* grid = dialog.findChild<QTableWidget*>(QStringLiteral("grdOverall"));
            QCOMPARE(grid->rowCount(), 10);
            QCOMPARE(rowOf(grid, 0), (QStringList{"1", "Bob", "230", "01:03:45"}));
            QCOMPARE(rowOf(grid, 1), (QStringList{"2", "Anna", "120", "00:05:00"}));
            QCOMPARE(rowOf(grid, 2), (QStringList{"", "", "", ""}));
            auto* details = dialog.findChild<QPushButton*>(QStringLiteral("btnDetails"));
            QVERIFY(details->isEnabled());
            grid->selectRow(5);
            QVERIFY(!details->isEnabled());
            grid->selectRow(0);
            onModal(
                [](QDialog& shown) {
                    QCOMPARE(shown.windowTitle(), QStringLiteral("Overall score details [Bob]"));
                    QCOMPARE(shown.findChild<QLineEdit*>(QStringLiteral("edtScore"))->text(), QStringLiteral("230"));
                    auto* rows = shown.findChild<QTableWidget*>(QStringLiteral("grdDetails"));
                    bool freecell = false;
                    for (int r = 0; r < rows->rowCount(); ++r)
                        if (cell(rows, r, 0) == QStringLiteral("Freecell")) {
                            freecell = true;
                            QCOMPARE(rowOf(rows, r), (QStringList{"Freecell", "200", "", "0:01:40"}));
                        }
                    QVERIFY(freecell);
                },
                [&] { details->click(); });
        },
        [&] { trigger("mnuOverallScore"); });
}

void TstStatsDialogs::playersAreAddedRenamedAndSelected()
{
    fnRecordResult(files(), m_window->store(), Freecell, "Player 1", true, 100);
    test::TestPorts& ports = m_harness.ports;
    onModal(
        [&](QDialog& dialog) {
            auto& players = static_cast<TfrmOperatori&>(dialog);
            auto* list = dialog.findChild<QListWidget*>(QStringLiteral("lstPlayers"));
            QCOMPARE(list->count(), 3);
            QCOMPARE(list->currentItem()->text(), QStringLiteral("Player 1"));

            // Names typed in turn; an empty queue cancels the name dialog.
            QStringList typed;
            players.runNameDialog = [&](TfrmOperatori2& name) {
                if (typed.isEmpty())
                    return int(QDialog::Rejected);
                name.findChild<QLineEdit*>(QStringLiteral("edtName"))->setText(typed.takeFirst());
                return int(QDialog::Accepted);
            };
            typed = {"Player 2", "Anna=1", "Zoe"};
            players.addPlayer();
            QCOMPARE(ports.messages.texts(),
                     (std::vector<std::string>{"This player name already exists.",
                                               "A player name cannot hold the characters = [ ] nor line breaks or tabs."}));
            QCOMPARE(list->count(), 4);

            typed = {"Anna"};
            players.editPlayer(); // Player 1, the current player
            QCOMPARE(list->currentItem()->text(), QStringLiteral("Anna"));

            list->setCurrentItem(list->findItems(QStringLiteral("Zoe"), Qt::MatchExactly).front());
            ports.messages.queueAnswer(Answer::Ok); // leave the game under way
            players.selectPlayer();
            QVERIFY(!dialog.isVisible());
        },
        [&] { trigger("mnuPlayers"); });

    QCOMPARE(m_window->store().fnStoreGet(Fld::UserDefault), std::string("Zoe"));
    QCOMPARE(m_window->config().readText("Users", "User001", ""), std::string("Anna"));
    QCOMPARE(m_window->config().readText("Users", "User004", ""), std::string("Zoe"));
    QVERIFY(m_window->windowTitle().contains(QStringLiteral("[Zoe]")));
    QVERIFY(m_window->gameInProgress());
    // The game left was recorded for the renamed player, beside his earlier win.
    const StatRecord anna = fnReadStatistics(files(), m_window->store(), Freecell, "Anna").record;
    QCOMPARE(anna.won, 1LL);
    QCOMPARE(anna.lost, 1LL);
}

void TstStatsDialogs::theStatisticsOfAGameForAPlayer()
{
    record(Freecell, "Player 1", "WWL", 30);
    record(2, "Player 1", "LLL"); // another game does not count here
    store().fnStoreSet(Fld::SessionWon, "0001");
    store().fnStoreSet(Fld::SessionLost, "0003");
    TfrmStatistics dialog(context());
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Statistics [Freecell]"));
    const QStringList total{labelText(dialog, "grpTotal", "lblWon"), labelText(dialog, "grpTotal", "lblLost"),
                            labelText(dialog, "grpTotal", "lblTotal"), labelText(dialog, "grpTotal", "lblWonPerCent"),
                            labelText(dialog, "grpTotal", "lblLostPerCent")};
    QCOMPARE(total, (QStringList{"2", "1", "3", "(67%)", "(33%)"}));
    // More won than lost: the larger slice is lime.
    QVERIFY(pixelsOf(dialog, "imgGraphTot", Lime) > pixelsOf(dialog, "imgGraphTot", Red));
    QVERIFY(pixelsOf(dialog, "imgGraphTot", Red) > 0);
    QCOMPARE(labelText(dialog, "grpSession", "lblTotal"), QStringLiteral("4"));
    QCOMPARE(labelText(dialog, "grpSession", "lblLostPerCent"), QStringLiteral("(75%)"));
    QVERIFY(pixelsOf(dialog, "imgGraphSes", Red) > pixelsOf(dialog, "imgGraphSes", Lime));
    QCOMPARE(labelText(dialog, "grpSeries", "lblSeriesWon"), QStringLiteral("Won: 2"));
    QCOMPARE(labelText(dialog, "grpSeries", "lblSeriesLost"), QStringLiteral("Lost: 1"));
    QCOMPARE(labelText(dialog, "grpSeries", "lblCurrent"), QStringLiteral("Current: 1 lost"));

    // A player with no games: no per cents, the no-values picture, no streak.
    auto* players = dialog.findChild<QComboBox*>(QStringLiteral("cboPlayers"));
    players->setCurrentIndex(players->findText(QStringLiteral("Player 2")));
    QCOMPARE(labelText(dialog, "grpTotal", "lblTotal"), QStringLiteral("0"));
    QCOMPARE(labelText(dialog, "grpTotal", "lblWonPerCent"), QString());
    QCOMPARE(labelText(dialog, "grpSession", "lblTotal"), QStringLiteral("0")); // not the current player
    QCOMPARE(pixelsOf(dialog, "imgGraphTot", Lime) + pixelsOf(dialog, "imgGraphTot", Red), 0);
    QCOMPARE(labelText(dialog, "grpSeries", "lblCurrent"), QStringLiteral("Current"));

    auto* games = dialog.findChild<QComboBox*>(QStringLiteral("cboGames"));
    games->setCurrentIndex(games->findText(QStringLiteral("Klondike")));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Statistics [Klondike]"));
}

void TstStatsDialogs::theGameWonDialogShowsTheTotalsAndLeadsOn()
{
    record(Freecell, "Player 1", "W");
    m_window->session().endGame(); // the game on the table, lost
    TfrmGameWon dialog(context());
    dialog.show();
    auto* totals = dialog.findChild<QGroupBox*>(QStringLiteral("grpTotal"));
    QCOMPARE(totals->title(), QStringLiteral("Total [Freecell]"));
    QCOMPARE(labelText(dialog, "grpTotal", "lblWonPerCent"), QStringLiteral("(50%)"));

    // Another game chosen elsewhere: the dialog waits hidden and closes once a game is on.
    bool gameOn = false;
    context().openGame = [&] { return gameOn; };
    dialog.openGame();
    QVERIFY(dialog.isVisible());
    gameOn = true;
    dialog.openGame();
    QVERIFY(!dialog.isVisible());
    QVERIFY(dialog.gameStarted());

    // New game: a new random deal of the game.
    m_window->session().endGame();
    dialog.show();
    const std::string before = m_window->session().game().number;
    dialog.findChild<QPushButton*>(QStringLiteral("btnNewGame"))->click();
    QVERIFY(!dialog.isVisible());
    QVERIFY(m_window->session().inProgress());
    QVERIFY(m_window->session().game().number != before);
}

void TstStatsDialogs::theAllGamesTableCountsEachGameAndSorts()
{
    record(Freecell, "Player 1", "WWLWW");
    record(2, "Player 1", "LLLL");
    record(2, "Player 2", "WWWW");
    store().fnStoreSet(Fld::SessionWon, "0003");
    store().fnStoreSet(Fld::SessionLost, "0001");
    TfrmStatisGiochi dialog(context(), fnPlayerList(m_window->config()), 0);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("All games statistics"));
    QTableView* table = dialog.table();
    QCOMPARE(table->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Percent"));
    const auto rowOfGame = [&](const QString& name) {
        for (int r = 0; r < table->model()->rowCount(); ++r)
            if (cell(table, r, 0) == name)
                return QStringList{cell(table, r, 1), cell(table, r, 2), cell(table, r, 3)};
        return QStringList();
    };
    QCOMPARE(rowOfGame(QStringLiteral("Freecell")), (QStringList{"4", "1", "80 %"}));
    QCOMPARE(rowOfGame(QStringLiteral("Klondike")), (QStringList{"0", "4", "0"}));
    QVERIFY(table->model()->rowCount() > 2);
    QVERIFY(cell(table, 0, 0).compare(cell(table, 1, 0), Qt::CaseInsensitive) <= 0);

    // By per cent, highest first after a second click.
    table->horizontalHeader()->sectionClicked(3);
    table->horizontalHeader()->sectionClicked(3);
    QCOMPARE(cell(table, 0, 0), QStringLiteral("Freecell"));
    QCOMPARE(cell(table, table->model()->rowCount() - 1, 3), QStringLiteral("0"));

    dialog.showValues(TfrmStatisGiochi::Values::Series);
    QCOMPARE(rowOfGame(QStringLiteral("Freecell")), (QStringList{"2", "1", "67 %"}));
    dialog.showValues(TfrmStatisGiochi::Values::CurrentSession);
    QCOMPARE(table->model()->rowCount(), 1);
    QCOMPARE(rowOfGame(QStringLiteral("Freecell")), (QStringList{"3", "1", "75 %"}));
}

void TstStatsDialogs::thePlayersChartShowsTheFiveBest()
{
    std::vector<std::string> players;
    for (const char* name : {"Ann", "Ben", "Cid", "Dan", "Eve", "Fay", "Guy"}) {
        players.push_back(name);
        record(Freecell, name, "WL", 10);
    }
    record(Freecell, "Ann", "W", 70); // the best per cent and the best average
    const std::vector<std::string> games = fnGameList(m_window->statsContext().catalogue, context().customGamesPath);
    const int freecell = int(std::find(games.begin(), games.end(), "Freecell") - games.begin());
    TfrmStatisOperat dialog(context(), games, freecell, players);
    dialog.show();
    const auto bars = [&] {
        QStringList labels;
        const auto* series = qobject_cast<QStackedBarSeries*>(dialog.chart()->chart()->series().front());
        for (const QBarSet* set : series->barSets())
            labels << set->label();
        return labels;
    };
    QCOMPARE(bars(), (QStringList{"Ann: 67", "Guy: 50", "Fay: 50", "Eve: 50", "Dan: 50"}));
    const auto* series = qobject_cast<QStackedBarSeries*>(dialog.chart()->chart()->series().front());
    QCOMPARE(series->barSets().front()->color(), QColor(0, 0, 255));
    dialog.showValues(TfrmStatisOperat::Values::AverageScore);
    QCOMPARE(bars().front(), QStringLiteral("Ann: 30"));
}

void TstStatsDialogs::theLogShowsTheGamesNewestFirstAndFiltered()
{
    log("Freecell", Freecell, "Anna", true, "0000000001111", {2026, 12, 1, 9, 30, 5, 0}, 250);
    log("Klondike", 2, "Bob", false, "0000000002222", {2026, 12, 2, 10, 0, 0, 0}, -40);
    log("Freecell", Freecell, "Bob", false, "0000000003333", {2026, 12, 3, 11, 0, 0, 0}, 30);
    log("My Deleted Game", 8001, "Anna", false, "0000000004444", {2026, 12, 4, 12, 0, 0, 0});
    TfrmStatisLog dialog(context(), {"Anna", "Bob"}, fnGameList(context().catalogue, context().customGamesPath));
    dialog.show();
    QTableView* table = dialog.table();
    QCOMPARE(table->model()->rowCount(), 4);
    QCOMPARE(cell(table, 0, 3), QStringLiteral("My Deleted Game"));
    const QStringList first{cell(table, 3, 1), cell(table, 3, 2), cell(table, 3, 3), cell(table, 3, 4),
                            cell(table, 3, 5), cell(table, 3, 6), cell(table, 3, 7)};
    QCOMPARE(first, (QStringList{"09:30", "1:02:05", "Freecell", "Won", "250", "Anna", "0000000001111"}));
    QVERIFY(!cell(table, 3, 0).isEmpty());

    dialog.players()->setCurrentIndex(dialog.players()->findText(QStringLiteral("Bob")));
    QCOMPARE(table->model()->rowCount(), 2);
    QCOMPARE(cell(table, 0, 7), QStringLiteral("0000000003333"));
    dialog.games()->setCurrentIndex(dialog.games()->findText(QStringLiteral("Klondike")));
    QCOMPARE(table->model()->rowCount(), 1);

    // Sorted by score as numbers, not as texts.
    dialog.players()->setCurrentIndex(0);
    dialog.games()->setCurrentIndex(0);
    table->horizontalHeader()->sectionClicked(5);
    QCOMPARE(cell(table, 0, 5), QStringLiteral("-40"));
    QCOMPARE(cell(table, 3, 5), QStringLiteral("250"));

    // The line of a customized game deleted since cannot be played.
    for (int r = 0; r < 4; ++r)
        if (cell(table, r, 3) == QStringLiteral("My Deleted Game"))
            table->selectRow(r);
    dialog.playSelected();
    QCOMPARE(m_harness.ports.messages.texts().back(), std::string("The game \"My Deleted Game\" no longer exists."));
    QVERIFY(dialog.isVisible());
}

void TstStatsDialogs::aLoggedDealIsReplayedForTheCurrentPlayer()
{
    const CardTable logged = m_window->session().game().cards;
    store().fnStoreSet(Fld::UserDefault, "Player 2"); // the game on the table ends as his
    m_window->session().endGame();
    store().fnStoreSet(Fld::UserDefault, "Player 1");
    m_window->session().newDeal(true, false, RandomNumber, true);
    QVERIFY(m_window->session().game().cards != logged);

    TfrmStatistics statistics(context());
    onModal(
        [&](QDialog& shown) {
            auto& dialog = static_cast<TfrmStatisLog&>(shown);
            QCOMPARE(cell(dialog.table(), 0, 6), QStringLiteral("Player 2"));
            dialog.table()->selectRow(0);
            m_harness.ports.messages.queueAnswer(Answer::Ok); // leave the running game
            dialog.playSelected();
        },
        [&] { QVERIFY(statistics.fnShowLogStatistics(nullptr)); });
    QVERIFY(statistics.gameStarted());
    QCOMPARE(m_window->session().game().number, std::string("0000001234567"));
    QCOMPARE(m_window->session().game().gameId, Freecell);
    QCOMPARE(m_window->session().game().cards, logged);
    QCOMPARE(store().fnStoreGet(Fld::UserDefault), std::string("Player 1"));
    QCOMPARE(m_window->config().readText("Game_Numbers", "Game001", ""), std::string("0000001234567"));
}

void TstStatsDialogs::clearingStatisticsClearsExactlyWhatItSays()
{
    record(Freecell, "Player 1", "WW");
    record(2, "Player 1", "L");
    record(2, "Player 2", "W");
    log("Freecell", Freecell, "Player 1", true, "1", {2026, 12, 1, 9, 0, 0, 0});
    log("Klondike", 2, "Player 1", false, "2", {2026, 12, 1, 9, 0, 0, 0});
    log("Klondike", 2, "Player 2", true, "3", {2026, 12, 1, 9, 0, 0, 0});
    const auto won = [&](int gameId, const char* player) {
        return fnReadStatistics(files(), store(), gameId, player).record.won
            + fnReadStatistics(files(), store(), gameId, player).record.lost;
    };

    TfrmStatisCanc dialog(context());
    QCOMPARE(dialog.players()->currentText(), QStringLiteral("Player 1"));
    QCOMPARE(dialog.games()->currentText(), QStringLiteral("Freecell"));
    dialog.games()->setCurrentIndex(dialog.games()->findText(QStringLiteral("Klondike")));
    dialog.clearChosen(); // No: nothing is cleared
    QCOMPARE(won(2, "Player 1"), 1LL);
    m_harness.ports.messages.queueAnswer(Answer::Yes);
    store().fnStoreSet(Fld::SessionWon, "0005");
    dialog.clearChosen();
    QCOMPARE(m_harness.ports.messages.texts().back(), std::string("Statistics have been cleared."));
    QCOMPARE(won(2, "Player 1"), 0LL);
    QCOMPARE(won(2, "Player 2"), 1LL);
    QCOMPARE(won(Freecell, "Player 1"), 2LL);
    QCOMPARE(loadLines(files().logPath()).lines.size(), std::size_t(2));
    QCOMPARE(store().fnStoreGet(Fld::SessionWon), std::string("0005")); // another game than the current one

    // All players of a game that is not the current one: the session counters start again too.
    TfrmStatisCanc all(context());
    all.players()->setCurrentIndex(0);
    all.games()->setCurrentIndex(all.games()->findText(QStringLiteral("Klondike")));
    m_harness.ports.messages.queueAnswer(Answer::Yes);
    all.clearChosen();
    QCOMPARE(won(2, "Player 2"), 0LL);
    QCOMPARE(won(Freecell, "Player 1"), 2LL);
    QCOMPARE(store().fnStoreGet(Fld::SessionWon), std::string("0000"));
}

void TstStatsDialogs::clearingAllValuesAsksTwice()
{
    record(Freecell, "Player 1", "W", 100);
    TfrmClearValues dialog(context());
    dialog.show();
    m_harness.ports.messages.queueAnswer(Answer::Yes);
    m_harness.ports.messages.queueAnswer(Answer::No);
    dialog.clearChosen();
    QCOMPARE(fnReadStatistics(files(), store(), Freecell, "Player 1").record.won, 1LL);
    QVERIFY(dialog.isVisible());
    m_harness.ports.messages.queueAnswer(Answer::Yes);
    m_harness.ports.messages.queueAnswer(Answer::Yes);
    dialog.clearChosen();
    QCOMPARE(fnReadStatistics(files(), store(), Freecell, "Player 1").record.won, 0LL);
    QVERIFY(hiScoresCleared(files().scoresPath()));
    QCOMPARE(m_harness.ports.messages.texts().back(),
             std::string("Statistics, Hi-Scores and Overall Score have been cleared."));
    QVERIFY(!dialog.isVisible());
}

void TstStatsDialogs::aTypedGameNumberIsDealtOrRefused()
{
    struct Case {
        const char* typed;
        const char* message; // empty: none
        const char* dealt;   // the deal on the table afterwards
    };
    const Case cases[] = {
        {"0", "", "0000001234567"}, // nothing happens
        {"1 2", "Numbers only are required.", "0000001234567"},
        {"12", "", "0000000000012"},
    };
    for (const Case& c : cases) {
        m_harness.ports.messages.clear();
        TfrmSelectGameNumber dialog(context());
        QCOMPARE(dialog.games()->currentText(), QStringLiteral("Freecell"));
        dialog.show();
        dialog.numbers()->setEditText(QString::fromLatin1(c.typed));
        dialog.games()->setCurrentIndex(dialog.games()->findText(QStringLiteral("Klondike")));
        const bool deals = std::string(c.dealt) != "0000001234567";
        if (deals)
            m_harness.ports.messages.queueAnswer(Answer::Ok); // leave the running game
        dialog.dealChosen();
        const std::vector<std::string> texts = m_harness.ports.messages.texts();
        QCOMPARE(texts.empty() || texts.back() == "Quit this game?" ? std::string() : texts.back(), std::string(c.message));
        QCOMPARE(m_window->session().game().number, std::string(c.dealt));
        QCOMPARE(dialog.isVisible(), !deals);
    }
    QCOMPARE(m_window->session().game().gameId, 2);
    QCOMPARE(m_window->config().readText("Game_Numbers", "Game001", ""), std::string("0000000000012"));
    TfrmSelectGameNumber again(context());
    QCOMPARE(again.numbers()->itemText(0), QStringLiteral("0000000000012"));
    QCOMPARE(again.numbers()->currentText(), QStringLiteral("0000000000012"));
}

void TstStatsDialogs::theLostGamesPageListsDealsNeverWon()
{
    log("Freecell", Freecell, "Zoe", false, "0000000000007", {2026, 12, 1, 9, 0, 0, 0});
    log("Freecell", Freecell, "Anna", false, "0000000000007", {2026, 12, 2, 9, 0, 0, 0});
    log("Freecell", Freecell, "Bob", false, "0000000000005", {2026, 12, 1, 9, 0, 0, 0});
    log("Freecell", Freecell, "Bob", true, "0000000000005", {2026, 12, 2, 9, 0, 0, 0});
    log("Klondike", 2, "Bob", false, "0000000000009", {2026, 12, 3, 9, 0, 0, 0});
    TfrmSelectGameNumber dialog(context());
    dialog.show();
    dialog.pages()->setCurrentIndex(TfrmSelectGameNumber::LostPage);
    QTableWidget* lost = dialog.lost();
    QCOMPARE(rowOf(lost, 0).mid(0, 2), (QStringList{"0000000000007", "Lost"}));
    QCOMPARE(cell(lost, 0, 3), QStringLiteral("Anna"));
    QCOMPARE(cell(lost, 1, 0), QString());
    QCOMPARE(lost->rowCount(), 11);

    // A blank row is no deal.
    lost->setCurrentCell(1, 0);
    dialog.dealChosen();
    QCOMPARE(m_harness.ports.messages.texts().back(), std::string("Select a correct game number."));

    dialog.pages()->setCurrentIndex(TfrmSelectGameNumber::PreviousPage);
    QCOMPARE(rowOf(dialog.previous(), 0).mid(0, 3), (QStringList{"0000000000009", "Klondike", "Lost"}));
    QCOMPARE(cell(dialog.previous(), 4, 4), QStringLiteral("Zoe"));

    // A lost deal of the page dealt again.
    dialog.pages()->setCurrentIndex(TfrmSelectGameNumber::LostPage);
    lost->setCurrentCell(0, 0);
    m_harness.ports.messages.queueAnswer(Answer::Ok);
    dialog.dealChosen();
    QCOMPARE(m_window->session().game().number, std::string("0000000000007"));
    QCOMPARE(m_window->session().game().gameId, Freecell);
}

void TstStatsDialogs::damagedFilesShowWhatCanBeRead()
{
    log("Freecell", Freecell, "Player 1", true, "0000000000042", {2026, 12, 1, 9, 0, 0, 0});
    // A log cut short, with a stray binary line, an overlong line and an empty one.
    std::string bytes = loadLines(files().logPath()).lines.front() + "\r\n";
    bytes += std::string("\x01\xff\x00garbage", 10) + "\r\n" + std::string(5000, '9') + "\r\n\r\n";
    bytes += bytes.substr(0, 100);
    std::FILE* f = std::fopen(files().logPath().c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);

    TfrmStatisLog viewer(context(), {"Player 1"}, {"Freecell"});
    viewer.show();
    QCOMPARE(viewer.table()->model()->rowCount(), 5);
    for (int row = 0; row < 5; ++row)
        for (int column = 0; column < 8; ++column)
            cell(viewer.table(), row, column); // every cell can be shown
    QCOMPARE(cell(viewer.table(), 4, 7), QStringLiteral("0000000000042"));
    viewer.table()->horizontalHeader()->sectionClicked(0);
    viewer.table()->selectRow(0);
    viewer.playSelected(); // a damaged line names no game: refused, nothing started
    QVERIFY(viewer.isVisible());

    TfrmSelectGameNumber numbers(context());
    numbers.show();
    numbers.pages()->setCurrentIndex(TfrmSelectGameNumber::PreviousPage);
    numbers.pages()->setCurrentIndex(TfrmSelectGameNumber::LostPage);
    TfrmStatistics statistics(context());
    statistics.show();
    QCOMPARE(QString::fromStdString(std::string(loadLines(files().logPath()).lines.front().substr(0, 8))),
             QStringLiteral("20261201")); // nothing was written over

    // STAT.DAT that cannot be opened: the all-games table says so and shows nothing new.
    std::filesystem::remove(files().statPath());
    std::filesystem::create_directory(files().statPath());
    m_harness.ports.messages.clear();
    TfrmStatisGiochi table(context(), {"Player 1"}, 0);
    table.show();
    QCOMPARE(m_harness.ports.messages.texts(), std::vector<std::string>{"Open error: " + files().statPath()});
    QCOMPARE(table.table()->model()->rowCount(), 0);
}

void TstStatsDialogs::eachWindowOpensFromItsMenuItem_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("window");
    QTest::newRow("game statistics") << "mnuGameStatistics" << "frmStatistics";
    QTest::newRow("players statistics") << "mnuPlayersStatistics" << "frmStatisOperat";
    QTest::newRow("all games statistics") << "mnuAllGamesStatistics" << "frmStatisGiochi";
    QTest::newRow("log statistics") << "mnuLogStatistics" << "frmStatisLog";
    QTest::newRow("select a game number") << "mnuSelect" << "frmSelectGameNumber";
}

void TstStatsDialogs::eachWindowOpensFromItsMenuItem()
{
    QFETCH(QString, item);
    QFETCH(QString, window);
    record(Freecell, "Player 1", "WL");
    auto* action = m_window->findChild<QAction*>(item);
    QVERIFY(action && action->isEnabled());
    onModal([&](QDialog& dialog) { QCOMPARE(dialog.objectName(), window); }, [&] { action->trigger(); });
    QVERIFY(m_window->gameInProgress()); // looked at, nothing changed
}

void TstStatsDialogs::aWonGameLeadsToTheGameWonDialog()
{
    m_harness.answers.gameWon = false;
    GameSession& session = m_window->session();
    const solver::Result solved = solver::solve(session.game(), session.automaticPlay(), {});
    QCOMPARE(solved.verdict, solver::Verdict::Won);
    for (const Move& move : solved.line)
        QVERIFY(session.play(move, MoveOrigin::Dragged));
    QVERIFY(session.game().won);
    onModal(
        [](QDialog& dialog) {
            QCOMPARE(dialog.objectName(), QStringLiteral("frmGameWon"));
            QCOMPARE(dialog.findChild<QGroupBox*>(QStringLiteral("grpTotal"))->title(),
                     QStringLiteral("Total [Freecell]"));
            // Made before any result was known, the dialog still shows the whole of each.
            auto* share = dialog.findChild<QLabel*>(QStringLiteral("lblWonPerCent"));
            QCOMPARE(share->text(), QStringLiteral("(100%)"));
            QVERIFY(share->width() >= share->sizeHint().width());
        },
        [] { QCoreApplication::processEvents(); });
    // Cancelled: the won table gives way to the background.
    QVERIFY(!m_window->table().gameOnTable());
}

QTEST_MAIN(TstStatsDialogs)
#include "tst_statsdialogs.moc"
