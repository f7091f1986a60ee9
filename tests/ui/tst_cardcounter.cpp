// The card counter window: opened and closed from the main window, following every deal, move,
// undo and redo, sized for the game's deck, its switches, and its place and switches kept from
// one run to the next.

#include "MainWindowHarness.h"

#include "engine/Moves.h"
#include "platform/qt/QtGraphics.h"
#include "table/ui/TfrmCardCounter.h"

#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>

#include <algorithm>

using namespace kst;

namespace {

constexpr int Klondike = 2, FortyThieves = 7;

// The slot grid as the player sees it: rows of 18 pixels from y 3, the Ace at x 16, each rank 14
// pixels further.
QPoint slotOf(int card) { return {rank(card) * 14 + 2, (card - 1) / 13 * 18 + 3}; }

std::string slotPicture(int card, CounterMark mark)
{
    if (mark == CounterMark::None)
        return "Card_None";
    return "Card_" + std::to_string(rank(card)) + (mark == CounterMark::Up ? "_Up" : "_Down");
}

} // namespace

class TstCardCounter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_harness.prepare()); }
    void init();
    void f8OpensTheCounterAndItFollowsTheGame();
    void theWindowIsSizedForTheDeck();
    void closingTheWindowUnchecksTheCommands();
    void theOptions_data();
    void theOptions();
    void aSavedPlace_data();
    void aSavedPlace();
    void placeAndSwitchesSurviveARestart();

private:
    // A shown main window playing the game's deal, cards moving at once, automatic play off.
    TfrmMain& play(int gameId, const char* name);
    // Shown and brought through its first activation, without a game of its own choosing.
    void showAndActivate();
    TfrmCardCounter& counter() const { return *m_window->findChild<TfrmCardCounter*>("frmCardCounter"); }
    QAction* action(const char* name) const { return m_window->findChild<QAction*>(QLatin1String(name)); }
    QAction* option(const char* name) const { return counter().findChild<QAction*>(QLatin1String(name)); }
    std::string preference(const char* key) const { return m_window->config().readText("Preference", key, ""); }
    // What the counter shows at the card's slot is the library's picture for the mark.
    bool slotShows(int card, CounterMark mark) const;

    test::MainWindowHarness m_harness;
    std::unique_ptr<TfrmMain> m_window;
};

void TstCardCounter::init()
{
    m_window.reset();
    m_harness.reset();
}

void TstCardCounter::showAndActivate()
{
    m_window->setWindowState(Qt::WindowNoState);
    m_window->resize(1016, 740);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->firstActivation();
}

TfrmMain& TstCardCounter::play(int gameId, const char* name)
{
    m_window = m_harness.playFreecell();
    [&] { QVERIFY(m_window); }();
    for (const Field animation : {Fld::Cards_Animate, Fld::Redeal_Animation, Fld::Deal_Animation})
        m_window->store().fnStoreSet(animation, "N");
    m_window->store().fnStoreSet(Fld::GameNumber, "0000000000042");
    m_harness.ports.messages.queueAnswer(Answer::Ok); // leave the Freecell deal
    [&] { QVERIFY(m_window->startGame(gameId, name, false)); }();
    return *m_window;
}

bool TstCardCounter::slotShows(int card, CounterMark mark) const
{
    const std::unique_ptr<Bitmap> bitmap = m_window->ports().resources.bitmap(slotPicture(card, mark));
    if (!bitmap)
        return false;
    const QPixmap picture = pixmapOf(*bitmap);
    QImage expected(picture.size(), QImage::Format_RGB32);
    expected.fill(counter().palette().color(QPalette::Window));
    QPainter(&expected).drawPixmap(0, 0, picture);
    return counter().picture().copy(QRect(slotOf(card), picture.size())) == expected;
}

void TstCardCounter::f8OpensTheCounterAndItFollowsTheGame()
{
    TfrmMain& window = play(Klondike, "Klondike");
    GameSession& session = window.session();
    const Game& game = session.game();
    TfrmCardCounter& shown = counter();
    QVERIFY(!shown.isVisible());
    // F8 reaches the menu bar's item while the main window is the active one.
    window.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &window);
    QTest::keyClick(&window, Qt::Key_F8);
    QVERIFY(shown.isVisible());
    QVERIFY(action("mnuCardCounter")->isChecked());
    QVERIFY(action("popCardCounter")->isChecked());
    QCOMPARE(shown.windowTitle(), QStringLiteral("Card counter"));
    QVERIFY(shown.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(shown.marks() == countCards(game, CounterWatch::Both, false));

    // The stock's top card goes to the waste and comes back with undo, and again with redo.
    const int card = topCard(game.pile(Mazzo));
    QVERIFY(slotShows(card, CounterMark::Down));
    QVERIFY(session.pressStock());
    QVERIFY(slotShows(card, CounterMark::Up));
    QVERIFY(session.undo());
    QVERIFY(slotShows(card, CounterMark::Down));
    QVERIFY(session.redo());
    QVERIFY(slotShows(card, CounterMark::Up));

    // Through the stock and over a redeal: the waste turned over lies down again; the undo of the
    // redeal shows the whole waste as it was.
    while (!game.pile(Mazzo).empty())
        QVERIFY(session.pressStock());
    const std::vector<CounterMark> beforeRedeal = shown.marks();
    QVERIFY(session.pressStock());
    QCOMPARE(game.pile(Mazzo_Vis), std::string());
    QVERIFY(slotShows(card, CounterMark::Down));
    QVERIFY(shown.marks() == countCards(game, CounterWatch::Both, false));
    QVERIFY(session.undo());
    QVERIFY(shown.marks() == beforeRedeal);
    QVERIFY(slotShows(card, CounterMark::Up));

    // A move from the tableau: the card it uncovers shows as the pile now shows it.
    const std::vector<Move> moves = legalMoves(game);
    const auto fromTableau = std::find_if(moves.begin(), moves.end(), [&](const Move& m) {
        return m.kind == MoveKind::Drop && m.from.group == PileGroup::Fila && findCard(game.pile(m.from), m.card) >= 1;
    });
    QVERIFY(fromTableau != moves.end());
    const std::string& pile = game.pile(fromTableau->from);
    const int below = cardAt(pile, findCard(pile, fromTableau->card) - 1);
    QVERIFY(session.play(*fromTableau, MoveOrigin::Dragged));
    QVERIFY(slotShows(below, game.cards.deck.isFaceDown(below) ? CounterMark::Down : CounterMark::Up));
    QVERIFY(shown.marks() == countCards(game, CounterWatch::Both, false));
}

void TstCardCounter::theWindowIsSizedForTheDeck()
{
    // One deck: four rows of slots; two decks: eight, 73 pixels more, as the designed heights say.
    TfrmMain& window = play(Klondike, "Klondike");
    window.findChild<QAction*>("mnuCardCounter")->trigger();
    TfrmCardCounter& shown = counter();
    auto* picture = shown.findChild<QLabel*>("imgBack");
    QCOMPARE(picture->size(), QSize(198, 75));
    QCOMPARE(shown.width(), 198);
    const int oneDeck = shown.height();
    QCOMPARE(shown.marks().size(), std::size_t(53));
    QVERIFY(slotShows(52, shown.marks()[52]));

    m_harness.ports.messages.queueAnswer(Answer::Ok);
    QVERIFY(window.startGame(FortyThieves, "Forty Thieves", false));
    QCOMPARE(picture->size(), QSize(198, 148));
    QCOMPARE(shown.height(), oneDeck + 73);
    QCOMPARE(shown.marks().size(), std::size_t(105));
    QVERIFY(slotShows(104, shown.marks()[104])); // the last row's last slot, whole inside the picture
    QVERIFY(shown.isVisible());
}

void TstCardCounter::closingTheWindowUnchecksTheCommands()
{
    play(Klondike, "Klondike");
    action("popCardCounter")->trigger();
    TfrmCardCounter& shown = counter();
    QVERIFY(shown.isVisible());
    QVERIFY(action("mnuCardCounter")->isChecked());
    shown.close();
    QVERIFY(!shown.isVisible());
    QVERIFY(!action("mnuCardCounter")->isChecked());
    QVERIFY(!action("popCardCounter")->isChecked());
    // The command opens it again, counted afresh.
    action("mnuCardCounter")->trigger();
    QVERIFY(shown.isVisible());
    QVERIFY(action("popCardCounter")->isChecked());
    action("mnuCardCounter")->trigger();
    QVERIFY(!shown.isVisible());
    QVERIFY(!action("mnuCardCounter")->isChecked());
}

void TstCardCounter::theOptions_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<int>("watch"); // a CounterWatch
    QTest::addColumn<bool>("inverted");
    const int both = int(CounterWatch::Both), stock = int(CounterWatch::StockOnly),
              tableau = int(CounterWatch::TableauOnly);
    QTest::newRow("tableau only") << QStringList{"mnuTableauOnly"} << tableau << false;
    QTest::newRow("stock only") << QStringList{"mnuStockOnly"} << stock << false;
    QTest::newRow("tableau unchecks stock") << QStringList{"mnuStockOnly", "mnuTableauOnly"} << tableau << false;
    QTest::newRow("stock unchecks tableau") << QStringList{"mnuTableauOnly", "mnuStockOnly"} << stock << false;
    QTest::newRow("unchecked again: both") << QStringList{"mnuStockOnly", "mnuStockOnly"} << both << false;
    QTest::newRow("inverted") << QStringList{"mnuInverted"} << both << true;
    QTest::newRow("stock only inverted") << QStringList{"mnuInverted", "mnuStockOnly"} << stock << true;
}

void TstCardCounter::theOptions()
{
    QFETCH(QStringList, clicks);
    QFETCH(int, watch);
    QFETCH(bool, inverted);
    TfrmMain& window = play(Klondike, "Klondike");
    for (const QString& item : clicks)
        option(item.toLatin1().constData())->trigger();

    const TfrmCardCounter& shown = counter();
    QCOMPARE(int(shown.watch()), watch);
    QCOMPARE(shown.inverted(), inverted);
    QCOMPARE(option("mnuStockOnly")->isChecked(), watch == int(CounterWatch::StockOnly));
    QCOMPARE(option("mnuTableauOnly")->isChecked(), watch == int(CounterWatch::TableauOnly));
    QVERIFY(shown.marks() == countCards(window.session().game(), CounterWatch(watch), inverted));
    const int stockTop = topCard(window.session().game().pile(Mazzo));
    QVERIFY(slotShows(stockTop, shown.marks()[std::size_t(stockTop)]));
    // Every switch is written at once.
    QCOMPARE(preference("CardCounter_Stock"), std::string(watch == int(CounterWatch::StockOnly) ? "Y" : "N"));
    QCOMPARE(preference("CardCounter_Tableau"), std::string(watch == int(CounterWatch::TableauOnly) ? "Y" : "N"));
    QCOMPARE(preference("CardCounter_Inverse"), std::string(inverted ? "Y" : "N"));
}

void TstCardCounter::aSavedPlace_data()
{
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<bool>("moved");
    QTest::newRow("never saved") << -1 << -1 << false;
    QTest::newRow("at the edge") << 0 << 300 << false; // only a place inside both edges is taken
    QTest::newRow("saved") << 300 << 200 << true;
    QTest::newRow("beyond the screen") << 90000 << 90000 << true;
}

void TstCardCounter::aSavedPlace()
{
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(bool, moved);
    ProfileFile config(m_harness.dataDir() + "/CFG.DAT");
    config.writeNumber("Preference", "CardCounter_Left", left);
    config.writeNumber("Preference", "CardCounter_Top", top);
    config.writeText("Preference", "CardCounter_Visible", "Y");
    m_window = m_harness.openWindow();
    const QPoint designed = counter().pos();
    showAndActivate();
    TfrmCardCounter& shown = counter();
    QVERIFY(shown.isVisible());
    QVERIFY(action("mnuCardCounter")->isChecked());
    if (!moved) {
        QCOMPARE(shown.pos(), designed);
        return;
    }
    // Wherever it was kept, the window comes back where it can be reached.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(screen.contains(shown.pos()));
    QVERIFY(shown.pos().x() < screen.right() - 50 && shown.pos().y() < screen.bottom() - 50);
    if (screen.contains(QPoint(left, top), true) && left < screen.right() - 100)
        QCOMPARE(shown.pos(), QPoint(left, top));
}

void TstCardCounter::placeAndSwitchesSurviveARestart()
{
    play(Klondike, "Klondike");
    action("mnuCardCounter")->trigger();
    counter().move(310, 220);
    option("mnuTableauOnly")->trigger();
    option("mnuInverted")->trigger();
    QVERIFY(m_window->close());
    QCOMPARE(preference("CardCounter_Visible"), std::string("Y"));
    QCOMPARE(preference("CardCounter_Left"), std::string("310"));
    QCOMPARE(preference("CardCounter_Top"), std::string("220"));
    m_window.reset();

    // The next run, on the same data folder.
    m_window = m_harness.openWindow();
    QVERIFY(!counter().isVisible());
    showAndActivate();
    TfrmCardCounter& shown = counter();
    QVERIFY(shown.isVisible());
    QVERIFY(action("mnuCardCounter")->isChecked());
    QCOMPARE(shown.pos(), QPoint(310, 220));
    QCOMPARE(shown.watch(), CounterWatch::TableauOnly);
    QVERIFY(shown.inverted());
    QVERIFY(shown.marks() == countCards(m_window->session().game(), CounterWatch::TableauOnly, true));

    // Closed when the program ends, it stays closed in the run after.
    shown.close();
    QVERIFY(m_window->close());
    QCOMPARE(preference("CardCounter_Visible"), std::string("N"));
    m_window.reset();
    m_window = m_harness.openWindow();
    showAndActivate();
    QVERIFY(!counter().isVisible());
    QVERIFY(!action("mnuCardCounter")->isChecked());
}

KST_UI_TEST_MAIN(TstCardCounter)
#include "tst_cardcounter.moc"
