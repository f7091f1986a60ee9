// Playing on a screen of one and a half device pixels to a window pixel, with cards that fit the
// window: the table is drawn at device pixels, and the pointer's window points find the cards
// they lie on, so drags land where the rules take them and refused drops travel back.

#include "MainWindowHarness.h"

#include "engine/Moves.h"

#include <QtTest>

using namespace kst;
using test::drag;

namespace {

constexpr double Scale = 1.5;

// A window point well inside the visible part of a card whose area is given in device pixels.
QPoint inside(const Rect& device)
{
    return QPoint(int((device.x + device.width / 2) / Scale), int((device.y + device.height / 3) / Scale));
}

} // namespace

class TstFineScreen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_harness.prepare()); }
    void init();
    void cleanup() { m_window.reset(); }
    void theTableIsDrawnAtDevicePixels();
    void aDraggedCardLandsWhereTheRulesTakeIt();
    void aRefusedDropTravelsBack();

private:
    test::MainWindowHarness m_harness;
    std::unique_ptr<TfrmMain> m_window;
};

void TstFineScreen::init()
{
    m_window.reset();
    m_harness.reset();
    ProfileFile(m_harness.dataDir() + "/CFG.DAT").writeText("Preference", "Card_Size", "F");
    m_window = m_harness.playFreecell({1200, 800});
    QVERIFY(m_window);
}

void TstFineScreen::theTableIsDrawnAtDevicePixels()
{
    QCOMPARE(m_window->tableWidget().devicePixelRatioF(), Scale);
    const TableView& table = m_window->table();
    QCOMPARE(table.deviceScale(), Scale);
    const CardPictures& pictures = table.pictures();
    QCOMPARE(pictures.sizeLetter(), FitCardSize);
    const CardSize card = pictures.tableSize();
    QCOMPARE(pictures.size(), (CardSize{int(std::lround(card.width * Scale)), int(std::lround(card.height * Scale))}));
    const Bitmap* face = pictures.face(1);
    QVERIFY(face);
    QCOMPARE(face->width(), pictures.size().width);
    const QImage& shown = m_window->tableWidget().picture().image();
    QCOMPARE(shown.width(), int(std::ceil(m_window->tableWidget().width() * Scale)));
}

void TstFineScreen::aDraggedCardLandsWhereTheRulesTakeIt()
{
    const Game& game = m_window->session().game();
    Move chosen;
    for (const Move& m : legalMoves(game))
        if (m.kind == MoveKind::Drop && m.from.group == PileGroup::Fila && m.to == appoggPile(3))
            chosen = m;
    QVERIFY(!chosen.isNone());
    const TableView& table = m_window->table();
    const Rect target = table.pileArea(chosen.to);
    drag(m_window->tableWidget(), inside(table.pileArea(chosen.from)), inside(target));

    QCOMPARE(topCard(game.pile(appoggPile(3))), int(chosen.card));
    const Bitmap* face = table.pictures().face(chosen.card);
    QVERIFY(face);
    const QImage& shown = m_window->tableWidget().picture().image();
    const int x = face->width() / 2, y = face->height() / 2;
    QCOMPARE(shown.pixel(target.x + x, target.y + y) & 0xffffffu, QRgb(face->pixel(x, y)));
}

void TstFineScreen::aRefusedDropTravelsBack()
{
    const Game before = m_window->session().game();
    int pile = 0;
    while (rank(topCard(before.pile(filaPile(pile)))) == Ace)
        ++pile;
    const QImage shownBefore = m_window->tableWidget().picture().image().copy();
    const TableView& table = m_window->table();
    drag(m_window->tableWidget(), inside(table.pileArea(filaPile(pile))), inside(table.pileArea(destPile(3))));
    QVERIFY(m_window->session().game() == before);
    QCOMPARE(m_window->tableWidget().picture().image(), shownBefore);
}

KST_UI_TEST_MAIN_AT_SCALE(TstFineScreen, "1.5")
#include "tst_finescreen.moc"
