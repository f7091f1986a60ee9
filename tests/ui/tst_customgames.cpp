// Customized and favourite games from the windows: customizing the game on the table and playing
// the new one, refusing names, deleting a customized game from the rules dialog and the browser,
// the favourites dialog and the Game menu's list starting a favourite.

#include "MainWindowHarness.h"

#include "shell/GameFolders.h"
#include "shell/TfrmCustomizeRules.h"
#include "shell/TfrmFavorite.h"
#include "engine/Moves.h"
#include "stats/Statistics.h"
#include "stats/ui/StatsContext.h"
#include "storage/CustomGames.h"
#include "storage/CustomRules.h"
#include "storage/Favourites.h"
#include "tests/support/CatalogueFiles.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include <algorithm>
#include <fstream>

using namespace kst;
using kst::test::onModal;

namespace {

constexpr int Freecell = 1;
constexpr int Klondike = 2;

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

template <typename T>
T* childOf(QWidget& dialog, const char* name)
{
    T* found = dialog.findChild<T*>(QLatin1String(name));
    if (!found)
        qWarning("no %s", name);
    return found;
}

void typeInto(QWidget& dialog, const char* name, const QString& text)
{
    auto* box = dialog.findChild<QWidget*>(QLatin1String(name));
    QVERIFY(box);
    auto* edit = qobject_cast<QLineEdit*>(box);
    if (!edit)
        edit = box->findChild<QLineEdit*>();
    QVERIFY(edit);
    edit->setText(text);
}

// OK in the rules dialog, and the name given in the name dialog that follows.
void storeAs(QDialog& rules, const QString& name)
{
    onModal(
        [&name](QDialog& naming) {
            typeInto(naming, "edtName", name);
            naming.findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
        },
        [&rules] { childOf<QPushButton>(rules, "btnOK")->click(); });
}

QStringList menuCaptions(const QMenu* menu)
{
    QStringList captions;
    for (const QAction* action : menu->actions())
        captions << action->text();
    return captions;
}

} // namespace

class TstCustomGames : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_harness.prepare()); }
    void init();
    void cleanup() { m_window.reset(); }
    void customizeTheRunningGameAndPlayTheNewOne();
    void namesAreCheckedAndNoKeepsTheRunningGame();
    void aGameThatOffersNothingCannotBeCustomized();
    void deletingTheCustomizedGameOnTheTable();
    void deletingFromTheBrowser();
    void favouritesFromTheDialogToTheMenu();
    void aDamagedFileIsReportedOnceAndKept();
    void anAmpersandInAFavouriteIsShown();

private:
    bool startKlondike() { return m_window->startGame(Klondike, "Klondike", true); }
    // Runs the customize-rules dialog and hands it to `work`.
    void customize(const std::function<void(QDialog&)>& work)
    {
        onModal(work, [this] { action("mnuCustomizeRules")->trigger(); });
    }
    QAction* action(const char* name) { return m_window->findChild<QAction*>(QLatin1String(name)); }
    std::string customGamesPath() const { return m_harness.dataDir() + "/GAM_CUST.DAT"; }
    int currentGameId() { return int(numberOr(m_window->store().fnStoreGet(Fld::GameId), -1)); }
    std::vector<std::string> boxTexts() const { return m_harness.ports.messages.texts(); }

    test::MainWindowHarness m_harness;
    std::unique_ptr<TfrmMain> m_window;
};

void TstCustomGames::init()
{
    m_harness.reset();
    m_window = m_harness.openWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->firstActivation(); // the browser answers with Freecell
    if (m_window->autoPlay())
        m_window->toggleAutoPlay();
    m_window->store().fnStoreSet(Fld::ConfirmQuitGame, "N");
}

void TstCustomGames::customizeTheRunningGameAndPlayTheNewOne()
{
    QVERIFY(startKlondike());
    customize([this](QDialog& dialog) {
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Customize rules [Klondike]"));
        auto* ok = childOf<QPushButton>(dialog, "btnOK");
        QVERIFY(!ok->isEnabled()); // nothing changed yet
        QVERIFY(!childOf<QPushButton>(dialog, "btnDelete")->isEnabled());
        QVERIFY(childOf<QRadioButton>(dialog, "rbtRedealsUnlimited")->isChecked());
        QVERIFY(childOf<QRadioButton>(dialog, "rbKingOnly")->isChecked());

        typeInto(dialog, "edtCardsShuffeled", QStringLiteral("3"));
        QVERIFY(ok->isEnabled());
        childOf<QRadioButton>(dialog, "rbtRedealsSpecified")->click();
        typeInto(dialog, "edtRedealsNumber", QStringLiteral("2"));
        QCOMPARE(childOf<QLabel>(dialog, "lblTotDeals")->text(), QStringLiteral("(3 deals in all)"));
        childOf<QRadioButton>(dialog, "rbNone")->click();

        m_harness.ports.messages.queueAnswer(Answer::Yes); // start it now
        onModal(
            [](QDialog& name) {
                QCOMPARE(name.findChild<QLabel*>(QStringLiteral("lblGameName"))->text(), QStringLiteral("Klondike."));
                typeInto(name, "edtName", QStringLiteral("Klondike in threes"));
                name.findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
                QVERIFY(!name.isVisible());
            },
            [ok] { ok->click(); });
        QVERIFY(!dialog.isVisible());
    });

    QCOMPARE(boxTexts().back(), std::string("Do you want to start the new game\rKlondike in threes\r"
                                            "now and quit the current game?"));
    QCOMPARE(currentGameId(), kFirstCustomCode);
    QCOMPARE(m_window->store().fnStoreGet(Fld::Game_name), std::string("Klondike in threes"));
    const CustomGameBase record = fnCustomGameBase(customGamesPath(), kFirstCustomCode);
    QCOMPARE(record.baseGameId, Klondike);
    QCOMPARE(record.overrides, std::string("0030033"));

    // The new game plays by its rules: three cards a click, three deals, no card on an empty pile.
    const Game& game = m_window->session().game();
    QCOMPARE(int(game.rules[Rule::CardsPerStockClick]), 3);
    QCOMPARE(int(game.rules[Rule::Deals]), 3);
    QCOMPARE(int(game.rules[Rule::TableauEmptyRule + 6]), 0);
    const std::size_t stock = game.pile(Mazzo).size();
    QVERIFY(m_window->session().pressStock());
    QCOMPARE(game.pile(Mazzo).size(), stock - 3 * 3); // three cards of three characters
    QVERIFY(m_window->windowTitle().startsWith(QStringLiteral("Kestrane 2000 [Klondike in threes]  [")));

    // It is listed among the customized games; customizing it again starts from its values and
    // makes a new game of Klondike.
    QTreeWidgetItem* folder = m_window->gameBrowser().findNode(BrowserCode::Customized);
    folder->setExpanded(true);
    QCOMPARE(folder->child(0)->text(0), QStringLiteral("Klondike in threes"));
    customize([](QDialog& dialog) {
        QCOMPARE(dialog.findChild<NumberBox*>(QStringLiteral("edtCardsShuffeled"))->text(), QStringLiteral("3"));
        QVERIFY(childOf<QPushButton>(dialog, "btnDelete")->isEnabled());
        QVERIFY(childOf<QRadioButton>(dialog, "rbNone")->isChecked());
        childOf<QRadioButton>(dialog, "rbAnyCard")->click();
        storeAs(dialog, QStringLiteral("Open Klondike"));
    });
    QCOMPARE(fnCustomGameBase(customGamesPath(), 8001).baseGameId, Klondike);
    QCOMPARE(fnCustomGameBase(customGamesPath(), 8001).overrides, std::string("0030032"));
}

void TstCustomGames::namesAreCheckedAndNoKeepsTheRunningGame()
{
    QVERIFY(startKlondike());
    writeFile(customGamesPath(), test::customGamesFile({{8000, "Mine", Klondike, "0010013"}}));
    customize([this](QDialog& dialog) {
        childOf<QRadioButton>(dialog, "rbtRedealsNone")->click();
        QCOMPARE(childOf<QLabel>(dialog, "lblTotDeals")->text(), QStringLiteral("(1 deal in all)"));
        // A box that holds more than digits is refused at OK, on its page.
        typeInto(dialog, "edtCardsShuffeled", QStringLiteral("2x"));
        childOf<QPushButton>(dialog, "btnOK")->click();
        QCOMPARE(boxTexts().back(), std::string("Numbers only are required."));
        QVERIFY(dialog.isVisible());
        typeInto(dialog, "edtCardsShuffeled", QStringLiteral("2"));

        const struct {
            QString typed;
            const char* refusal;
        } names[] = {{QStringLiteral("ab"), "Please enter at least 3 characters."},
                     {QStringLiteral("KLONDIKE"), "This game name already exists."},
                     {QStringLiteral("mine "), "This game name already exists."},
                     {QStringLiteral("Snow \u2603"), "The name holds characters that cannot be stored."}};
        onModal(
            [&](QDialog& name) {
                for (const auto& n : names) {
                    typeInto(name, "edtName", n.typed);
                    name.findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
                    QVERIFY(name.isVisible());
                    QCOMPARE(boxTexts().back(), std::string(n.refusal));
                }
                typeInto(name, "edtName", QStringLiteral("  Two at a time  "));
                name.findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
            },
            [&dialog] { childOf<QPushButton>(dialog, "btnOK")->click(); });
    });
    // No to starting it: Klondike goes on, the new game waits in the browser.
    QCOMPARE(currentGameId(), Klondike);
    QVERIFY(m_window->gameInProgress());
    QCOMPARE(fnCustomGameName(customGamesPath(), 8001), std::string("Two at a time"));
    QCOMPARE(fnCustomGameBase(customGamesPath(), 8001).overrides, std::string("0020001"));

    // Cancel in the name dialog leaves the rules dialog open; Cancel there stores nothing.
    customize([](QDialog& dialog) {
        childOf<QRadioButton>(dialog, "rbNone")->click();
        onModal([](QDialog& name) { name.reject(); }, [&dialog] { childOf<QPushButton>(dialog, "btnOK")->click(); });
        QVERIFY(dialog.isVisible());
    });
    QCOMPARE(fnCustomGames(customGamesPath()).codes.size(), std::size_t(2));
}

void TstCustomGames::aGameThatOffersNothingCannotBeCustomized()
{
    const GameCatalogue& catalogue = m_window->statsContext().catalogue;
    int plain = -1;
    for (const CatalogueGame& game : catalogue.games())
        if (!customizeOffer(catalogue, game.gameId).any()) {
            plain = game.gameId;
            break;
        }
    QVERIFY(plain >= 0);
    QVERIFY(m_window->startGame(plain, catalogue.gameName(plain), true));
    customize([](QDialog& dialog) {
        for (const char* name : {"edtCardsShuffeled", "rbtRedealsUnlimited", "rbtRedealsSpecified", "rbtRedealsNone",
                                 "edtRedealsNumber", "rbAnyCard", "rbKingOnly", "rbNone"}) {
            auto* control = dialog.findChild<QWidget*>(QLatin1String(name));
            QVERIFY2(control && !control->isEnabled(), name);
        }
        for (const char* name : {"rbAnyCard", "rbKingOnly", "rbNone"})
            QVERIFY2(!childOf<QRadioButton>(dialog, name)->isChecked(), name);
        QVERIFY(!childOf<QPushButton>(dialog, "btnOK")->isEnabled());
    });
}

void TstCustomGames::deletingTheCustomizedGameOnTheTable()
{
    writeFile(customGamesPath(), test::customGamesFile({{8000, "Mine", Klondike, "0030013"}}));
    m_window->config().writeText("Favourite Games", "Game000", "Mine");
    QVERIFY(m_window->startGame(8000, "Mine", true));
    m_window->session().play(legalMoves(m_window->session().game()).front(), MoveOrigin::Clicked);

    // Declined: nothing goes. Agreed: the game leaves the table, and the browser asks for the next
    // (its standing answer starts a catalogue game).
    customize([this](QDialog& dialog) {
        childOf<QPushButton>(dialog, "btnDelete")->click();
        QVERIFY(dialog.isVisible());
        QCOMPARE(boxTexts().back(), std::string("Are you sure you want to delete this customized game\rMine?\r"
                                                "Note: the statistics for this game will also be deleted."));
        m_harness.ports.messages.queueAnswer(Answer::Yes);
        childOf<QPushButton>(dialog, "btnDelete")->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(currentGameId(), -1);
        QVERIFY(!m_window->session().hasGame());
        QVERIFY(!action("mnuNew")->isEnabled());
    });
    QVERIFY(currentGameId() >= 0 && currentGameId() < kFirstCustomCode);
    QCOMPARE(fnCustomGames(customGamesPath()).codes.size(), std::size_t(0));
    QVERIFY(readFavourites(m_window->config()).empty());
    QVERIFY(!m_window->findChild<QMenu*>(QStringLiteral("mnuFavoritesList")));
    // The game it left was recorded, then cleared with the rest.
    StatsContext& stats = m_window->statsContext();
    QCOMPARE(fnReadStatistics(stats.files, stats.store, 8000, stats.store.fnStoreGet(Fld::UserDefault)).record.lost,
             0LL);

    // The next game gets the code again.
    QVERIFY(startKlondike());
    customize([](QDialog& dialog) {
        childOf<QRadioButton>(dialog, "rbNone")->click();
        storeAs(dialog, QStringLiteral("Mine again"));
    });
    QCOMPARE(fnCustomGameCode(customGamesPath(), "Mine again"), kFirstCustomCode);
}

void TstCustomGames::deletingFromTheBrowser()
{
    writeFile(customGamesPath(),
              test::customGamesFile({{8000, "Mine", Klondike, "0030013"}, {8001, "Other", Freecell, "0010010"}}));
    QVERIFY(m_window->startGame(8000, "Mine", true));
    TfrmOpenGame& browser = m_window->gameBrowser();
    browser.show();
    browser.rebuildCustomized();
    const auto deleteSelected = [&](int code) {
        browser.selectGame(code, BrowserCode::Customized);
        QTest::keyClick(browser.findChild<QTreeWidget*>(QStringLiteral("trvGames")), Qt::Key_Delete);
    };
    m_harness.ports.messages.queueAnswer(Answer::Yes);
    deleteSelected(8001);
    QCOMPARE(boxTexts().back(), std::string("Are you sure you want to delete this customized game\rOther?\r"
                                            "Note: the statistics for this game will also be deleted."));
    QCOMPARE(currentGameId(), 8000); // another game: the table stays
    QCOMPARE(fnCustomGames(customGamesPath()).codes, std::vector<int>{8000});

    m_harness.ports.messages.queueAnswer(Answer::No);
    deleteSelected(8000);
    QCOMPARE(boxTexts().back(), std::string("You are now playing Mine.\rAre you sure you want to delete this game?\r"
                                            "Note: the statistics for this game will also be deleted."));
    QCOMPARE(currentGameId(), 8000);
    m_harness.ports.messages.queueAnswer(Answer::Yes);
    deleteSelected(8000);
    QCOMPARE(currentGameId(), -1);
    QTreeWidgetItem* folder = browser.findNode(BrowserCode::Customized);
    QCOMPARE(folder->child(0)->text(0), QStringLiteral("(How to customize a game)"));
    browser.hide();
}

void TstCustomGames::favouritesFromTheDialogToTheMenu()
{
    writeFile(customGamesPath(), test::customGamesFile({{8000, "My Klondike", Klondike, "0030013"}}));
    // Stored out of order, with a game that is gone.
    m_window->config().writeText("Favourite Games", "Game000", "Spider");
    m_window->config().writeText("Favourite Games", "Game001", "Deleted long ago");
    m_window->config().writeText("Favourite Games", "Game002", "canfield");
    m_window->rebuildFavouritesMenu();
    auto* list = m_window->findChild<QMenu*>(QStringLiteral("mnuFavoritesList"));
    QVERIFY(list);
    QCOMPARE(menuCaptions(list), (QStringList{QStringLiteral("Spider"), QStringLiteral("Canfield")}));

    onModal(
        [](QDialog& dialog) {
            auto& favourites = static_cast<TfrmFavorite&>(dialog);
            QCOMPARE(favourites.favourites(), (QStringList{QStringLiteral("Canfield"), QStringLiteral("Spider")}));
            QVERIFY(!favourites.allGames().contains(QStringLiteral("Spider")));
            QVERIFY(favourites.allGames().contains(QStringLiteral("My Klondike")));
            auto* all = childOf<QListWidget>(dialog, "lbAll");
            for (const char* name : {"Freecell", "My Klondike"})
                all->findItems(QLatin1String(name), Qt::MatchExactly).front()->setSelected(true);
            childOf<QPushButton>(dialog, "btnAdd")->click();
            // A double click moves a favourite back.
            auto* chosen = childOf<QListWidget>(dialog, "lbSelected");
            QListWidgetItem* spider = chosen->findItems(QStringLiteral("Spider"), Qt::MatchExactly).front();
            chosen->clearSelection();
            spider->setSelected(true);
            emit chosen->itemDoubleClicked(spider);
            QCOMPARE(favourites.favourites(), (QStringList{QStringLiteral("Canfield"), QStringLiteral("Freecell"),
                                                           QStringLiteral("My Klondike")}));
            QVERIFY(favourites.allGames().contains(QStringLiteral("Spider")));
            childOf<QPushButton>(dialog, "btnOK")->click();
        },
        [this] { action("mnuFavoriteGames")->trigger(); });
    QCOMPARE(readFavourites(m_window->config()), (std::vector<std::string>{"Canfield", "Freecell", "My Klondike"}));
    list = m_window->findChild<QMenu*>(QStringLiteral("mnuFavoritesList"));
    QCOMPARE(menuCaptions(list),
             (QStringList{QStringLiteral("Canfield"), QStringLiteral("Freecell"), QStringLiteral("My Klondike")}));
    QTreeWidgetItem* folder = m_window->gameBrowser().findNode(BrowserCode::Favourites);
    folder->setExpanded(true);
    QCOMPARE(folder->childCount(), 3);

    // One click starts a favourite, remembered as the game to open next time; leaving the game in
    // progress is asked first.
    m_window->store().fnStoreSet(Fld::ConfirmQuitGame, "Y");
    list->actions().at(2)->trigger();
    QCOMPARE(boxTexts().back(), std::string("Quit this game?"));
    QCOMPARE(currentGameId(), Freecell);
    m_harness.ports.messages.queueAnswer(Answer::Ok);
    list->actions().at(2)->trigger();
    QCOMPARE(currentGameId(), 8000);
    QCOMPARE(m_window->config().readText("Preference", "Game_TreeNum", ""), std::string("-30"));
    QCOMPARE(m_window->config().readText("Preference", "Game_Name", ""), std::string("My Klondike"));

    // Removing them all takes the list and its separator out of the menu.
    const int items = int(m_window->findChild<QMenu*>(QStringLiteral("mnuGameMenu"))->actions().size());
    onModal(
        [](QDialog& dialog) {
            childOf<QPushButton>(dialog, "btnRemoveAll")->click();
            QVERIFY(static_cast<TfrmFavorite&>(dialog).favourites().isEmpty());
            childOf<QPushButton>(dialog, "btnOK")->click();
        },
        [this] { action("popFavoriteGames")->trigger(); });
    QVERIFY(!m_window->findChild<QMenu*>(QStringLiteral("mnuFavoritesList")));
    QCOMPARE(int(m_window->findChild<QMenu*>(QStringLiteral("mnuGameMenu"))->actions().size()), items - 2);
    QCOMPARE(folder->child(0)->text(0), QStringLiteral("(Double click to customize)"));
}

void TstCustomGames::aDamagedFileIsReportedOnceAndKept()
{
    const std::string damaged = test::customGamesFile({{8000, "Good", Klondike, "0030013"}}) + "XXXXBroken\r\n";
    m_window.reset();
    m_harness.reset();
    writeFile(customGamesPath(), damaged);
    m_window = m_harness.openWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->firstActivation();
    const std::string report = "Damaged customized games in GAM_CUST.DAT were left out (at line 32).";
    m_window->gameBrowser().rebuildCustomized();
    m_window->openGameBrowser();
    const std::vector<std::string> texts = boxTexts();
    QCOMPARE(std::count(texts.begin(), texts.end(), report), 1L);
    std::ifstream in(customGamesPath(), std::ios::binary);
    QCOMPARE(std::string(std::istreambuf_iterator<char>(in), {}), damaged);
}

void TstCustomGames::anAmpersandInAFavouriteIsShown()
{
    writeFile(customGamesPath(), test::customGamesFile({{8000, "Fish & Chips", Klondike, "0030013"}}));
    m_window->config().writeText("Favourite Games", "Game000", "Fish & Chips");
    m_window->rebuildFavouritesMenu();
    QAction* item = m_window->findChild<QMenu*>(QStringLiteral("mnuFavoritesList"))->actions().front();
    QCOMPARE(item->text(), QStringLiteral("Fish && Chips")); // drawn as "Fish & Chips", no mnemonic
    item->trigger();
    QCOMPARE(currentGameId(), 8000);
}

KST_UI_TEST_MAIN(TstCustomGames)
#include "tst_customgames.moc"
