#include "table/TableView.h"

#include "cards/Card.h"
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

} // namespace
} // namespace kst
