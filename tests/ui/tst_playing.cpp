// Playing in the window with the real pointer: cards dragged and dropped where the rules take
// them land there; a drop the rules refuse sends the cards back and leaves the game as it was.

#include "MainWindowHarness.h"

#include "engine/Moves.h"

#include <QMouseEvent>
#include <QTemporaryDir>

using namespace kst;
using test::drag;
using test::send;

namespace {

// A point of the card's visible part, well inside it.
QPoint inside(const Rect& r) { return {r.x + r.width / 2, r.y + r.height / 3}; }

} // namespace

class TstPlaying : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_harness.prepare()); }
    void init();
    void aDraggedCardLandsWhereTheRulesTakeIt();
    void aRefusedDropTravelsBack();
    void aDoubleClickSendsAnAceHome();
    void dragsNearTheBottomScrollTheTable();
    void aSavedGameGivenAtStartGoesOn();

private:
    // Freecell, deal 1234567, on a shown window, automatic play off.
    TfrmMain& startFreecell();

    test::MainWindowHarness m_harness;
    std::unique_ptr<TfrmMain> m_window;
};

void TstPlaying::init()
{
    m_window.reset();
    m_harness.reset();
}

TfrmMain& TstPlaying::startFreecell()
{
    m_window = m_harness.playFreecell();
    [&] { QVERIFY(m_window); }();
    return *m_window;
}

void TstPlaying::aDraggedCardLandsWhereTheRulesTakeIt()
{
    TfrmMain& window = startFreecell();
    const Game& game = window.session().game();
    QCOMPARE(game.number, std::string("0000001234567"));
    // The first card that may go to a free cell goes to the last free cell.
    Move chosen;
    for (const Move& m : legalMoves(game))
        if (m.kind == MoveKind::Drop && m.from.group == PileGroup::Fila && m.to == appoggPile(3))
            chosen = m;
    QVERIFY(!chosen.isNone());
    const TableView& table = window.table();
    const Rect target = table.pileArea(chosen.to);
    drag(window.tableWidget(), inside(table.pileArea(chosen.from)), inside(target));

    QCOMPARE(topCard(game.pile(appoggPile(3))), int(chosen.card));
    QCOMPARE(window.session().undoSteps(), std::size_t(1));
    const QImage shown = window.tableWidget().picture().image();
    const Bitmap* face = window.table().pictures().face(chosen.card);
    QVERIFY(face);
    QCOMPARE(shown.pixel(target.x + 35, target.y + 50) & 0xffffffu, QRgb(face->pixel(35, 50)));
}

void TstPlaying::aRefusedDropTravelsBack()
{
    TfrmMain& window = startFreecell();
    const Game before = window.session().game();
    // A tableau top card that is no Ace goes to no empty foundation.
    int pile = 0;
    while (rank(topCard(before.pile(filaPile(pile)))) == Ace)
        ++pile;
    const QImage shownBefore = window.tableWidget().picture().image().copy();
    const TableView& table = window.table();
    drag(window.tableWidget(), inside(table.pileArea(filaPile(pile))), inside(table.pileArea(destPile(3))));

    QVERIFY(window.session().game() == before);
    QCOMPARE(window.session().undoSteps(), std::size_t(0));
    QCOMPARE(window.tableWidget().picture().image(), shownBefore);
    QVERIFY(m_harness.ports.messages.shown().empty()); // no message, no beep box
}

void TstPlaying::aDoubleClickSendsAnAceHome()
{
    TfrmMain& window = startFreecell();
    window.store().fnStoreSet(Fld::DoubleClick_To_Foundations, "Y");
    const Game& game = window.session().game();
    // Free every tableau top that is an Ace, or skip the test when the deal shows none.
    int pile = -1;
    for (int i = 0; i < 8 && pile < 0; ++i)
        if (rank(topCard(game.pile(filaPile(i)))) == Ace)
            pile = i;
    if (pile < 0)
        QSKIP("this deal shows no Ace on top");
    const int ace = topCard(game.pile(filaPile(pile)));
    const QPoint at = inside(window.table().pileArea(filaPile(pile)));
    QTest::mouseDClick(&window.tableWidget(), Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(topCard(game.pile(destPile(0))), ace);
}

void TstPlaying::dragsNearTheBottomScrollTheTable()
{
    TfrmMain& window = startFreecell();
    window.resize(700, 260);
    QTRY_VERIFY(window.table().scrollBar().visible);
    QCOMPARE(window.table().scrollBar().position, 0);
    const Game before = window.session().game();
    QWidget& table = window.tableWidget();
    const QPoint from = inside(window.table().pileArea(filaPile(0)));
    send(table, QEvent::MouseButtonPress, from, Qt::LeftButton);
    send(table, QEvent::MouseMove, {from.x(), table.height() - 2}, Qt::LeftButton);
    QVERIFY(window.table().scrollBar().position > 0);
    // Back where it came from: the game is as it was.
    send(table, QEvent::MouseMove, from, Qt::LeftButton);
    send(table, QEvent::MouseButtonRelease, from, Qt::NoButton);
    QVERIFY(window.session().game() == before);
}

void TstPlaying::aSavedGameGivenAtStartGoesOn()
{
    TfrmMain& window = startFreecell();
    const Move move = legalMoves(window.session().game()).front();
    QVERIFY(window.session().play(move, MoveOrigin::Dragged));
    const Game saved = window.session().game();
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("game.GAM")).toStdString();
    std::string error;
    QVERIFY2(window.session().saveGame(path, error), error.c_str());
    m_window.reset();

    m_harness.reset();
    m_window = m_harness.openWindow();
    m_window->openAtStart(path);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->firstActivation();
    // Automatic play may have moved cards on since; the deal and its history are the saved ones.
    QCOMPARE(m_window->session().game().number, saved.number);
    QVERIFY(m_window->session().undoSteps() >= 1);
    QVERIFY(m_window->session().inProgress());
}

QTEST_MAIN(TstPlaying)
#include "tst_playing.moc"
