// The game browser: every catalogue game in every folder it belongs to, the placeholders, the
// description of catalogue and customized games, the folder remembered for the next run, and
// choosing a game by typing its name or with the keys of the tree alone.

#include "MainWindowHarness.h"

#include "shell/GameFolders.h"
#include "shell/HelpWindow.h"
#include "stats/ui/StatsContext.h"
#include "tests/support/CatalogueFiles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextBrowser>
#include <QTreeWidget>

#include <algorithm>
#include <fstream>
#include <set>

using namespace kst;
using kst::test::onModal;

namespace {

constexpr int Freecell = 1;
constexpr int Klondike = 2;
constexpr int Spider = 6;

std::vector<int> childCodes(const QTreeWidgetItem* folder)
{
    std::vector<int> codes;
    for (int i = 0; i < folder->childCount(); ++i)
        codes.push_back(folder->child(i)->data(0, Qt::UserRole).toInt());
    return codes;
}

QStringList childCaptions(const QTreeWidgetItem* folder)
{
    QStringList captions;
    for (int i = 0; i < folder->childCount(); ++i)
        captions << folder->child(i)->text(0);
    return captions;
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace

class TstGameBrowser : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_harness.prepare()); }
    void init();
    void cleanup() { m_window.reset(); }
    void everyGameIsInEveryFolderItBelongsTo();
    void placeholdersFavouritesAndCustomizedGames();
    void descriptions_data();
    void descriptions();
    void theBrowserDescribesAndPreviewsTheSelectedGame();
    void theChosenFolderOpensAtTheNextRun();
    void typingPartOfANameFindsAndStartsTheGame();
    void theTreeAloneChoosesAGameWithTheKeyboard();
    void okWantsAGameAndCancelAtTheStartLeavesNoGame();

private:
    TfrmOpenGame& browser() { return m_window->gameBrowser(); }
    template <typename T>
    T* child(const char* name)
    {
        return browser().findChild<T*>(QLatin1String(name));
    }
    QString text(const char* label) { return child<QLabel>(label)->text(); }
    std::string customGamesPath() const { return m_harness.dataDir() + "/GAM_CUST.DAT"; }

    test::MainWindowHarness m_harness;
    std::unique_ptr<TfrmMain> m_window;
};

void TstGameBrowser::init()
{
    m_harness.reset();
    m_harness.answers.browser = false;
    m_window = m_harness.openWindow();
}

void TstGameBrowser::everyGameIsInEveryFolderItBelongsTo()
{
    browser().show();
    const GameCatalogue& catalogue = m_window->statsContext().catalogue;
    QVERIFY(catalogue.games().size() > 50);
    std::map<int, int> foldersOfGame;
    for (const BrowserFolder& folder : browserFolders()) {
        if (folder.content == FolderContent::Fixed || folder.content == FolderContent::Favourites
            || folder.content == FolderContent::Customized)
            continue;
        QTreeWidgetItem* node = browser().findNode(folder.code);
        QVERIFY(node);
        node->setExpanded(true);
        node->setExpanded(false);
        node->setExpanded(true); // expanding again adds nothing
        const std::vector<int> listed = childCodes(node);

        std::vector<int> expected;
        for (const CatalogueGame& game : catalogue.games()) {
            const auto list = catalogue.gameList(folder.list);
            const int value = catalogue.readRuleValues(game.gameId, {folder.rule == 0 ? 1 : folder.rule}).values[0];
            const bool belongs = folder.content == FolderContent::All
                || (folder.content == FolderContent::New && game.isNew)
                || (folder.content == FolderContent::Category && game.category == folder.category)
                || (folder.content == FolderContent::RuleValue && value == folder.value)
                || (folder.content == FolderContent::List && std::count(list.begin(), list.end(), game.gameId) > 0);
            if (belongs)
                expected.push_back(game.gameId);
        }
        std::vector<int> sorted = listed;
        std::sort(sorted.begin(), sorted.end());
        QVERIFY2(sorted == expected, folder.caption);
        QVERIFY2(std::set<int>(listed.begin(), listed.end()).size() == listed.size(), folder.caption);
        // Shown by name.
        const QStringList captions = childCaptions(node);
        for (int i = 1; i < captions.size(); ++i)
            QVERIFY2(captions[i - 1].compare(captions[i], Qt::CaseInsensitive) <= 0, qPrintable(captions[i]));
        for (const int id : listed)
            ++foldersOfGame[id];
    }
    // All games, a type and the four groups at least: no game falls out of a group.
    for (const CatalogueGame& game : catalogue.games())
        QVERIFY2(foldersOfGame[game.gameId] >= 6, game.name.c_str());
    // A few the catalogue is known for.
    QVERIFY(childCaptions(browser().findNode(BrowserCode::Selected)).contains(QStringLiteral("Freecell")));
    QVERIFY(childCaptions(browser().findNode(-202050)).contains(QStringLiteral("Spider")));
    QVERIFY(browser().findNode(BrowserCode::NewGames)->text(0).endsWith(QStringLiteral(" (vers.4.3)")));
}

void TstGameBrowser::placeholdersFavouritesAndCustomizedGames()
{
    browser().show();
    QTreeWidgetItem* customized = browser().findNode(BrowserCode::Customized);
    QTreeWidgetItem* favourites = browser().findNode(BrowserCode::Favourites);
    customized->setExpanded(true);
    favourites->setExpanded(true);
    QCOMPARE(childCaptions(customized), QStringList{QStringLiteral("(How to customize a game)")});
    QCOMPARE(childCaptions(favourites), QStringList{QStringLiteral("(Double click to customize)")});
    auto* tree = child<QTreeWidget>("trvGames");
    emit tree->itemDoubleClicked(customized->child(0), 0);
    QCOMPARE(m_harness.ports.messages.shown().size(), std::size_t(1));
    QVERIFY(m_harness.ports.messages.shown().back().text.starts_with("To customize a game:\r"));
    // Nothing to choose among the placeholders.
    tree->setCurrentItem(favourites->child(0));
    QVERIFY(!child<QPushButton>("btnOK")->isEnabled());

    // A customized game, and favourites naming it, a catalogue game and a game that is gone.
    writeFile(customGamesPath(), test::customGamesFile({{8000, "My Klondike", Klondike, "001-013"}}));
    for (const auto& [key, name] : {std::pair{"Game000", "klondike"}, {"Game001", "No such game"},
                                    {"Game002", "My Klondike"}})
        m_window->config().writeText("Favourite Games", key, name);
    browser().rebuildCustomized();
    browser().rebuildFavourites();
    QCOMPARE(childCaptions(customized), QStringList{QStringLiteral("My Klondike")});
    QCOMPARE(childCaptions(favourites), (QStringList{QStringLiteral("Klondike"), QStringLiteral("My Klondike")}));
    QCOMPARE(childCodes(favourites), (std::vector<int>{Klondike, 8000}));
    QVERIFY(m_harness.ports.messages.shown().size() == 1); // a favourite that is gone goes quietly
}

void TstGameBrowser::descriptions_data()
{
    QTest::addColumn<int>("deckSize");
    QTest::addColumn<int>("deals");
    QTest::addColumn<QVector<int>>("browserValues"); // time, difficulty, skill, chance, odds won, odds played
    QTest::addColumn<QStringList>("expected");        // time, difficulty, chance, skill, decks, redeals

    QTest::newRow("two decks, unlimited redeals, odds")
        << 104 << -1 << QVector<int>{2, 0, 4, 1, 82, 96}
        << QStringList{"Quick", "Easy", "High (about 82 in 96)", "Chance only", "2", "Unlimited"};
    QTest::newRow("a deck and a half counts one, no deals")
        << 78 << 0 << QVector<int>{0, 2, 0, 4, 0, 0} << QStringList{"Long", "Hard", "Very low", "Difficult", "1", "0"};
    QTest::newRow("three deals are two redeals")
        << 52 << 3 << QVector<int>{1, 1, 2, 2, 5, 0} << QStringList{"Medium", "Medium", "Medium", "Moderate", "1", "2"};
    QTest::newRow("values out of range read as nothing")
        << 52 << 1 << QVector<int>{7, -1, 9, 5, 0, 0} << QStringList{"", "", "", "", "1", "0"};
}

void TstGameBrowser::descriptions()
{
    QFETCH(int, deckSize);
    QFETCH(int, deals);
    QFETCH(QVector<int>, browserValues);
    QFETCH(QStringList, expected);
    const std::vector<test::TestGame> games = {{5, 1, "Alpha"}, {8, 2, "Beta"}};
    const std::string folder = m_harness.dataDir();
    writeFile(folder + "/GAMES.DAT", test::joinLines(test::catalogueLines(games, [&](int index, int column) {
                  if (column == 1)
                      return index == Rule::DeckSize ? 52 : 0;
                  switch (index) {
                  case Rule::DeckSize: return deckSize;
                  case Rule::Deals: return deals;
                  case Rule::BrowserTime: return browserValues[0];
                  case Rule::BrowserDifficulty: return browserValues[1];
                  case Rule::BrowserSkill: return browserValues[2];
                  case Rule::BrowserChance: return browserValues[3];
                  case Rule::OddsWon: return browserValues[4];
                  case Rule::OddsPlayed: return browserValues[5];
                  default: return 0;
                  }
              })));
    GameCatalogue catalogue(customGamesPath());
    QVERIFY(catalogue.load(folder + "/GAMES.DAT").ok);
    writeFile(customGamesPath(), test::customGamesFile({{8003, "Own Alpha", 1, "003-01 "}}));
    ProfileFile config(folder + "/CFG.DAT");
    const GameFolders folders(catalogue, customGamesPath(), config);

    GameDescription description;
    QVERIFY(folders.describe(1, description));
    const QStringList shown{QString::fromStdString(description.time), QString::fromStdString(description.difficulty),
                            QString::fromStdString(description.chance), QString::fromStdString(description.skill),
                            QString::number(description.decks), QString::fromStdString(description.redeals)};
    QCOMPARE(shown, expected);
    QCOMPARE(description.previewGame, 1);

    // The customized game: its own deals, the base game's decks and preview, no catalogue texts.
    QVERIFY(folders.describe(8003, description));
    QCOMPARE(description.name, std::string("Own Alpha"));
    for (const std::string* text : {&description.time, &description.difficulty, &description.chance, &description.skill})
        QCOMPARE(*text, std::string("Customized game"));
    QCOMPARE(description.chancePicture, std::string("PROG_DISABLED"));
    QCOMPARE(description.redeals, std::string("Unlimited"));
    QCOMPARE(QString::number(description.decks), expected[4]);
    QCOMPARE(description.previewGame, 1);
    QVERIFY(!folders.describe(3, description));
    QVERIFY(!folders.describe(8004, description));
}

void TstGameBrowser::theBrowserDescribesAndPreviewsTheSelectedGame()
{
    browser().show();
    QVERIFY(browser().selectGame(Spider));
    QCOMPARE(text("lblGameName"), QStringLiteral("Spider"));
    QCOMPARE(text("lblDecks"), QStringLiteral("2"));
    QVERIFY(child<QLabel>("imgPreview")->isVisible());
    QVERIFY(browser().selectGame(Freecell));
    QCOMPARE(text("lblChance"), QStringLiteral("Very high (about 100 in 100)"));
    // The game's picture on the green box; without Preview the green alone.
    const auto lightPixels = [this] {
        const QImage shown = child<QLabel>("imgPreview")->pixmap().toImage();
        int white = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                white += qRed(shown.pixel(x, y)) > 230 && qGreen(shown.pixel(x, y)) > 230 ? 1 : 0;
        return white;
    };
    QVERIFY(lightPixels() > 1000);
    child<QCheckBox>("chkPreview")->setChecked(false);
    QCOMPARE(lightPixels(), 0);
    child<QCheckBox>("chkPreview")->setChecked(true);
    QVERIFY(!child<QLabel>("lblChance")->parentWidget()->isHidden());

    // A folder hides the description and offers no game commands.
    child<QTreeWidget>("trvGames")->setCurrentItem(browser().findNode(BrowserCode::GameTypes));
    QVERIFY(child<QLabel>("lblChance")->parentWidget()->isHidden());
    QVERIFY(!child<QPushButton>("btnRules")->isEnabled());
    QVERIFY(!child<QCheckBox>("chkPreview")->isEnabled());

    // The statistics of the selected game, for the player chosen.
    QVERIFY(browser().selectGame(Spider));
    onModal(
        [](QDialog& statistics) {
            QCOMPARE(statistics.objectName(), QStringLiteral("frmStatistics"));
            QCOMPARE(statistics.findChild<QComboBox*>(QStringLiteral("cboGames"))->currentText(), QStringLiteral("Spider"));
            QCOMPARE(statistics.findChild<QComboBox*>(QStringLiteral("cboPlayers"))->currentText(),
                     QStringLiteral("Player 1"));
        },
        [&] { child<QPushButton>("btnStatistics")->click(); });

    // The rules of the selected game, in the help window (beside the browser, which is shown here
    // without waiting for an answer).
    QVERIFY(browser().selectGame(Klondike));
    child<QPushButton>("btnRules")->click();
    HelpWindow* rules = m_window->helpWindow();
    QVERIFY(rules && rules->isVisible());
    QCOMPARE(rules->windowTitle(), QStringLiteral("Klondike - Kestrane 2000 Help"));
    QVERIFY(rules->pageText().contains(QStringLiteral("Aim:")));
    rules->close();
}

void TstGameBrowser::theChosenFolderOpensAtTheNextRun()
{
    constexpr int Hard = -204030;
    browser().show();
    QTreeWidgetItem* hard = browser().findNode(Hard);
    hard->setExpanded(true);
    QVERIFY(hard->childCount() > 1);
    const int chosen = hard->child(1)->data(0, Qt::UserRole).toInt();
    child<QCheckBox>("chkPreview")->setChecked(false);
    child<QTreeWidget>("trvGames")->setCurrentItem(hard->child(1));
    browser().confirm();
    QVERIFY(!browser().isVisible());
    QCOMPARE(m_window->config().readNumber("Preference", "Game_TreeNum", 0), long(Hard));
    QCOMPARE(m_window->config().readNumber("Preference", "Game", 0), long(chosen));
    QCOMPARE(m_window->config().readText("Preference", "Open_Preview_Game", ""), std::string("N"));

    // The next run: the same folder, open, with that game selected.
    m_window.reset();
    m_window = m_harness.openWindow();
    browser().show();
    QTreeWidgetItem* current = child<QTreeWidget>("trvGames")->currentItem();
    QVERIFY(current);
    QCOMPARE(current->data(0, Qt::UserRole).toInt(), chosen);
    QCOMPARE(current->parent()->data(0, Qt::UserRole).toInt(), Hard);
    QVERIFY(!child<QCheckBox>("chkPreview")->isChecked());
}

void TstGameBrowser::typingPartOfANameFindsAndStartsTheGame()
{
    onModal(
        [this](QDialog&) {
            // Typed into the tree, the letters go to the search box.
            QTest::keyClicks(child<QTreeWidget>("trvGames"), QStringLiteral("SPIDER"));
            auto* found = child<QListWidget>("lstFound");
            QVERIFY(found->isVisible());
            QVERIFY(found->count() >= 3);
            for (int i = 0; i < found->count(); ++i)
                QVERIFY(found->item(i)->text().contains(QStringLiteral("Spider"), Qt::CaseInsensitive));
            QCOMPARE(text("lblGameName"), found->item(0)->text());
            auto* search = child<QLineEdit>("edtSearch");
            QTest::keyClick(search, Qt::Key_Down);
            QCOMPARE(found->currentRow(), 1);
            QCOMPARE(text("lblGameName"), found->item(1)->text());
            QTest::keyClick(search, Qt::Key_Return);
        },
        [this] { m_window->firstActivation(); });
    QVERIFY(m_window->gameInProgress());
    const std::string started = m_window->store().fnStoreGet(Fld::Game_name);
    QVERIFY(QString::fromStdString(started).contains(QStringLiteral("Spider")));
    QCOMPARE(m_window->config().readNumber("Preference", "Game_TreeNum", 0), long(BrowserCode::AllGames));

    // Escape empties the search before it closes the browser.
    onModal(
        [this](QDialog& dialog) {
            auto* search = child<QLineEdit>("edtSearch");
            search->setFocus();
            QTest::keyClicks(search, QStringLiteral("zzz"));
            QCOMPARE(child<QListWidget>("lstFound")->count(), 1); // saying that nothing was found
            QVERIFY(browser().selectedCode() < 0);
            QTest::keyClick(search, Qt::Key_Escape);
            QVERIFY(dialog.isVisible());
            QVERIFY(child<QTreeWidget>("trvGames")->isVisible());
            QTest::keyClick(search, Qt::Key_Escape);
            QVERIFY(!dialog.isVisible());
        },
        [this] { m_window->openGameBrowser(); });
    QVERIFY(m_window->gameInProgress());
}

void TstGameBrowser::theTreeAloneChoosesAGameWithTheKeyboard()
{
    QString expected;
    onModal(
        [&](QDialog& dialog) {
            auto* tree = child<QTreeWidget>("trvGames");
            QCOMPARE(dialog.focusWidget(), tree);
            // The first run selects the saved game (Freecell) in All games.
            QCOMPARE(tree->currentItem()->text(0), QStringLiteral("Freecell"));
            QTest::keyClick(tree, Qt::Key_Left); // to its folder
            QCOMPARE(tree->currentItem()->data(0, Qt::UserRole).toInt(), BrowserCode::AllGames);
            QTest::keyClick(tree, Qt::Key_Left); // closed
            QVERIFY(!tree->currentItem()->isExpanded());
            QTest::keyClick(tree, Qt::Key_Right); // open again
            QTest::keyClick(tree, Qt::Key_Down);
            QTest::keyClick(tree, Qt::Key_Down);
            expected = tree->currentItem()->text(0);
            QCOMPARE(tree->currentItem()->parent()->data(0, Qt::UserRole).toInt(), BrowserCode::AllGames);
            QTest::keyClick(tree, Qt::Key_Return);
        },
        [this] { m_window->firstActivation(); });
    QVERIFY(m_window->gameInProgress());
    QCOMPARE(QString::fromStdString(m_window->store().fnStoreGet(Fld::Game_name)), expected);
}

void TstGameBrowser::okWantsAGameAndCancelAtTheStartLeavesNoGame()
{
    onModal(
        [this](QDialog& dialog) {
            child<QTreeWidget>("trvGames")->setCurrentItem(browser().findNode(BrowserCode::FoldersList));
            browser().confirm();
            QVERIFY(dialog.isVisible());
            QCOMPARE(m_harness.ports.messages.shown().back().text, std::string("Open a game"));
            QTest::keyClick(&dialog, Qt::Key_Escape);
        },
        [this] { m_window->firstActivation(); });
    QVERIFY(!m_window->gameInProgress());
    QVERIFY(!m_window->findChild<QAction*>(QStringLiteral("mnuNew"))->isEnabled());
    QVERIFY(!m_window->session().hasGame());
}

QTEST_MAIN(TstGameBrowser)
#include "tst_gamebrowser.moc"
