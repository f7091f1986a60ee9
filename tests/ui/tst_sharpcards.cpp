// On a screen of two device pixels to a window pixel, the big cards are drawn at twice their
// pixels and shown one picture pixel to one screen pixel: the screen shows exactly the card
// pictures, with edges as sharp as the pictures' own.

#include "MainWindowHarness.h"

#include <QDir>
#include <QtTest>

using namespace kst;

class TstSharpCards : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_harness.prepare()); }
    void cleanup() { m_window.reset(); }
    void theScreenShowsTheCardPicturesPixelForPixel();

private:
    test::MainWindowHarness m_harness;
    std::unique_ptr<TfrmMain> m_window;
};

void TstSharpCards::theScreenShowsTheCardPicturesPixelForPixel()
{
    m_harness.reset();
    m_window = m_harness.playFreecell();
    QVERIFY(m_window);
    TableView& table = m_window->table();
    QCOMPARE(table.deviceScale(), 2.0);
    QCOMPARE(table.pictures().sizeLetter(), 'B');
    QCOMPARE(table.pictures().tableSize(), (CardSize{71, 96}));
    QCOMPARE(table.pictures().size(), (CardSize{142, 192}));

    // What reaches the screen, at its own pixels.
    const QPixmap shot = m_window->tableWidget().grab();
    QCOMPARE(shot.devicePixelRatio(), 2.0);
    const QImage screen = shot.toImage();
    const QString path = QDir::temp().filePath(QStringLiteral("kestrane-sharp-cards.png"));
    screen.save(path);
    qInfo("screenshot: %s", qPrintable(path));

    // Each tableau pile's top card: a row and a column through the whole face, its edges
    // included, are the face's own pixels.
    for (int tableau = 0; tableau < 8; ++tableau) {
        const int card = topCard(table.cards().piles.fila[std::size_t(tableau)]);
        const Bitmap* face = table.pictures().face(card);
        QVERIFY(face);
        const Rect area = table.pileArea(filaPile(tableau));
        const int midY = face->height() / 2, midX = face->width() / 2;
        for (int x = 0; x < face->width(); ++x)
            QCOMPARE(screen.pixel(area.x + x, area.y + midY) & 0xffffffu, QRgb(face->pixel(x, midY)));
        for (int y = 3; y < face->height() - 3; ++y)
            QCOMPARE(screen.pixel(area.x + midX, area.y + y) & 0xffffffu, QRgb(face->pixel(midX, y)));
        // Just outside the card's left edge lies the table, not a blend of card and table.
        QCOMPARE(screen.pixel(area.x - 1, area.y + midY) & 0xffffffu,
                 QRgb(table.tableBuffer().pixel(area.x - 1, area.y + midY)));
    }
}

KST_UI_TEST_MAIN_AT_SCALE(TstSharpCards, "2")
#include "tst_sharpcards.moc"
