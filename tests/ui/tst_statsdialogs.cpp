// The statistics dialogs opened from their menu items on recorded data: the hi-scores with the
// congratulation after a result that made the table, the overall score with a player's details,
// and the players dialog adding, renaming and selecting players.

#include "MainWindowHarness.h"

#include "stats/HiScores.h"
#include "stats/OverallScore.h"
#include "stats/Statistics.h"
#include "stats/ui/StatsContext.h"
#include "stats/ui/TfrmOperatori.h"
#include "platform/qt/QtGraphics.h"

#include <QDialog>
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

private:
    void trigger(const char* name) { m_window->findChild<QAction*>(QLatin1String(name))->trigger(); }
    QImage libraryPicture(const char* name)
    {
        const std::unique_ptr<Bitmap> bitmap = m_window->ports().resources.bitmap(name);
        return bitmap ? pixmapOf(*bitmap).toImage() : QImage();
    }
    StatsFiles& files() { return m_window->statsContext().files; }

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

QTEST_MAIN(TstStatsDialogs)
#include "tst_statsdialogs.moc"
