#include "table/Painter.h"

#include "cards/Card.h"
#include "tests/support/TablePictures.h"

#include <gtest/gtest.h>

namespace kst {
namespace {

using test::BackColour;
using test::faceColour;
using test::MemoryBitmap;

constexpr Colour Felt = rgb(0, 96, 0);
constexpr int W = 71, H = 96;

// Whether a pixel shows the mark with the given code (drawn half-transparent over the felt).
Colour markOverFelt(const std::string& code)
{
    const Colour half = rgb(test::markNumber(code) / 2, 100, 0);
    return blendOver(Pixel{half, 128}, Pixel{Felt, 255}).colour;
}

class PainterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_pictures.loaded);
        m_background.fillRect({0, 0, 800, 600}, Felt);
        m_table.fillRect({0, 0, 800, 600}, rgb(1, 1, 1));
        m_window.fillRect({0, 0, 800, 500}, rgb(2, 2, 2));
        m_rules.set(Rule::TableauLayout, 1);
        m_rules.set(Rule::TableauCount, 2);
        m_rules.set(Rule::ReserveCount, 1);
        m_steps = fnSetFanSteps(m_rules, 'B');
    }

    void place(PileRef pile, Point at) { *m_positions.entry(pile) = at; }

    void deal(PileRef pile, std::initializer_list<std::pair<int, Face>> cards)
    {
        for (const auto& [card, face] : cards)
            appendCard(m_cards.piles, m_cards.deck, pile, card, face);
    }

    TablePainter painter(int scrollOffset = 0)
    {
        return TablePainter({&m_window, m_table, m_background}, m_scene, scrollOffset);
    }

    test::TablePictures m_pictures;
    RuleTable m_rules;
    CardTable m_cards;
    PilePositions m_positions;
    FanSteps m_steps;
    TableScene m_scene{m_rules, m_cards, m_positions, m_steps, m_pictures.pictures, 1, true};
    MemoryBitmap m_window{800, 500};
    MemoryBitmap m_table{800, 600};
    MemoryBitmap m_background{800, 600};
};

// ---- marks ----------------------------------------------------------------------------------------

TEST_F(PainterTest, EveryEmptyPlaceGetsTheMarkOfItsRule)
{
    struct Case {
        const char* what;
        std::vector<std::pair<int, int>> rules; // index, value
        int dealCounter;
        EmptyKind kind;
        int pile;
        EmptyMark expected;
    };
    const auto mark = [](const char* code) { return EmptyMark{code, true}; };
    const Case cases[] = {
        {"stock of the close-up grid game", {{Rule::GameType, 8}}, 1, EmptyKind::Stock, 0, mark("021")},
        {"stock with deals left", {{Rule::Deals, 3}, {Rule::RedealMode, 1}}, 2, EmptyKind::Stock, 0, mark("022")},
        {"stock with the last deal used", {{Rule::Deals, 3}, {Rule::RedealMode, 1}}, 3, EmptyKind::Stock, 0,
         mark("008")},
        {"stock turning the waste over, deals left", {{Rule::Deals, 3}}, 1, EmptyKind::Stock, 0, mark("022")},
        {"stock with unlimited deals", {{Rule::Deals, -1}}, 40, EmptyKind::Stock, 0, mark("022")},
        {"stock of a single deal", {{Rule::Deals, 1}}, 1, EmptyKind::Stock, 0, mark("008")},
        {"waste beside a stock pile", {{Rule::StockClickPlace, 1}}, 1, EmptyKind::Waste, 1, mark("_WASTE")},
        {"waste without deals", {{Rule::Deals, 0}}, 1, EmptyKind::Waste, 1, mark("008")},
        {"waste of a redealing game", {{Rule::Deals, 2}, {Rule::RedealMode, 4}}, 1, EmptyKind::Waste, 1, mark("022")},
        {"waste of a redealing game, no deal left", {{Rule::Deals, 2}, {Rule::RedealMode, 4}}, 2, EmptyKind::Waste,
         1, mark("008")},
        {"waste turned over by the stock", {{Rule::Deals, 2}}, 1, EmptyKind::Waste, 1, {}},
        {"foundation from the Ace", {{Rule::BaseRank + 2, 1}}, 1, EmptyKind::Foundation, 2, mark("010")},
        {"foundation from the 7", {{Rule::BaseRank, 7}}, 1, EmptyKind::Foundation, 0, mark("017")},
        {"foundation from the Queen by its start code", {{Rule::BaseRank + 1, 1}, {Rule::FoundationStartCode + 1, 10}},
         1, EmptyKind::Foundation, 1, mark("003")},
        {"foundation of any card", {{Rule::BaseRank, -1}}, 1, EmptyKind::Foundation, 0, mark("004")},
        {"foundation rule that draws nothing", {{Rule::BaseRank, 94}}, 1, EmptyKind::Foundation, 0, {"", true}},
        {"free cell", {}, 1, EmptyKind::Reserve, 0, mark("001")},
        {"reserve of face cards", {{Rule::ReserveRule + 1, 9}}, 1, EmptyKind::Reserve, 1, mark("009")},
        {"reserve of Kings", {{Rule::ReserveRule, 8}}, 1, EmptyKind::Reserve, 0, mark("011")},
        {"tableau for a King only", {{Rule::TableauEmptyRule + 3, 13}}, 1, EmptyKind::Tableau, 3, mark("011")},
        {"tableau for a Jack", {{Rule::TableauEmptyRule, 11}}, 1, EmptyKind::Tableau, 0, mark("006")},
        {"tableau for any card, first pile free", {{Rule::TableauEmptyRule + 2, -1}}, 1, EmptyKind::Tableau, 2,
         mark("_TABLEAU")},
        {"tableau for any card", {{Rule::TableauEmptyRule, -1}}, 1, EmptyKind::Tableau, 0, mark("004")},
        {"slot of a pairing grid", {}, 1, EmptyKind::Slot, 0, mark("001")},
        {"other places", {}, 1, EmptyKind::Other, 2, mark("_WASTE")},
    };
    for (const Case& c : cases) {
        RuleTable rules;
        for (const auto& [index, value] : c.rules)
            rules.set(index, std::int16_t(value));
        const TableScene scene{rules, m_cards, m_positions, m_steps, m_pictures.pictures, c.dealCounter, true};
        EXPECT_EQ(emptyMarkFor(c.kind, c.pile, scene), c.expected) << c.what;
    }
}

TEST_F(PainterTest, RankCodesAndTheirMarks)
{
    const std::pair<int, const char*> cases[] = {{1, "010"},  {58, "010"}, {81, "010"}, {85, "010"}, {2, "012"},
                                                 {90, "012"}, {3, "013"},  {9, "019"},  {10, "020"}, {11, "006"},
                                                 {12, "003"}, {13, "011"}, {64, "011"}, {84, "011"}};
    for (const auto& [code, mark] : cases)
        EXPECT_EQ(rankMark(code), (EmptyMark{mark, true})) << code;
    for (const int code : {0, -1, 14, 57, 86, 95})
        EXPECT_EQ(rankMark(code), EmptyMark{}) << code;
}

TEST_F(PainterTest, AMarkGoesOverTheBareBackgroundEveryTime)
{
    TablePainter p = painter();
    p.drawEmptyMark(EmptyKind::Reserve, 10, 20, Target::Both);
    p.drawEmptyMark(EmptyKind::Reserve, 10, 20, Target::Both);
    EXPECT_EQ(m_window.pixel(40, 60), markOverFelt("001")) << "a second mark does not darken the first";
    EXPECT_EQ(m_table.pixel(40, 60), markOverFelt("001"));
    EXPECT_EQ(p.tableBottom(), 20 + H);
}

// ---- cards ------------------------------------------------------------------------------------------

TEST_F(PainterTest, ACardGoesToTheWindowAndToTheTableBufferBelowTheScroll)
{
    TablePainter p = painter(50);
    p.drawCard(cardOf(Jack, 1), 100, 30, false, Target::Both);
    const Colour jack = faceColour(1, cardOf(Jack, 1));
    EXPECT_EQ(m_window.pixel(100 + 35, 30 + 40), jack);
    EXPECT_EQ(m_table.pixel(100 + 35, 80 + 40), jack);
    EXPECT_EQ(m_table.pixel(100 + 35, 30 + 40), rgb(1, 1, 1));
    EXPECT_EQ(p.tableBottom(), 50 + 30 + H);

    // Its corners show what lay beneath: at the top the surface, at the bottom the background.
    EXPECT_EQ(m_window.pixel(100, 30), rgb(2, 2, 2));
    EXPECT_EQ(m_window.pixel(101, 30), rgb(2, 2, 2));
    EXPECT_EQ(m_window.pixel(102, 30), jack);
    EXPECT_EQ(m_window.pixel(100 + W - 1, 30 + H - 1), Felt);
    EXPECT_EQ(m_table.pixel(100, 80 + H - 1), Felt);
}

TEST_F(PainterTest, ACardOverAnotherHasASilverBottomRightCorner)
{
    TablePainter p = painter();
    p.drawCard(1, 10, 10, true, Target::Table);
    EXPECT_EQ(m_table.pixel(10 + W - 1, 10 + H - 1), rgb(192, 192, 192));
    EXPECT_EQ(m_table.pixel(10, 10 + H - 1), Felt);
}

TEST_F(PainterTest, UnplacedCardsAndEmptySlotsDrawNothingOrTheirMark)
{
    TablePainter p = painter();
    p.drawCard(1, StockNotPlaced, 10, false, Target::Both);
    p.drawCard(1, 10, FilaNotPlaced, false, Target::Both);
    EXPECT_EQ(p.tableBottom(), 0);
    p.drawCard(0, 10, 10, false, Target::Table);
    EXPECT_EQ(m_table.pixel(30, 30), rgb(1, 1, 1)) << "an empty slot shows nothing outside pairing games";
    m_rules.set(Rule::PairingSum, 13);
    p.drawCard(0, 10, 10, false, Target::Table);
    EXPECT_EQ(m_table.pixel(30, 30), markOverFelt("001"));
}

TEST_F(PainterTest, APartOfTheBackCanBeDrawn)
{
    TablePainter p = painter();
    p.drawBack(10, 10, 20, false, Target::Table);
    EXPECT_EQ(m_table.pixel(40, 29), BackColour);
    EXPECT_EQ(m_table.pixel(40, 30), rgb(1, 1, 1));
    EXPECT_EQ(m_table.pixel(10, 10), rgb(1, 1, 1)) << "the back's corners are rounded too";
}

// ---- piles --------------------------------------------------------------------------------------

TEST_F(PainterTest, AFannedPileShowsTheStepsOfItsCardsAndTheWholeTopCard)
{
    place(filaPile(0), {100, 50});
    deal(filaPile(0), {{5, Face::Down}, {6, Face::Down}, {20, Face::Up}, {33, Face::Up}});
    TablePainter p = painter();
    p.drawPile(filaPile(0), Target::Table);
    // Face-down steps of 4, a face-up step of 18, then the whole top card.
    EXPECT_EQ(m_table.pixel(130, 51), BackColour);
    EXPECT_EQ(m_table.pixel(130, 55), BackColour);
    EXPECT_EQ(m_table.pixel(130, 58 + 5), faceColour(1, 20));
    EXPECT_EQ(m_table.pixel(130, 58 + 18 + 5), faceColour(1, 33));
    EXPECT_EQ(m_table.pixel(130, 58 + 18 + H - 2), faceColour(1, 33));
    EXPECT_EQ(m_table.pixel(130, 58 + 18 + H + 1), rgb(1, 1, 1));
    EXPECT_EQ(p.tableBottom(), 58 + 18 + H);
}

TEST_F(PainterTest, EmptyPilesShowTheirMarksAndStacksTheirTopCard)
{
    place(filaPile(1), {200, 50});
    place(appoggPile(0), {300, 50});
    place(destPile(0), {400, 50});
    place(Mazzo, {500, 50});
    m_rules.set(Rule::BaseRank, 1);
    m_rules.set(Rule::Deals, 1);
    deal(destPile(0), {{1, Face::Up}, {2, Face::Up}});
    TablePainter p = painter();
    for (const PileRef pile : {filaPile(1), appoggPile(0), destPile(0), Mazzo})
        p.drawPile(pile, Target::Table);
    EXPECT_EQ(m_table.pixel(230, 90), markOverFelt("_TABLEAU"));
    EXPECT_EQ(m_table.pixel(330, 90), markOverFelt("001"));
    EXPECT_EQ(m_table.pixel(430, 90), faceColour(1, 2)) << "a foundation stacks: its top card shows";
    EXPECT_EQ(m_table.pixel(530, 90), markOverFelt("008"));
}

TEST_F(PainterTest, TheStockShowsItsTopCardsBackWithAShadow)
{
    place(Mazzo, {20, 20});
    deal(Mazzo, {{7, Face::Down}, {8, Face::Down}});
    painter().drawPile(Mazzo, Target::Table);
    EXPECT_EQ(m_table.pixel(50, 60), BackColour);
    EXPECT_EQ(m_table.pixel(20 + W + 3, 60), test::ShadowColour);
    EXPECT_EQ(m_table.pixel(50, 20 + H + 3), test::ShadowColour);

    m_scene.shadowed = false;
    m_table.fillRect({0, 0, 800, 600}, rgb(1, 1, 1));
    painter().drawPile(Mazzo, Target::Table);
    EXPECT_EQ(m_table.pixel(20 + W + 3, 60), rgb(1, 1, 1));
}

TEST_F(PainterTest, TheFullPaintStartsFromTheBackgroundAndRaisesTheBottom)
{
    place(filaPile(0), {100, 50});
    place(filaPile(1), {200, 50});
    place(Mazzo, {20, 20});
    place(destPile(3), {700, 20});
    deal(filaPile(0), {{1, Face::Up}, {2, Face::Up}, {3, Face::Up}});
    m_rules.set(Rule::BaseRank + 3, 13);
    TablePainter p = painter();
    p.paintTable();
    EXPECT_EQ(m_table.pixel(5, 590), Felt);
    EXPECT_EQ(m_table.pixel(130, 50 + 36 + 50), faceColour(1, 3));
    EXPECT_EQ(m_table.pixel(230, 90), markOverFelt("_TABLEAU"));
    EXPECT_EQ(m_table.pixel(730, 60), markOverFelt("011"));
    EXPECT_EQ(m_window.pixel(5, 5), rgb(2, 2, 2)) << "the window shows the buffer when told";
    EXPECT_EQ(p.tableBottom(), 50 + 36 + H);
}

TEST_F(PainterTest, APileThatLostCardsGivesTheirPlaceBackToTheTable)
{
    place(filaPile(0), {100, 50});
    place(filaPile(1), {100, 300}); // a pile below, whose top the long pile reached into
    deal(filaPile(0), {{1, Face::Up}, {2, Face::Up}, {3, Face::Up}, {4, Face::Up}});
    deal(filaPile(1), {{40, Face::Up}});
    TablePainter p = painter();
    p.paintTable();
    // The long pile (to 50 + 54 + 96 = 200) does not reach the second pile; make it reach.
    m_positions.entry(filaPile(1))->y = 180;
    p.paintTable();
    const std::string before = m_cards.piles.fila[0];
    m_cards.piles.fila[0] = before.substr(0, 6); // the top two cards taken away
    p.repairPile(filaPile(0), before, Target::Table);

    EXPECT_EQ(m_table.pixel(130, 50 + 18 + H - 3), faceColour(1, 2)) << "the new top card shows whole";
    EXPECT_EQ(m_table.pixel(130, 50 + 18 + H + 5), Felt) << "where the last card lay, the table shows";
    EXPECT_EQ(m_table.pixel(130, 185), faceColour(1, 40)) << "the pile below is drawn again over the cleared place";
}

TEST_F(PainterTest, StepFoundationsShowTheRankEachNeedsNext)
{
    m_rules.set(Rule::GameType, 10);
    m_rules.set(Rule::FoundationCapacity, 13);
    for (int i = 0; i < 4; ++i)
        place(destPile(i), {100 + 100 * i, 100});
    deal(destPile(0), {{cardOf(5, 0), Face::Up}});          // builds by 1: needs 6
    deal(destPile(1), {{cardOf(Queen, 1), Face::Up}});      // by 2: Queen + 2 wraps to 1, the Ace
    deal(destPile(2), {{cardOf(Jack, 2), Face::Up}});       // by 3: needs 1 after 14 -> the Ace
    TablePainter p = painter();
    p.drawFoundationLabels(Target::Table);
    std::vector<std::string> labels;
    for (const auto& t : m_table.texts())
        labels.push_back(t.text);
    EXPECT_EQ(labels, (std::vector<std::string>{"6", "A", "A"}));
    const auto& first = m_table.texts()[0];
    EXPECT_EQ(first.topLeft.y, 100 - 18);
    EXPECT_EQ(first.topLeft.x, 100 + 35 - 10 + (21 - 6) / 2 - 1);
    EXPECT_EQ(m_table.pixel(100 + 35 - 10, 100 - 18), rgb(255, 255, 255));
    EXPECT_EQ(m_table.pixel(400 + 35 - 10, 100 - 18), Felt) << "an empty foundation's box is the background";
}

} // namespace
} // namespace kst
