#include "table/Layout.h"

#include "storage/GameCatalogue.h"
#include "catalogue/compiler/Catalogue.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <utility>
#include <vector>

namespace kst {
namespace {

RuleTable rulesWith(std::initializer_list<std::pair<int, int>> values)
{
    RuleTable rules;
    for (const auto& [index, value] : values)
        rules.set(index, std::int16_t(value));
    return rules;
}

// A 1016-pixel window on a large screen: usable width 1014.
LayoutInputs wideWindow(int top = 5)
{
    return {1016, 740, top, 700, {1280, 1024}, {71, 96}, true};
}

TEST(Layout, TableauRowOfSchemes001And014)
{
    const struct {
        int scheme, piles, firstX, spacing;
    } cases[] = {
        {1, 7, 198, 91},  // gap 64 cut to 20
        {1, 13, 10, 77},  // x1 computes to 9, below the margin 10
        {14, 13, 10, 76}, // the gap gives up the missing pixel instead
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "scheme " << c.scheme << ", " << c.piles << " piles");
        const RuleTable rules = rulesWith({{Rule::TableauScheme, c.scheme}, {Rule::TableauCount, c.piles},
                                           {Rule::TableauRow, 1}});
        const PilePositions p = fnComputeLayout(rules, wideWindow());
        for (int i = 0; i < c.piles; ++i)
            EXPECT_EQ(p.fila[std::size_t(i)].x, c.firstX + i * c.spacing) << "pile " << i + 1;
        EXPECT_FALSE(p.isPlaced(filaPile(c.piles)));
    }
}

TEST(Layout, BaseValuesFollowTheStockRowAndTheWindow)
{
    const struct {
        int stockRow, stockScheme, height;
        int row1, row2, usable, gap;
    } cases[] = {
        {3, 0, 740, 5 + 10, 5 + 10 + 10 + 96, 1014, 10},
        {1, 0, 740, 5 + 10 + 15, 5 + 10 + 15 + 10 + 96, 1014, 10},  // stock row 1 pushes the first row
        {2, 0, 740, 5 + 10, 5 + 10 + 10 + 96 + 15, 1014, 10},       // stock row 2 pushes the second
        {3, 3, 740, 5 + 10, 5 + 10 + 10 + 96 + 15, 1014, 10},       // so does stock scheme 003
        {3, 0, 480, 5 + 5, 5 + 5 + 5 + 96, 1004, 5},                // a low window
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << c.stockRow << " scheme " << c.stockScheme << " height " << c.height);
        LayoutInputs in = wideWindow();
        in.height = c.height;
        const LayoutBase b =
            computeLayoutBase(rulesWith({{Rule::StockRow, c.stockRow}, {Rule::StockScheme, c.stockScheme}}), in);
        EXPECT_EQ(b.rowTop[1], c.row1);
        EXPECT_EQ(b.rowTop[2], c.row2);
        EXPECT_EQ(b.rowTop[3], c.row2 + c.gap + 96);
        EXPECT_EQ(b.usableWidth, c.usable);
        EXPECT_EQ(b.rowGap, c.gap);
    }
}

TEST(Layout, CentredRowsBottomRowAndTheTightRowsOfScheme015)
{
    const struct {
        const char* name;
        int tableauScheme, height, bottom;
        std::array<int, 5> rowTop;
        int bottomRow, middle;
        std::array<int, 3> row3;
        std::array<int, 5> row4;
    } cases[] = {
        // Row3Centred[0] = 5 + Trunc((700 - 5 - 288 - 20) / 2) = 198; Row4Centred[1] = 5 + Trunc(281 / 2) = 145;
        // a window not above 0.8 of the screen height: BottomRow = 1024 - 96 - 30.
        {"ordinary", 1, 740, 700, {0, 15, 121, 227, 333}, 898, 121 + 53, {198, 304, 410}, {0, 145, 251, 357, 463}},
        // rows 5 + 15, 5 + 96 + 20, 5 + 192 + 25; row 4 keeps its value
        {"scheme 015", 15, 740, 700, {0, 20, 121, 222, 333}, 898, 121 + 50, {198, 304, 410}, {0, 145, 251, 357, 463}},
        // a tall window: 900 - 96 - 50; a short client area keeps the centred rows at top + 2
        {"tall window, short client", 1, 900, 300, {0, 15, 121, 227, 333}, 754, 174, {7, 113, 219}, {0, 7, 113, 219, 325}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LayoutInputs in = wideWindow();
        in.height = c.height;
        in.bottom = c.bottom;
        const LayoutBase b = computeLayoutBase(rulesWith({{Rule::TableauScheme, c.tableauScheme}}), in);
        EXPECT_EQ(b.rowTop, c.rowTop);
        EXPECT_EQ(b.bottomRow, c.bottomRow);
        EXPECT_EQ(b.middleLine, c.middle);
        EXPECT_EQ(b.row3Centred, c.row3);
        EXPECT_EQ(b.row4Centred, c.row4);
    }
}

TEST(Layout, LeftMarginOfTheStockSchemesAndTheOccupiedRows)
{
    const struct {
        int stockPiles, stockScheme, secondWasteScheme;
        bool shadow;
        int leftMargin;
    } cases[] = {
        {1, 5, 0, true, 10 + 9 + 15},  {1, 16, 0, false, 10 + 15}, {1, 19, 0, true, 34}, {1, 3, 0, true, 34},
        {1, 4, 0, true, 34},           {1, 1, 4, true, 34},        {1, 1, 0, true, 19},  {0, 5, 4, true, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.stockPiles << " stock piles, scheme " << c.stockScheme << ", second waste "
                                        << c.secondWasteScheme);
        LayoutInputs in = wideWindow();
        in.shadow = c.shadow;
        const RuleTable rules = rulesWith({{Rule::StockGroupPiles, c.stockPiles}, {Rule::StockScheme, c.stockScheme},
                                           {Rule::SecondWasteScheme, c.secondWasteScheme}});
        EXPECT_EQ(computeLayoutBase(rules, in).leftMargin, c.leftMargin);
    }
    const RuleTable rows = rulesWith({{Rule::StockGroupPiles, 1}, {Rule::StockRow, 1}, {Rule::FoundationRow, 2},
                                      {Rule::ReserveRow, 3}, {Rule::ReserveCount, 2}});
    EXPECT_EQ(computeLayoutBase(rows, wideWindow()).occupiedRows, "1 3");
}

TEST(Layout, LeftMarginWidensWithTheShadowOfAPlacedStock)
{
    const RuleTable rules = rulesWith({{Rule::StockGroupPiles, 1}, {Rule::StockScheme, 13}, {Rule::StockRow, 1},
                                       {Rule::TableauScheme, 1}, {Rule::TableauCount, 7}, {Rule::TableauRow, 2}});
    EXPECT_EQ(computeLayoutBase(rules, wideWindow()).leftMargin, 19);
    EXPECT_EQ(fnComputeLayout(rules, wideWindow()).stock[0].x, 19);
    LayoutInputs plain = wideWindow();
    plain.shadow = false;
    EXPECT_EQ(computeLayoutBase(rules, plain).leftMargin, 10);
    // A narrow window has the small margin.
    LayoutInputs narrow = wideWindow();
    narrow.width = 600;
    EXPECT_EQ(computeLayoutBase(rules, narrow).leftMargin, 3 + 9);
}

TEST(Layout, AWasteNoSchemePlacesTakesTheStockY)
{
    const RuleTable rules = rulesWith({{Rule::StockGroupPiles, 2}, {Rule::StockScheme, 16}, {Rule::StockClickPlace, 1},
                                       {Rule::StockRow, 1}, {Rule::TableauScheme, 1}, {Rule::TableauCount, 7}});
    const PilePositions p = fnComputeLayout(rules, wideWindow());
    EXPECT_EQ(p.stock[0], (Point{198 - 30 - 71, 5 + 10 + 15}));
    EXPECT_EQ(p.stock[1].y, p.stock[0].y);
}

TEST(Layout, AReserveColumnInTheTableauRowMovesTheTableauRightOnce)
{
    const RuleTable rules = rulesWith({{Rule::ReserveScheme, 5}, {Rule::ReserveCount, 4}, {Rule::ReserveRow, 2},
                                       {Rule::TableauScheme, 2}, {Rule::TableauCount, 7}, {Rule::TableauRow, 2}});
    const PilePositions p = fnComputeLayout(rules, wideWindow());
    // Reserves 10, 91, 172, 253; the centred tableau would start at 228, inside the last one's reach.
    EXPECT_EQ(p.appogg[3].x, 253);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(p.fila[std::size_t(i)].x, 253 + 71 + 86 + i * 81);

    // Any other tableau scheme ignores the start x: the second pass gives the first pass again.
    RuleTable other = rules;
    other.set(Rule::TableauScheme, 1);
    EXPECT_EQ(fnComputeLayout(other, wideWindow()).fila[0].x, 198);
}

TEST(Layout, SpecialSchemesPlaceNothingButTheStockRowCompletion)
{
    const RuleTable rules = rulesWith({{Rule::TableauScheme, 60}, {Rule::TableauCount, 7}, {Rule::StockGroupPiles, 1}});
    const PilePositions p = fnComputeLayout(rules, wideWindow());
    EXPECT_EQ(p, PilePositions{});
}

TEST(Layout, CountsBeyondTheGroupsAndMissingColumnsStayInBounds)
{
    // More foundations than tableau columns to stand over, and counts no group can hold.
    const RuleTable rules = rulesWith({{Rule::TableauScheme, 14}, {Rule::TableauCount, 40}, {Rule::FoundationScheme, 7},
                                       {Rule::FoundationCount, 30}, {Rule::ReserveScheme, 7}, {Rule::ReserveCount, 1}});
    const PilePositions p = fnComputeLayout(rules, wideWindow());
    EXPECT_TRUE(p.isPlaced(filaPile(27)));
    EXPECT_TRUE(p.isPlaced(destPile(15)));
    const RuleTable few = rulesWith({{Rule::TableauScheme, 1}, {Rule::TableauCount, 4}, {Rule::FoundationScheme, 7},
                                     {Rule::FoundationCount, 8}});
    const PilePositions q = fnComputeLayout(few, wideWindow());
    EXPECT_FALSE(q.isPlaced(destPile(3)));
    EXPECT_EQ(q.dest[7].x, q.fila[3].x);

    const RuleTable single = rulesWith({{Rule::TableauScheme, 14}, {Rule::TableauCount, 1}, {Rule::TableauRow, 1}});
    LayoutInputs tiny = wideWindow();
    tiny.width = 60;
    EXPECT_EQ(fnComputeLayout(single, tiny).fila[0].x, 3);
}

// ---- generic schemes ----------------------------------------------------------------------------

struct SchemeCase {
    const char* name;
    std::vector<std::pair<int, int>> rules;
    LayoutInputs in;
    std::vector<std::pair<PileRef, Point>> expected;
};

RuleTable rulesFrom(const std::vector<std::pair<int, int>>& values)
{
    RuleTable rules;
    for (const auto& [index, value] : values)
        rules.set(index, std::int16_t(value));
    return rules;
}

LayoutInputs onScreen(LayoutInputs in, Size screen)
{
    in.screen = screen;
    return in;
}

LayoutInputs unshadowed(LayoutInputs in)
{
    in.shadow = false;
    return in;
}

// count piles of a group, x1 and x1 + step, ... on one y.
std::vector<std::pair<PileRef, Point>> spaced(PileRef (*pile)(int), int count, int x1, int step, int y)
{
    std::vector<std::pair<PileRef, Point>> out;
    for (int i = 0; i < count; ++i)
        out.push_back({pile(i), {x1 + i * step, y}});
    return out;
}

template <typename... Parts>
std::vector<std::pair<PileRef, Point>> joined(Parts... parts)
{
    std::vector<std::pair<PileRef, Point>> out;
    (out.insert(out.end(), parts.begin(), parts.end()), ...);
    return out;
}

void checkSchemes(const std::vector<SchemeCase>& cases)
{
    for (const SchemeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const PilePositions p = fnComputeLayout(rulesFrom(c.rules), c.in);
        for (const auto& [ref, point] : c.expected)
            EXPECT_EQ(p.at(ref), point) << pileName(ref);
    }
}

// The wide window: U = 1014, g = 10, no stock row push: RowTop 15, 121, 227; LM 10.
// Row3Centred[0] = 5 + Trunc((700 - 5 - 288 - 20) / 2) = 198; Row4Centred[1] = 5 + Trunc((700 - 5 - 384 - 30) / 2) = 145.
TEST(LayoutSchemes, Tableau)
{
    const LayoutInputs wide = wideWindow();
    const LayoutInputs lowScreen = onScreen(wide, {800, 480});
    using R = std::pair<int, int>;
    const auto tableau = [](int scheme, int piles, int row) {
        return std::vector<R>{{Rule::TableauScheme, scheme}, {Rule::TableauCount, piles}, {Rule::TableauRow, row}};
    };
    const auto with = [](std::vector<R> rules, std::initializer_list<R> more) {
        rules.insert(rules.end(), more);
        return rules;
    };
    checkSchemes({
        // m = 8: c = Trunc((1014 - 568 - 32) / 9) = 46 > 20, so 15; x1 = Trunc((1014 - 30 - 568 - 90 - 10) / 2) = 158, + 93
        {"003", tableau(3, 7, 2), wide, spaced(filaPile, 7, 251, 86, 121)},
        // m = 14: c = Trunc(-12 / 15) = 0, so 4; x1 = Trunc((-20 - 48 - 10) / 2) = -39, raised to LM 10, + 93
        {"003 crowded", tableau(3, 13, 2), wide, spaced(filaPile, 13, 103, 75, 121)},
        {"012", tableau(12, 7, 2), wide, spaced(filaPile, 7, 158 + 93 + 15, 86, 121)},
        // m = 9: c = Trunc(343 / 10) = 34, so 15; x1 = Trunc((984 - 639 - 105 - 10) / 2) = 115, + 2 * 93 + 15
        {"011", tableau(11, 7, 2), wide, spaced(filaPile, 7, 316, 86, 121)},
        // c = 2: x1 = Trunc((984 - 639 - 14 - 10) / 2) = 160, + 2 * 93
        {"021", tableau(21, 7, 2), wide, spaced(filaPile, 7, 346, 73, 121)},
        // c = Trunc(0.85 * 71) = 60
        {"010 one row", with(tableau(10, 5, 2), {{Rule::TableauRows, 1}}), wide, spaced(filaPile, 5, 15, 131, 198)},
        {"010 two rows", with(tableau(10, 6, 2), {{Rule::TableauRows, 2}}), wide,
         {{filaPile(0), {15, 15}}, {filaPile(2), {277, 15}}, {filaPile(3), {15, 121}}, {filaPile(5), {277, 121}}}},
        {"013", tableau(13, 4, 2), wide, spaced(filaPile, 4, 48, 75, 121)},
        {"013 without shadow", tableau(13, 4, 2), unshadowed(wide), spaced(filaPile, 4, 48, 75, 121)},
        {"013 low screen", tableau(13, 4, 2), lowScreen, spaced(filaPile, 4, 8, 75, 121)},
        // q = 4: c = Trunc((1014 - 284 - 2) / 5) = 145, above Trunc(1.5 * 71) = 106; x1 = LM + 10
        {"018", with(tableau(18, 8, 1), {{Rule::TableauRows, 2}}), wide,
         joined(spaced(filaPile, 4, 20, 216, 145),
                std::vector<std::pair<PileRef, Point>>{{filaPile(4), {20, 251}}, {filaPile(7), {668, 251}}})},
        // q = 8: c = Trunc(444 / 9) = 49, raised to 106
        {"018 narrow gap", with(tableau(18, 16, 1), {{Rule::TableauRows, 2}}), wide,
         {{filaPile(1), {197, 145}}, {filaPile(7), {1259, 145}}, {filaPile(8), {20, 251}}}},
        {"018 second row, low screen", with(tableau(18, 8, 2), {{Rule::TableauRows, 2}}), lowScreen,
         {{filaPile(0), {15, 251}}, {filaPile(4), {15, 357}}}},
        // Foundations 002 with the default gap 4: c' = 2, x1 = Trunc((1014 - 284 - 6) / 2) = 362.
        // shift = Trunc((581 + 71 - 362 - 426 - 60 + 10) / 2) = -93
        {"020", with(tableau(20, 6, 2), {{Rule::FoundationScheme, 2}, {Rule::FoundationCount, 4}, {Rule::FoundationRow, 1}}),
         wide, joined(spaced(destPile, 4, 362, 73, 15), spaced(filaPile, 6, 269, 81, 121))},
    });
}

// Tableau 002 with 7 piles: x1 = Trunc((1014 - 497 - 60) / 2) = 228, 81 apart, the last at 714.
std::vector<std::pair<int, int>> centredTableau(std::initializer_list<std::pair<int, int>> more, int piles = 7)
{
    std::vector<std::pair<int, int>> rules{{Rule::TableauScheme, 2}, {Rule::TableauCount, piles}, {Rule::TableauRow, 2}};
    rules.insert(rules.end(), more);
    return rules;
}

// Stock row 1: RowTop[1] = 30, RowTop[2] = 136 (151 with stock scheme 003), RowTop[3] = 242.
TEST(LayoutSchemes, StockGroup)
{
    const LayoutInputs wide = wideWindow();
    const auto stock = [](int scheme, int hasStock, int hasWaste) {
        return centredTableau({{Rule::StockScheme, scheme}, {Rule::StockGroupPiles, 2}, {Rule::StockRow, 1},
                               {Rule::StockClickPlace, hasStock}, {Rule::StockToWaste, hasWaste}});
    };
    const int none = StockNotPlaced;
    checkSchemes({
        {"003 with waste", stock(3, 1, 1), wide, {{Mazzo, {135, 30}}, {Mazzo_Vis, {135, 151}}, {filaPile(0), {228, 151}}}},
        {"003 without waste", stock(3, 1, 0), wide, {{Mazzo, {135, 30}}, {Mazzo_Vis, {none, 30}}}},
        {"004 stock and waste", stock(4, 1, 1), wide, {{Mazzo, {228, 30}}, {Mazzo_Vis, {309, 30}}}},
        {"004 waste only", stock(4, 0, 1), wide, {{Mazzo, {none, 30}}, {Mazzo_Vis, {228, 30}}}},
        {"004 stock only", stock(4, 1, 0), wide, {{Mazzo, {228, 30}}, {Mazzo_Vis, {none, 30}}}},
        {"011", stock(11, 1, 1), wide, {{Mazzo_Vis, {228 - 45 - 71, 30}}, {Mazzo, {112 - 71 - 15, 30}}}},
        {"019 stock", stock(19, 1, 1), wide, {{Mazzo, {228 - 60 - 71, 30}}, {Mazzo_Vis, {none, 30}}}},
        {"019 no stock", stock(19, 0, 1), wide, {{Mazzo, {none, 30}}, {Mazzo_Vis, {97, 30}}}},
        {"021", stock(21, 1, 1), wide, {{Mazzo_Vis, {228 - 15 - 71, 30}}, {Mazzo, {142 - 71 - 20, 30}}}},
    });
}

TEST(LayoutSchemes, TableauBesideAStockOverTheTableauAndOnNarrowScreens)
{
    const LayoutInputs wide = wideWindow();
    // Stock 004 with two piles: LM = 10 + 9 + 15 = 34.
    const auto overStock = [](int tableauScheme) {
        return std::vector<std::pair<int, int>>{{Rule::TableauScheme, tableauScheme}, {Rule::TableauCount, 13},
                                                {Rule::TableauRow, 2},  {Rule::StockScheme, 4},
                                                {Rule::StockGroupPiles, 2}, {Rule::StockRow, 1},
                                                {Rule::StockClickPlace, 1}, {Rule::StockToWaste, 1}};
    };
    checkSchemes({
        // c = 6, raised to 15; x1 = Trunc((1014 - 180 - 923) / 2) = -44, raised to 34
        {"001", overStock(1), wide,
         {{filaPile(0), {34, 136}}, {filaPile(12), {34 + 12 * 86, 136}}, {Mazzo, {34, 30}}, {Mazzo_Vis, {120, 30}}}},
        // x1 = 9: c = 6 - Trunc(25 / 12 + 0.99) = 3, clamped to 4; pile 2 follows by W + 15, the rest by W + 4
        {"014", overStock(14), wide,
         {{filaPile(0), {34, 136}}, {filaPile(1), {120, 136}}, {filaPile(2), {195, 136}}, {filaPile(12), {945, 136}},
          {Mazzo, {34, 30}}, {Mazzo_Vis, {120, 30}}}},
        // A screen narrower than 650 starts 2 pixels left of the margin: 10 - 2, gap 5.
        {"014 narrow screen",
         {{Rule::TableauScheme, 14}, {Rule::TableauCount, 13}, {Rule::TableauRow, 2}}, onScreen(wide, {640, 480}),
         spaced(filaPile, 13, 8, 76, 121)},
    });
}

TEST(LayoutSchemes, ReserveColumnOverlap)
{
    // Reserves 005 on the tableau row: 10, 91, ...; tableau 002 at 228, its zone from 228 - 85 = 143.
    const auto column = [](int reserves) {
        return centredTableau({{Rule::ReserveScheme, 5}, {Rule::ReserveCount, reserves}, {Rule::ReserveRow, 2}});
    };
    checkSchemes({
        {"one reserve ends at 81", column(1), wideWindow(), {{appoggPile(0), {10, 121}}, {filaPile(0), {228, 121}}}},
        {"two reach 162", column(2), wideWindow(), {{appoggPile(1), {91, 121}}, {filaPile(0), {91 + 71 + 86, 121}}}},
        // On another row the column never meets the tableau.
        {"other row",
         centredTableau({{Rule::ReserveScheme, 5}, {Rule::ReserveCount, 4}, {Rule::ReserveRow, 1}}), wideWindow(),
         {{appoggPile(3), {253, 15}}, {filaPile(0), {228, 121}}}},
    });
}

TEST(LayoutSchemes, Foundations)
{
    const LayoutInputs wide = wideWindow();
    const LayoutInputs lowScreen = onScreen(wide, {800, 480});
    const auto dest = [](int scheme) {
        return centredTableau({{Rule::FoundationScheme, scheme}, {Rule::FoundationCount, 4}, {Rule::FoundationRow, 1}});
    };
    // Stock 013 with two piles: stock at 15 + Trunc(9 / 2) = 19, waste 71 + 15 further.
    const auto afterStock = [](int hasWaste) {
        return centredTableau({{Rule::FoundationScheme, 17}, {Rule::FoundationCount, 4}, {Rule::FoundationRow, 3},
                               {Rule::StockScheme, 13}, {Rule::StockGroupPiles, 2}, {Rule::StockRow, 1},
                               {Rule::StockClickPlace, 1}, {Rule::StockToWaste, hasWaste}});
    };
    checkSchemes({
        // c' = Trunc((1014 - 284 - 2) / 5) = 145
        {"001", dest(1), wide, spaced(destPile, 4, 145, 216, 15)},
        // the last at 1014 - 71 - 10 - 5 = 928, each W + LM to the left
        {"008", dest(8), wide, spaced(destPile, 4, 928 - 3 * 81, 81, 15)},
        // c' = Trunc(10 / 3) = 3: the last over tableau pile 7, each W + 3 to the left
        {"009", dest(9), wide, spaced(destPile, 4, 714 - 3 * 74, 74, 15)},
        {"013", dest(13), wide, spaced(destPile, 4, 228 + 3 * 81, 81, 15)},
        {"013 low screen", dest(13), lowScreen, spaced(destPile, 4, 714 - 3 * 72, 72, 15)},
        {"017 after the waste", afterStock(1), wide,
         joined(std::vector<std::pair<PileRef, Point>>{{Mazzo, {19, 30}}, {Mazzo_Vis, {105, 30}}},
                spaced(destPile, 4, 105 + 71 + 20, 74, 30))},
        {"017 after the stock", afterStock(0), wide, spaced(destPile, 4, 19 + 71 + 20, 74, 30)},
        // the stock has no shadow offset on a low screen: 15, waste 101
        {"017 low screen", afterStock(1), lowScreen, spaced(destPile, 4, 101 + 71 + 10, 72, 30)},
    });
}

TEST(LayoutSchemes, Reserves)
{
    const LayoutInputs wide = wideWindow();
    const auto reserve = [](int scheme, std::initializer_list<std::pair<int, int>> more = {}, int piles = 7) {
        std::vector<std::pair<int, int>> rules =
            centredTableau({{Rule::ReserveScheme, scheme}, {Rule::ReserveCount, 3}, {Rule::ReserveRow, 3}}, piles);
        rules.insert(rules.end(), more);
        return rules;
    };
    checkSchemes({
        // No foundations: c' is still Trunc(10 / 3) = 3.
        {"006 without foundations", reserve(6), wide, spaced(appoggPile, 3, 228, 74, 227)},
        // Foundation scheme 001 leaves c' = 145.
        {"006 after foundations 001",
         reserve(6, {{Rule::FoundationScheme, 1}, {Rule::FoundationCount, 4}, {Rule::FoundationRow, 1}}), wide,
         spaced(appoggPile, 3, 228, 216, 227)},
        {"011", reserve(11, {{Rule::StockScheme, 21}, {Rule::StockGroupPiles, 2}, {Rule::StockRow, 1}}), wide,
         {{appoggPile(0), {142, 242}}, {appoggPile(1), {AppoggNotPlaced, 242}}}},
        {"012 seven piles", reserve(12), wide, {{appoggPile(0), {228 - 71 - 45, 227}}}},
        // eight piles: x1 = Trunc((1014 - 568 - 70) / 2) = 188
        {"012 eight piles", reserve(12, {}, 8), wide, {{appoggPile(0), {188 - 71 - 22, 227}}}},
    });
}

TEST(LayoutSchemes, SecondWaste)
{
    const LayoutInputs wide = wideWindow();
    const auto second = [](int scheme, int row, int count = 1) {
        return centredTableau({{Rule::SecondWasteScheme, scheme}, {Rule::SecondWastePiles, count}, {Rule::SecondWasteRow, row},
                               {Rule::StockScheme, 21}, {Rule::StockGroupPiles, 2}, {Rule::StockRow, 1}});
    };
    const Point none{StockNotPlaced, StockNotPlaced};
    checkSchemes({
        {"006", second(6, 3), wide, {{Mazzo_Waste, {309, 242}}}},
        {"007", second(7, 3), wide, {{Mazzo_Waste, {714, 242}}}},
        // just below row 2: 136 + 96 + 20
        {"016", second(16, 3), wide, {{Mazzo_Waste, {51, 252}}}},
        {"016 on row 1", second(16, 1), wide, {{Mazzo_Waste, {51, 30}}}},
        {"no rule", second(4, 3), wide, {{Mazzo_Waste, none}}},
        {"not placed", second(6, 3, 0), wide, {{Mazzo_Waste, none}}},
    });
}

TEST(Layout, CardSizesAndFanSteps)
{
    EXPECT_EQ(cardSizeFor('B', {}), (CardSize{71, 96}));
    EXPECT_EQ(cardSizeFor('M', {}), (CardSize{59, 80}));
    EXPECT_EQ(cardSizeFor('L', {}), (CardSize{25, 32}));
    EXPECT_EQ(cardSizeFor('X', {1, 2}), (CardSize{1, 2}));

    const FanSteps big = fnSetFanSteps(rulesWith({{Rule::TableauLayout, 1}, {Rule::ReserveLayout, 2}}), 'B');
    EXPECT_EQ(big, (FanSteps{18, 12, 4, 4, 0, 0, 6, 3}));
    const FanSteps medium = fnSetFanSteps(rulesWith({{Rule::TableauLayout, 6}}), 'M');
    EXPECT_EQ(medium, (FanSteps{0, 0, 0, 0, 5, 5, 6, 3}));
}

TEST(Layout, FanStepsByLayoutCodeAndCardSize)
{
    const struct {
        int tableau, reserve;
        char size;
        FanSteps steps;
    } cases[] = {
        {1, 0, 'M', {14, 0, 4, 0, 0, 0, 6, 3}},
        {0, 1, 'L', {3, 0, 3, 0, 0, 0, 6, 3}},
        {3, 2, 'B', {0, 12, 0, 4, 0, 0, 6, 3}},
        {2, 0, 'M', {0, 10, 0, 4, 0, 0, 6, 3}},
        {2, 1, 'L', {3, 3, 3, 3, 0, 0, 6, 3}},
        {6, 0, 'B', {0, 0, 0, 0, 7, 7, 6, 3}},
        {6, 0, 'L', {0, 0, 0, 0, 3, 3, 6, 3}},
        {0, 6, 'B', {}}, // only the tableau code gives the code-6 steps
        {4, 5, 'B', {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.tableau << "/" << c.reserve << " " << c.size);
        EXPECT_EQ(fnSetFanSteps(rulesWith({{Rule::TableauLayout, c.tableau}, {Rule::ReserveLayout, c.reserve}}), c.size),
                  c.steps);
    }
}

TEST(ScreenSizeRule, BigCardsOnASmallScreenBecomeMediumAndComeBack)
{
    const CardFields big{"B", "001", "002", "", "", ""};
    ScreenSizeOutcome first = applyScreenSizeRule(2, 800, "Some Game   ", big, {false, false, false});
    EXPECT_EQ(first.fields, (CardFields{"M", "003", "006", "B", "001", "002"}));
    EXPECT_EQ(first.message,
              "Your video card's display is 800x600 pixels. For the best graphics display of this game the screen "
              "resolution should be set to 1024x768 pixels or higher. However, it's possible to play Some Game "
              "using predefined card and deck sets.");
    EXPECT_FALSE(first.enableCustomize);

    // Once per run.
    first.flags.forcedMedium = false;
    const ScreenSizeOutcome again = applyScreenSizeRule(2, 800, "Some Game", big, first.flags);
    EXPECT_EQ(again.message, "");

    const ScreenSizeOutcome fits = applyScreenSizeRule(1, 800, "Other", first.fields, {false, false, true});
    EXPECT_EQ(fits.fields, big);
    EXPECT_TRUE(fits.enableCustomize);
    EXPECT_EQ(fits.message, "");
    EXPECT_FALSE(fits.flags.forcedMedium);

    const ScreenSizeOutcome medium = applyScreenSizeRule(1, 640, "Other", first.fields, {false, false, false});
    EXPECT_EQ(medium.message, "");
    EXPECT_TRUE(medium.flags.forcedMedium);
}

TEST(ScreenSizeRule, ThresholdsAndThe640Message)
{
    const CardFields big{"B", "001", "002", "", "", ""};
    const struct {
        int sizeClass, screenWidth;
        bool forced;
    } cases[] = {
        {1, 649, true}, {1, 650, false}, {2, 809, true}, {2, 810, false}, {0, 320, false}, {1, 800, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "class " << c.sizeClass << " width " << c.screenWidth);
        const ScreenSizeOutcome out = applyScreenSizeRule(c.sizeClass, c.screenWidth, "G", big, {false, false, false});
        EXPECT_EQ(out.fields.cardSize, c.forced ? "M" : "B");
        EXPECT_EQ(out.enableCustomize, !c.forced);
        EXPECT_EQ(out.message.empty(), !c.forced);
    }

    // The game name is cut to 50 characters and then right-trimmed.
    const std::string name = std::string(45, 'x') + "     tail";
    const ScreenSizeOutcome out = applyScreenSizeRule(1, 640, name, big, {false, false, false});
    EXPECT_EQ(out.message, "Your video card's display is 640x480 pixels. For the best graphics display the screen resolution "
                           "should be set to 800x600 pixels or higher. However, it's possible to play "
                               + std::string(45, 'x') + " using predefined card and deck sets.");
    EXPECT_TRUE(out.flags.shown640);
    EXPECT_FALSE(out.flags.shown800);
    EXPECT_TRUE(out.flags.forcedMedium);
    // The flag a game start left set keeps the message away.
    EXPECT_EQ(applyScreenSizeRule(1, 640, name, big, {true, false, false}).message, "");
}

// ---- hit test ----------------------------------------------------------------------------------

TEST(HitTest, BandsOfAVerticalFanAndItsEdges)
{
    const RuleTable rules = rulesWith({{Rule::TableauLayout, 1}, {Rule::TableauCount, 2}});
    CardTable cards;
    cards.piles.fila[0] = "001002003";
    cards.deck.setFace(1, Face::Down);
    cards.deck.setFace(2, Face::Up);
    cards.deck.setFace(3, Face::Up);
    PilePositions pos;
    pos.fila[0] = {100, 200};
    pos.fila[1] = {200, 200};
    const FanSteps steps = fnSetFanSteps(rules, 'B');
    const HitTestTable table{rules, cards, pos, steps, {71, 96}, 0};

    const struct {
        Point point;
        PileRef pile;
        int card;
        Point corner;
    } cases[] = {
        {{100, 200}, filaPile(0), 1, {100, 200}},
        {{171, 204}, filaPile(0), 1, {100, 200}}, // a face-down step of 4, both ends inclusive
        {{100, 205}, filaPile(0), 2, {100, 204}},
        {{100, 222}, filaPile(0), 2, {100, 204}},
        {{100, 223}, filaPile(0), 3, {100, 222}},
        {{100, 317}, filaPile(0), 3, {100, 222}}, // the top card's last pixel row
        {{100, 318}, filaPile(0), 0, {100, 200}}, // the pile's far edge, no card
        {{100, 319}, {}, 0, {}},
        {{172, 250}, {}, 0, {}},
        {{200, 296}, filaPile(1), 0, {200, 200}}, // an empty pile still ends the search
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y);
        const PileHit hit = hitTest(table, c.point);
        EXPECT_EQ(hit.pile, c.pile);
        EXPECT_EQ(hit.card, c.card);
        if (!c.pile.isNone()) {
            EXPECT_EQ(hit.corner, c.corner);
        }
    }

    // Scrolled by 50, everything lies 50 pixels higher in the window.
    const HitTestTable scrolled{rules, cards, pos, steps, {71, 96}, 50};
    EXPECT_EQ(hitTest(scrolled, {100, 173}), (PileHit{filaPile(0), 3, {100, 172}}));
}

TEST(HitTest, TopCardCodesSideBySideAndStackedPiles)
{
    CardTable cards;
    cards.piles.fila[0] = "004005";
    cards.piles.fila[1] = "006000007";
    cards.piles.dest[0] = "008009";
    cards.piles.appogg[0] = "010";
    cards.piles.stock[0] = "011012";
    PilePositions pos;
    pos.stock[0] = {10, 10};
    pos.fila[0] = {100, 200};
    pos.fila[1] = {100, 400};
    pos.dest[0] = {300, 10};
    pos.appogg[0] = {500, 10};
    const FanSteps steps;
    const CardSize card{71, 96};

    // Code 3: anywhere on the pile means its top card.
    const RuleTable code3 = rulesWith({{Rule::TableauLayout, 3}, {Rule::TableauCount, 2}, {Rule::ReserveCount, 1}});
    EXPECT_EQ(hitTest({code3, cards, pos, steps, card, 0}, {101, 201}), (PileHit{filaPile(0), 5, {100, 200}}));
    EXPECT_EQ(hitTest({code3, cards, pos, steps, card, 0}, {10, 106}), (PileHit{Mazzo, 12, {10, 10}}));
    EXPECT_EQ(hitTest({code3, cards, pos, steps, card, 0}, {371, 10}), (PileHit{destPile(0), 9, {300, 10}}));
    EXPECT_EQ(hitTest({code3, cards, pos, steps, card, 0}, {500, 106}), (PileHit{appoggPile(0), 10, {500, 10}}));

    // Code 4: cards side by side, W + 6 apart; a slot keeps its place; the piles are searched
    // from the last, and a pile without a card under the point lets the search go on.
    const RuleTable code4 = rulesWith({{Rule::TableauLayout, 4}, {Rule::TableauCount, 2}});
    const HitTestTable t4{code4, cards, pos, steps, card, 0};
    EXPECT_EQ(hitTest(t4, {100 + 78, 400}), (PileHit{filaPile(1), 0, {177, 400}}));
    EXPECT_EQ(hitTest(t4, {100 + 154 + 70, 401}), (PileHit{filaPile(1), 7, {254, 400}}));
    EXPECT_EQ(hitTest(t4, {100 + 77 + 10, 210}), (PileHit{filaPile(0), 5, {177, 200}}));
}

TEST(HitTest, FoundationReserveAndRightwardFans)
{
    CardTable cards;
    cards.piles.fila[0] = "004005";
    cards.piles.fila[1] = "012013014";
    cards.piles.dest[0] = "008009";
    cards.piles.appogg[0] = "010011";
    cards.deck.setFace(8, Face::Down);
    for (const int up : {4, 5, 9, 10, 11, 12, 13, 14})
        cards.deck.setFace(up, Face::Up);
    PilePositions pos;
    pos.fila[0] = {100, 200};
    pos.fila[1] = {100, 400};
    pos.dest[0] = {300, 10};
    pos.appogg[0] = {500, 10};
    const CardSize card{71, 96};

    // Tableau 2 and reserves 1 give the steps 12 / 4 across and 18 / 4 down; foundations 1 fan down.
    const RuleTable fans = rulesWith({{Rule::TableauLayout, 2}, {Rule::FoundationLayout, 1}, {Rule::ReserveLayout, 1},
                                      {Rule::TableauCount, 1}, {Rule::ReserveCount, 1}});
    // Tableau and reserves 5: 3-pixel stacks; foundations stacked.
    const RuleTable tight = rulesWith({{Rule::TableauLayout, 5}, {Rule::ReserveLayout, 5}, {Rule::TableauCount, 2},
                                       {Rule::ReserveCount, 1}});
    // Foundations follow the tableau's rightward fan; reserves 2 fan rightward too.
    const RuleTable rightward = rulesWith({{Rule::TableauLayout, 2}, {Rule::ReserveLayout, 2}, {Rule::TableauCount, 1},
                                           {Rule::ReserveCount, 1}});
    // Only the tableau and reserve codes give steps: foundations 1 beside tableau 2 and reserves 5 stay stacked.
    const RuleTable noVerticalSteps = rulesWith({{Rule::TableauLayout, 2}, {Rule::FoundationLayout, 1},
                                                 {Rule::ReserveLayout, 5}, {Rule::TableauCount, 1}});

    const struct {
        const char* name;
        const RuleTable& rules;
        Point point;
        PileHit hit;
    } cases[] = {
        {"rightward first band", fans, {112, 250}, {filaPile(0), 4, {100, 200}}},
        {"rightward top card", fans, {113, 250}, {filaPile(0), 5, {112, 200}}},
        {"rightward top card's last column", fans, {182, 296}, {filaPile(0), 5, {112, 200}}},
        {"rightward far edge", fans, {183, 250}, {filaPile(0), 0, {100, 200}}},
        {"past the rightward pile", fans, {184, 250}, {}},
        // The face-down bottom card steps 4: the top card lies at y 14.
        {"foundation above its top card", fans, {300, 13}, {}},
        {"foundation top card", fans, {371, 110}, {destPile(0), 9, {300, 14}}},
        {"reserve above its top card", fans, {500, 27}, {}},
        {"reserve top card", fans, {500, 124}, {appoggPile(0), 11, {500, 28}}},
        // Tableau code 5: bands of 3, the last card 95.
        {"tight first band", tight, {100, 403}, {filaPile(1), 12, {100, 400}}},
        {"tight second band", tight, {100, 406}, {filaPile(1), 13, {100, 403}}},
        {"tight top card", tight, {100, 501}, {filaPile(1), 14, {100, 406}}},
        {"tight far edge", tight, {100, 502}, {filaPile(1), 0, {100, 400}}},
        {"stacked foundation", tight, {371, 106}, {destPile(0), 9, {300, 10}}},
        {"reserve above its tight top card", tight, {500, 12}, {}},
        {"reserve tight top card", tight, {500, 109}, {appoggPile(0), 11, {500, 13}}},
        {"reserve fanned rightward", rightward, {512, 10}, {appoggPile(0), 11, {512, 10}}},
        {"left of the reserve's top card", rightward, {511, 10}, {}},
        {"foundation fanned rightward", rightward, {304, 10}, {destPile(0), 9, {304, 10}}},
        {"left of the foundation's top card", rightward, {303, 10}, {}},
        {"foundation without vertical steps", noVerticalSteps, {300, 10}, {destPile(0), 9, {300, 10}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const FanSteps steps = fnSetFanSteps(c.rules, 'B');
        const PileHit hit = hitTest({c.rules, cards, pos, steps, card, 0}, c.point);
        EXPECT_EQ(hit.pile, c.hit.pile);
        EXPECT_EQ(hit.card, c.hit.card);
        if (!c.hit.pile.isNone()) {
            EXPECT_EQ(hit.corner, c.hit.corner);
        }
    }
}

// ---- scrolling ---------------------------------------------------------------------------------

TEST(Scrolling, TheBarGrowsWithTheTableAndGoesWhenItFits)
{
    ScrollInputs in{true, 1, 96, 900, 700, 730};
    const ScrollDecision grow = fnUpdateScrollBar(in, {});
    EXPECT_EQ(grow.action, ScrollDecision::Action::Grow);
    EXPECT_EQ(grow.bufferGrowth, 192 + 200);
    EXPECT_EQ(grow.bar, (ScrollBarState{true, 0, 100 + 392 - 30}));

    in.tableBottom = 650;
    const ScrollDecision reset = fnUpdateScrollBar(in, {true, 120, 462});
    EXPECT_EQ(reset.action, ScrollDecision::Action::Reset);
    EXPECT_EQ(reset.bar, (ScrollBarState{false, 0, 100}));

    in = {true, 2, 96, 900, 700, 730}; // a tableau fanned rightward never scrolls
    EXPECT_EQ(fnUpdateScrollBar(in, {}).action, ScrollDecision::Action::None);
    in = {false, 1, 96, 900, 700, 730};
    EXPECT_EQ(fnUpdateScrollBar(in, {}).action, ScrollDecision::Action::None);

    EXPECT_EQ(fnPlaceScrollBar(1024, 700, 16, 60), (Rect{1008, 62, 16, 638}));
    const ScrollSync sync = fnSyncScrollOffset(20, 50);
    EXPECT_EQ(sync.scrollOffset, 50);
    EXPECT_EQ(sync.motionShift, 30);
}

// ---- the shipped catalogue ---------------------------------------------------------------------

TEST(LayoutCatalogue, EveryShippedGameFitsTheDefaultWindowWithoutOverlaps)
{
    test::TempDir dir("layout");
    std::vector<std::string> errors;
    ASSERT_TRUE(catalogue::compileFolder(KST_SOURCE_DIR "/catalogue", dir.path(), errors))
        << (errors.empty() ? "" : errors.front());
    GameCatalogue games;
    const CatalogueResult loaded = games.load(dir.file("GAMES.DAT"));
    ASSERT_TRUE(loaded.ok) << loaded.message;
    ASSERT_FALSE(games.games().empty());

    const LayoutInputs in{1016, 740, 60, 680, {1280, 1024}, {71, 96}, true};
    for (const CatalogueGame& game : games.games()) {
        SCOPED_TRACE(game.name);
        RuleTable rules;
        ASSERT_TRUE(games.loadRules(game.gameId, rules).ok);
        const PilePositions p = fnComputeLayout(rules, in);

        std::vector<PileRef> used;
        for (int i = 0; i < std::min<int>(rules[Rule::StockGroupPiles], 2); ++i)
            used.push_back({PileGroup::Stock, std::int8_t(i)});
        for (int i = 0; i < rules[Rule::FoundationCount]; ++i)
            used.push_back(destPile(i));
        for (int i = 0; i < rules[Rule::TableauCount]; ++i)
            used.push_back(filaPile(i));
        for (int i = 0; i < rules[Rule::ReserveCount]; ++i)
            used.push_back(appoggPile(i));

        std::vector<std::pair<PileRef, Rect>> placed;
        for (const PileRef ref : used) {
            ASSERT_TRUE(p.isPlaced(ref)) << pileName(ref);
            const Rect r{p.at(ref).x, p.at(ref).y, 71, 96};
            EXPECT_GE(r.x, 0) << pileName(ref);
            EXPECT_LE(r.right(), in.width) << pileName(ref);
            EXPECT_GE(r.y, in.top) << pileName(ref);
            EXPECT_LE(r.bottom(), in.bottom) << pileName(ref);
            for (const auto& [other, rect] : placed)
                EXPECT_FALSE(r.x < rect.right() && rect.x < r.right() && r.y < rect.bottom() && rect.y < r.bottom())
                    << pileName(ref) << " overlaps " << pileName(other);
            placed.push_back({ref, r});
        }
    }
}

} // namespace
} // namespace kst
