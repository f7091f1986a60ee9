#include "table/TableView.h"

#include "assets/PictureNames.h"
#include "cards/Card.h"
#include "storage/FileLookup.h"
#include "table/Pointer.h"
#include "tests/support/ShippedGames.h"
#include "tests/support/TablePictures.h"

#include <gtest/gtest.h>

namespace kst {
namespace {

using test::MemoryBitmap;

constexpr int Freecell = 1, Klondike = 2;

class TableViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pictures.library.addTablePictures('M', {3});
        m_pictures.graphics.setScreenSize({1280, 1024});
        for (const auto& [field, value] : {std::pair{Fld::Background_def, "Y"}, {Fld::Cards_Shadowed, "Y"},
                                           {Fld::VertScrollBar, "Y"}, {Fld::Game_name, "Freecell"}})
            m_pictures.store.fnStoreSet(field, value);
    }

    // The game's rules on the table, laid out; returns the screen-size notice.
    std::string prepare(int gameId)
    {
        m_game = test::dealtGame(gameId, "0000000000042");
        m_view.showGame(&m_game);
        std::string screen;
        m_view.prepareTable(screen);
        return screen;
    }

    void start(int gameId, const TableWindow& window)
    {
        prepare(gameId);
        m_view.resized(window);
    }

    // The card whose face colour a buffer pixel shows, or 0.
    static int cardShownAt(const Bitmap& bitmap, int x, int y)
    {
        for (int card = 1; card <= 52; ++card)
            if (bitmap.pixel(x, y) == test::faceColour(1, card))
                return card;
        return 0;
    }

    test::TablePictures m_pictures;
    Game m_game;
    TableView m_view{m_pictures.context};
    const TableWindow m_window{1016, 740, 1008, 700, 50, 16};
};

TEST_F(TableViewTest, ADealtGameIsPaintedWhereTheLayoutPutsItsPiles)
{
    start(Freecell, m_window);
    ASSERT_TRUE(m_view.gameOnTable());
    const Bitmap& table = m_view.tableBuffer();
    EXPECT_GE(table.width(), 1280 + 30);
    const CardTable& cards = m_view.cards();
    for (int i = 0; i < 8; ++i) {
        const Point at = m_view.positions().at(filaPile(i));
        const std::string& pile = cards.piles.fila[std::size_t(i)];
        ASSERT_GT(cardCount(pile), 0);
        EXPECT_EQ(cardShownAt(table, at.x + 30, at.y + 8), cardAt(pile, 0)) << "pile " << i + 1;
        const int top = cardCount(pile) - 1;
        EXPECT_EQ(cardShownAt(table, at.x + 30, at.y + 18 * top + 60), topCard(pile)) << "pile " << i + 1;
    }
    EXPECT_GT(m_view.tableBottom(), m_view.positions().at(filaPile(0)).y + 96);
    EXPECT_FALSE(m_view.scrollBar().visible);

    MemoryBitmap window(1008, 700);
    m_view.showOn(window);
    const Point first = m_view.positions().at(filaPile(0));
    EXPECT_EQ(window.pixel(first.x + 30, first.y + 8), table.pixel(first.x + 30, first.y + 8));
}

TEST_F(TableViewTest, TopCardsAreFoundByPileName)
{
    start(Freecell, m_window);
    const CardTable& cards = m_view.cards();
    EXPECT_EQ(m_view.topCardOf("Fila1"), topCard(cards.piles.fila[0]));
    EXPECT_EQ(m_view.topCardOf("Fila8"), topCard(cards.piles.fila[7]));
    EXPECT_EQ(m_view.topCardOf("Mazzo"), 0) << "Freecell deals its whole deck";
    EXPECT_EQ(m_view.topCardOf("Appogg1"), 0);
    EXPECT_EQ(m_view.topCardOf("Fila9"), 0);
    EXPECT_EQ(m_view.topCardOf("nothing"), 0);
    EXPECT_TRUE(m_view.isTableauTop(topCard(cards.piles.fila[3])));
    EXPECT_FALSE(m_view.isTableauTop(cardAt(cards.piles.fila[3], 0)));
}

TEST_F(TableViewTest, ALowWindowGetsTheScrollBarAndATallerTable)
{
    const TableWindow low{1016, 300, 1008, 260, 50, 16};
    start(Klondike, low);
    // Klondike's columns reach below 260 pixels: the bar appears and the buffers grow.
    ASSERT_TRUE(m_view.scrollBar().visible);
    EXPECT_GT(m_view.tableBuffer().height(), 1024 + 30);
    EXPECT_EQ(m_view.backgroundBuffer().height(), m_view.tableBuffer().height());

    m_view.scrollTo(40);
    EXPECT_EQ(m_view.scrollOffset(), 40);
    MemoryBitmap window(1008, 260);
    m_view.showOn(window);
    EXPECT_EQ(window.pixel(300, 100), m_view.tableBuffer().pixel(300, 140));

    // Tall enough again: the bar goes, the table starts at the top.
    m_view.resized(m_window);
    EXPECT_FALSE(m_view.scrollBar().visible);
    EXPECT_EQ(m_view.scrollOffset(), 0);
}

TEST_F(TableViewTest, AGameTooWideForTheScreenIsPlayedWithMediumCards)
{
    constexpr int BakersDozen = 9; // thirteen columns: it asks for a wide screen
    m_pictures.graphics.setScreenSize({800, 600});
    m_view.screenFlags().forcedMedium = false; // as a new game's start leaves it
    const std::string screen = prepare(BakersDozen);
    EXPECT_EQ(m_view.pictures().sizeLetter(), 'M');
    EXPECT_EQ(m_view.pictures().size(), (CardSize{59, 80}));
    EXPECT_EQ(m_pictures.store.fnStoreGet(Fld::SavedCard), "001");
    EXPECT_TRUE(screen.starts_with("Your video card's display is 800x600 pixels."));

    // A game that fits gets the player's own cards back.
    m_pictures.graphics.setScreenSize({1280, 1024});
    prepare(Freecell);
    EXPECT_EQ(m_view.pictures().sizeLetter(), 'B');
    EXPECT_EQ(m_pictures.store.fnStoreGet(Fld::Card), "001");
}

TEST_F(TableViewTest, ADroppedCardTriesThePilesItCoversMostFirst)
{
    start(Freecell, m_window);
    const Rect left = m_view.pileArea(filaPile(0)), right = m_view.pileArea(filaPile(1));
    ASSERT_FALSE(left.isEmpty());
    ASSERT_GT(right.x, left.right()); // two columns with a gap between them
    // A card a little right of the gap's middle covers more of the right column.
    const int middle = (left.right() + right.x) / 2 + 4;
    const Rect dragged{middle - left.width / 2, right.y, left.width, left.height};
    EXPECT_EQ(dropCandidates(m_view, dragged), (std::vector<PileRef>{filaPile(1), filaPile(0)}));
    // Away from every pile: nothing to try; over a free cell: only it.
    EXPECT_TRUE(dropCandidates(m_view, {2000, 2000, 71, 96}).empty());
    EXPECT_EQ(dropCandidates(m_view, m_view.pileArea(appoggPile(2))), std::vector<PileRef>{appoggPile(2)});
}

TEST_F(TableViewTest, NoGameShowsTheBackgroundOnly)
{
    start(Freecell, m_window);
    m_view.clearGame();
    EXPECT_FALSE(m_view.gameOnTable());
    EXPECT_EQ(m_view.tableBuffer().pixel(400, 300), rgb(0, 96, 0));
}

// Preview mode: the table laid into a picture of its own, three rows down, with the current cards,
// while the window's layout and buffers stay as they were; what reaches past the picture is told.
TEST_F(TableViewTest, APreviewLaysTheTableIntoItsPictureAndLeavesTheWindowAlone)
{
    start(Freecell, m_window);
    const PilePositions onWindow = m_view.positions();
    const Point firstOnWindow = onWindow.at(filaPile(0));
    const Colour windowPixel = m_view.tableBuffer().pixel(firstOnWindow.x + 30, firstOnWindow.y + 8);

    MemoryBitmap picture(900, 555);
    const Size reach = m_view.paintPreview(picture);
    const CardSize card = m_view.pictures().size();
    const LayoutInputs preview{900, 555, TableView::PreviewTop, 554, {1280, 1024}, card, true};
    const PilePositions expected = fnComputeLayout(m_view.rules(), preview);
    ASSERT_NE(expected.at(filaPile(0)), firstOnWindow) << "the window and the picture lay out alike";
    const CardTable& cards = m_view.cards();
    int right = 0, bottom = 0;
    for (int i = 0; i < 8; ++i) {
        const Point at = expected.at(filaPile(i));
        const std::string& pile = cards.piles.fila[std::size_t(i)];
        EXPECT_EQ(cardShownAt(picture, at.x + 30, at.y + 8), cardAt(pile, 0)) << "pile " << i + 1;
        right = std::max(right, at.x + card.width);
        bottom = std::max(bottom, at.y + m_view.steps().upVertical * (cardCount(pile) - 1) + card.height);
    }
    EXPECT_EQ(picture.pixel(1, 1), rgb(0, 96, 0)) << "the background the preferences choose";
    EXPECT_EQ(reach.height, bottom);
    EXPECT_GE(reach.width, right);
    EXPECT_LT(reach.width, 900);

    EXPECT_EQ(m_view.positions(), onWindow);
    EXPECT_EQ(m_view.tableBuffer().pixel(firstOnWindow.x + 30, firstOnWindow.y + 8), windowPixel);

    // A picture smaller than the table: the layout does not shrink it, the reach shows how far.
    MemoryBitmap small(300, 185);
    const Size past = m_view.paintPreview(small);
    EXPECT_GT(past.width, 300);
    EXPECT_GT(past.height, 185);
}

// ---- cards that fit the window, finer screens ---------------------------------------------------

// The layout inputs of the view's window without the scroll bar.
LayoutInputs windowInputs(const TableWindow& w)
{
    return {w.width, w.height, w.top, w.clientHeight - 1, {1280, 1024}, {}, true};
}

// Those the view works out the fit card from: as if the scroll bar were shown.
LayoutInputs fitInputs(const TableWindow& w)
{
    LayoutInputs in = windowInputs(w);
    in.width -= w.scrollBarWidth;
    return in;
}

TEST_F(TableViewTest, CardsThatFitTheWindowAreDrawnOncePerSizeAndLaidOutWithIt)
{
    m_pictures.store.fnStoreSet(Fld::Card_Size, "F");
    test::MemoryCardArt& art = m_pictures.graphics.memoryCardArt();
    start(Freecell, m_window);
    const CardSize large = fitCardSize(m_game.rules, fitInputs(m_window));
    const CardPictures& pictures = m_view.pictures();
    EXPECT_EQ(pictures.sizeLetter(), FitCardSize);
    EXPECT_EQ(pictures.tableSize(), large);
    EXPECT_GT(large.width, 71);
    const ArtSize drawn{{large.width, large.height}, 1};
    EXPECT_EQ(art.callsOf("faces", drawn), 1);
    EXPECT_EQ(art.callsOf("mark", drawn), int(assets::markCodes().size()));

    // Laid out with the fit card: the tableau's top cards show their drawn faces, the steps are
    // the big card's scaled.
    const PilePositions laid = fnComputeLayout(m_game.rules, withFitCard(windowInputs(m_window), large.width));
    EXPECT_EQ(m_view.steps(), fnSetFanSteps(m_game.rules, FitCardSize, large));
    for (int i = 0; i < 8; ++i) {
        const std::string& pile = m_game.cards.piles.fila[std::size_t(i)];
        EXPECT_EQ(m_view.positions().at(filaPile(i)), laid.at(filaPile(i)));
        const Rect top = m_view.pileArea(filaPile(i));
        EXPECT_EQ(m_view.tableBuffer().pixel(top.x + large.width / 2, top.y + large.height / 2),
                  test::MemoryCardArt::faceColour(CardPictures::faceIndex(topCard(pile))));
    }

    // The same window again draws nothing; a smaller one draws its smaller cards once.
    m_view.resized(m_window);
    EXPECT_EQ(art.callsOf("faces", drawn), 1);
    const TableWindow small{800, 600, 792, 560, 50, 16};
    m_view.resized(small);
    const CardSize smaller = m_view.pictures().tableSize();
    EXPECT_EQ(smaller, fitCardSize(m_game.rules, fitInputs(small)));
    EXPECT_LT(smaller.width, large.width);
    EXPECT_EQ(art.callsOf("faces", {{smaller.width, smaller.height}, 1}), 1);
}

TEST_F(TableViewTest, OnAFinerScreenTheTableIsInDevicePixels)
{
    constexpr double Scale = 1.5;
    m_pictures.store.fnStoreSet(Fld::Card_Size, "F");
    m_view.setDeviceScale(Scale);
    start(Freecell, m_window);
    const CardPictures& pictures = m_view.pictures();
    const CardSize card = pictures.tableSize();
    EXPECT_EQ(card, fitCardSize(m_game.rules, fitInputs(m_window)));
    EXPECT_EQ(m_view.deviceScale(), Scale);
    EXPECT_EQ(pictures.size(), (CardSize{scaledLength(card.width, Scale), scaledLength(card.height, Scale)}));
    EXPECT_EQ(pictures.shadowWidth(), scaledLength(cardShadowWidth(FitCardSize, card), Scale));
    EXPECT_EQ(m_view.steps(), scaledSteps(fnSetFanSteps(m_game.rules, FitCardSize, card), Scale));
    EXPECT_GE(m_view.tableBuffer().width(), scaledLength(1280 + 30, Scale));
    EXPECT_EQ(m_view.deviceWindow().clientHeight, scaledLength(m_window.clientHeight, Scale));

    // Device points find the cards they lie on: every card's own band of a tableau pile, and the
    // pile's top card over its whole face.
    for (int i = 0; i < 8; ++i) {
        const std::string& pile = m_game.cards.piles.fila[std::size_t(i)];
        for (int position = 0; position < cardCount(pile); ++position) {
            const Point corner = m_view.cardCorner(m_game.cards, filaPile(i), position);
            const PileHit hit = m_view.hitAt({corner.x + pictures.size().width / 2, corner.y + 1});
            EXPECT_EQ(hit.pile, filaPile(i));
            EXPECT_EQ(hit.card, cardAt(pile, position)) << "pile " << i + 1 << " card " << position;
            EXPECT_EQ(hit.corner, corner);
        }
        const Rect top = m_view.pileArea(filaPile(i));
        EXPECT_EQ(m_view.hitAt({top.right() - 1, top.bottom() - 2}).card, topCard(pile));
        EXPECT_NE(m_view.hitAt({top.x + 1, top.bottom() + 1}).card, topCard(pile));
    }
}

TEST_F(TableViewTest, BigCardsOnADoubleScreenAreDrawnAtTwiceTheirPixels)
{
    test::MemoryCardArt& art = m_pictures.graphics.memoryCardArt();
    m_view.setDeviceScale(2);
    start(Freecell, m_window);
    const CardPictures& pictures = m_view.pictures();
    EXPECT_EQ(pictures.sizeLetter(), 'B');
    EXPECT_EQ(pictures.tableSize(), (CardSize{71, 96}));
    EXPECT_EQ(pictures.size(), (CardSize{142, 192}));
    EXPECT_EQ(pictures.shadowWidth(), 2 * CardShadowWidth);
    EXPECT_EQ(art.callsOf("faces", {{71, 96}, 2}), 1);
    // The back exists only as the big card's bitmap: scaled to the screen.
    ASSERT_TRUE(pictures.back());
    EXPECT_EQ(pictures.back()->width(), 142);
    EXPECT_EQ(art.callsOf("scaled", {{142, 192}, 1}), 1);
    const Point first = m_view.positions().at(filaPile(0));
    EXPECT_EQ(first.x % 2, 0) << "table positions doubled";
}

TEST_F(TableViewTest, AnUnreadableCardDrawingFallsBackToTheFirstSetThenToTheLibrarysFaces)
{
    m_pictures.library.addTablePictures('B', {1});
    m_pictures.store.fnStoreSet(Fld::Card_Size, "F");
    m_pictures.store.fnStoreSet(Fld::Card, "004");
    test::MemoryCardArt& art = m_pictures.graphics.memoryCardArt();
    const std::string programDir = m_pictures.store.fnStoreGet(Fld::ProgramDir);
    art.setUnreadable(findFile(programDir, std::string(assets::cardDrawingFolder) + "/" + assets::cardDrawingName(4)));
    start(Freecell, m_window);
    EXPECT_EQ(m_pictures.store.fnStoreGet(Fld::Card), "001");
    ASSERT_TRUE(m_view.pictures().face(1));

    // No drawing at all: the library's big faces scaled, rather than no faces.
    for (int set = 1; set <= 5; ++set)
        art.setUnreadable(findFile(programDir, std::string(assets::cardDrawingFolder) + "/" + assets::cardDrawingName(set)));
    m_pictures.store.fnStoreSet(Fld::Card, "004");
    m_view.resized({900, 700, 892, 660, 50, 16});
    const CardSize card = m_view.pictures().tableSize();
    ASSERT_TRUE(m_view.pictures().face(1));
    EXPECT_EQ(m_view.pictures().face(1)->width(), card.width);
    EXPECT_GE(art.callsOf("scaled", {{card.width, card.height}, 1}), 52);
}

} // namespace
} // namespace kst
