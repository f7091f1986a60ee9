// Cards that fit the window: a new player's cards fill a large window, follow it when it is
// resized, and the table never shows cards of the old size beside the new.

#include "MainWindowHarness.h"

#include "table/Fans.h"

#include <QtTest>

using namespace kst;

namespace {

// Every placed pile of the game lies inside the table picture.
bool pilesInside(const TableView& table, QSize picture)
{
    bool inside = true;
    forEachPile(table.cards().piles, [&](PileRef pile, const std::string&) {
        if (!table.positions().isPlaced(pile))
            return;
        const Rect area = table.pileArea(pile);
        inside = inside && area.x >= 0 && area.y >= 0 && area.right() <= picture.width()
                 && area.bottom() <= picture.height();
    });
    return inside;
}

// The face of a tableau pile's top card shows whole where the pile's area says: the picture's
// middle row, pixel for pixel.
bool topCardShows(TfrmMain& window, int tableau)
{
    const TableView& table = window.table();
    const int card = topCard(table.cards().piles.fila[std::size_t(tableau)]);
    const Bitmap* face = table.pictures().face(card);
    if (!face)
        return false;
    const Rect area = table.pileArea(filaPile(tableau));
    const QImage& shown = window.tableWidget().picture().image();
    const int y = face->height() / 2;
    for (int x = 0; x < face->width(); ++x)
        if ((shown.pixel(area.x + x, area.y + y) & 0xffffffu) != face->pixel(x, y))
            return false;
    return true;
}

} // namespace

class TstFitCards : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_harness.prepare()); }
    void init()
    {
        m_window.reset();
        m_harness.reset();
        // A new player: no card size chosen yet.
        ProfileFile(m_harness.dataDir() + "/CFG.DAT").deleteKey("Preference", "Card_Size");
    }
    void cleanup() { m_window.reset(); }
    void aNewPlayersCardsFillALargeWindow();
    void theCardsFollowTheWindowsSize();

private:
    test::MainWindowHarness m_harness;
    std::unique_ptr<TfrmMain> m_window;
};

void TstFitCards::aNewPlayersCardsFillALargeWindow()
{
    m_window = m_harness.playFreecell({1600, 1000});
    QVERIFY(m_window);
    const CardPictures& pictures = m_window->table().pictures();
    QCOMPARE(pictures.sizeLetter(), FitCardSize);
    QVERIFY2(pictures.tableSize().width > 130, std::to_string(pictures.tableSize().width).c_str());
    QCOMPARE(pictures.tableSize(), fitCardOfWidth(pictures.tableSize().width));
    QCOMPARE(pictures.size(), pictures.tableSize()); // one device pixel to a table pixel here
    QVERIFY(pilesInside(m_window->table(), m_window->tableWidget().size()));
    for (int tableau = 0; tableau < 8; ++tableau)
        QVERIFY(topCardShows(*m_window, tableau));
    QCOMPARE(m_window->store().fnStoreGet(Fld::Card_Size), std::string("F"));
}

void TstFitCards::theCardsFollowTheWindowsSize()
{
    m_window = m_harness.playFreecell({1600, 1000});
    QVERIFY(m_window);
    const TableView& table = m_window->table();
    const int large = table.pictures().tableSize().width;
    m_window->resize(900, 640);
    QTRY_VERIFY(table.pictures().tableSize().width < large);
    QVERIFY(table.pictures().tableSize().width >= FitWidthMinimum);
    QVERIFY(pilesInside(table, m_window->tableWidget().size()));
    for (int tableau = 0; tableau < 8; ++tableau)
        QVERIFY(topCardShows(*m_window, tableau));

    // Back to the large window: the large cards again, and a drag plays at their size.
    m_window->resize(1600, 1000);
    QTRY_COMPARE(table.pictures().tableSize().width, large);
    for (int tableau = 0; tableau < 8; ++tableau)
        QVERIFY(topCardShows(*m_window, tableau));
}

KST_UI_TEST_MAIN(TstFitCards)
#include "tst_fitcards.moc"
