#include "storage/CustomRules.h"

#include "storage/CustomGames.h"
#include "tests/support/CatalogueFiles.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <map>

namespace kst {
namespace {

using test::TestGame;

// One game per column, each with the rule values that matter for what may be customized; every
// other value is 0.
struct OfferCase {
    const char* name;
    std::map<int, int> rules;
    CustomizeOffer offer;
};

// A stock that deals onto a waste, its three flags "only for an ordinary game".
// It deals one card a click, allows two redeals and takes only a King on an empty pile.
const std::map<int, int> kOrdinary = {
    {Rule::StockClickPlace, 1},     {Rule::StockToWaste, 1},   {Rule::StockGroupPiles, 1},
    {Rule::TableauBuildCode, 3},    {Rule::TableauCount, 1},   {Rule::CardsPerStockClick, 1},
    {Rule::Deals, 3},               {Rule::TableauEmptyRule, 13}, {Rule::CustomizeStockClick, 2},
    {Rule::CustomizeDeals, 2},      {Rule::CustomizeEmptyRule, 2}};

std::map<int, int> ordinaryWith(std::map<int, int> changes)
{
    std::map<int, int> rules = kOrdinary;
    for (const auto& [index, value] : changes)
        rules[index] = value;
    return rules;
}

const std::vector<OfferCase> kOfferCases = {
    {"ordinary stock game", kOrdinary, {true, true, true}},
    {"stock deals to the tableau", ordinaryWith({{Rule::StockToTableau, 1}}), {false, false, true}},
    {"stock deals to tableau 2", ordinaryWith({{Rule::StockToTableau + 1, 1}}), {false, false, true}},
    {"always, whatever the stock",
     ordinaryWith({{Rule::StockToTableau, 1}, {Rule::CustomizeStockClick, 1}, {Rule::CustomizeDeals, 1}}),
     {true, true, true}},
    {"never", ordinaryWith({{Rule::CustomizeStockClick, 0}, {Rule::CustomizeDeals, 0}, {Rule::CustomizeEmptyRule, 0}}),
     {false, false, false}},
    {"a second waste instead of the waste", ordinaryWith({{Rule::StockToWaste, 0}, {Rule::SecondWastePiles, 1}}),
     {true, true, true}},
    {"no stock click", ordinaryWith({{Rule::StockClickPlace, 0}}), {false, false, true}},
    {"no stock piles", ordinaryWith({{Rule::StockGroupPiles, 0}}), {false, false, true}},
    {"pairing game", ordinaryWith({{Rule::PairingSum, 13}}), {true, true, false}},
    {"closed tableau", ordinaryWith({{Rule::TableauBuildCode, 4}}), {true, true, false}},
    {"pairing, but always", ordinaryWith({{Rule::PairingSum, 13}, {Rule::CustomizeEmptyRule, 1}}), {true, true, true}},
};

class CustomRulesTest : public ::testing::Test {
protected:
    CustomRulesTest()
    {
        std::vector<TestGame> games;
        for (std::size_t i = 0; i < kOfferCases.size(); ++i)
            games.push_back({5, int(i), kOfferCases[i].name});
        m_dir.write("GAMES.DAT", test::joinLines(test::catalogueLines(games, [](int index, int column) {
            const std::map<int, int>& rules = kOfferCases[std::size_t(column)].rules;
            const auto at = rules.find(index);
            return at == rules.end() ? 0 : at->second;
        })));
        m_dir.write("GAM_CUST.DAT", test::customGamesFile({{8000, "Custom pairing", 8, "0010013"},
                                                          {8001, "Custom ordinary", 0, "003-013"},
                                                          {8002, "Custom to tableau", 1, "003-013"},
                                                          {8003, "Base gone", 99, "003-013"}}));
        const CatalogueResult loaded = m_catalogue.load(m_dir.file("GAMES.DAT"));
        EXPECT_TRUE(loaded.ok) << loaded.message;
    }

    test::TempDir m_dir{"custom-rules"};
    GameCatalogue m_catalogue{m_dir.file("GAM_CUST.DAT")};
};

TEST_F(CustomRulesTest, WhatAGameOffers)
{
    for (std::size_t i = 0; i < kOfferCases.size(); ++i) {
        const CustomizeOffer offer = customizeOffer(m_catalogue, int(i));
        const CustomizeOffer& expected = kOfferCases[i].offer;
        EXPECT_EQ(offer.cardsPerClick, expected.cardsPerClick) << kOfferCases[i].name;
        EXPECT_EQ(offer.deals, expected.deals) << kOfferCases[i].name;
        EXPECT_EQ(offer.tableauFill, expected.tableauFill) << kOfferCases[i].name;
    }
    // A customized game offers what its base game does; an unknown game nothing.
    const CustomizeOffer custom = customizeOffer(m_catalogue, 8000);
    EXPECT_TRUE(custom.cardsPerClick && custom.deals && !custom.tableauFill);
    EXPECT_FALSE(customizeOffer(m_catalogue, 8009).any());
    EXPECT_FALSE(customizeOffer(m_catalogue, 99).any());
}

// The dialog starts from the rules as loaded: a deal that turned "the rank below the base" into
// a rank still shows King only.
TEST_F(CustomRulesTest, TheRunningGamesValues)
{
    const struct {
        int emptyRule;
        TableauFill fill;
    } cases[] = {{13, TableauFill::KingOnly}, {91, TableauFill::KingOnly}, {-1, TableauFill::AnyCard},
                 {0, TableauFill::None},      {5, TableauFill::AnyCard}};
    for (const auto& c : cases) {
        RuleTable rules;
        rules.set(Rule::CardsPerStockClick, 3);
        rules.set(Rule::Deals, -1);
        rules.set(Rule::TableauEmptyRule, std::int16_t(c.emptyRule));
        rules.saveRuleBlock();
        rules.set(Rule::TableauEmptyRule, 12); // as a deal writes it
        EXPECT_EQ(customizationOf(rules), (Customization{3, -1, c.fill})) << c.emptyRule;
    }
}

TEST_F(CustomRulesTest, WhatIsStored)
{
    const Customization running{3, 2, TableauFill::AnyCard};
    // A rule the game does not offer keeps the running game's value, whatever the dialog read.
    EXPECT_EQ(customizationToStore({1, 1, TableauFill::None}, running, {false, false, false}),
              (Customization{3, 2, TableauFill::NotCustomized}));
    EXPECT_EQ(customizationToStore({1, 1, TableauFill::None}, running, {false, true, true}),
              (Customization{3, 1, TableauFill::None}));
    // Typed values beyond what a stock can do are held to its limits.
    EXPECT_EQ(customizationToStore({0, 1000, TableauFill::KingOnly}, running, {true, true, true}),
              (Customization{1, 999, TableauFill::KingOnly}));
    EXPECT_EQ(customizationToStore({500, -1, TableauFill::KingOnly}, running, {true, true, true}),
              (Customization{104, -1, TableauFill::KingOnly}));

    EXPECT_EQ(customizationText({1, -1, TableauFill::AnyCard}), "001-012");
    EXPECT_EQ(customizationText({3, 1, TableauFill::NotCustomized}), "0030010");
    EXPECT_EQ(customizationText({104, 999, TableauFill::None}), "1049993");
}

TEST_F(CustomRulesTest, NamesANewGameCannotHave)
{
    const struct {
        std::string name;
        const char* problem;
    } cases[] = {
        {"ab", "Please enter at least 3 characters."},
        {"  ab   ", "Please enter at least 3 characters."},
        {std::string(51, 'x'), "A game name has at most 50 characters."},
        {"tab\there", "A game name cannot hold line breaks or tabs."},
        {"two\nlines", "A game name cannot hold line breaks or tabs."},
        {"ORDINARY STOCK GAME", "This game name already exists."},
        {"custom Pairing  ", "This game name already exists."},
        {"abc", ""},
        {std::string(50, 'x'), ""},
        {"  Padded name  ", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(customGameNameProblem(m_catalogue, c.name), c.problem) << c.name;
}

// The rules help of a customized game: each rule as the customized game and its base game play
// it, "-" in both where the base game does not offer it.
TEST_F(CustomRulesTest, ACustomizedGameBesideItsBase)
{
    const CustomComparison ordinary = compareWithBase(m_catalogue, 8001);
    ASSERT_TRUE(ordinary.found);
    EXPECT_EQ(ordinary.baseGameId, 0);
    EXPECT_EQ(ordinary.cardsDealt[0], "3");
    EXPECT_EQ(ordinary.cardsDealt[1], "1");
    EXPECT_EQ(ordinary.redeals[0], "Unlimited");
    EXPECT_EQ(ordinary.redeals[1], "2");
    EXPECT_EQ(ordinary.tableauSpaces[0], "None");
    EXPECT_EQ(ordinary.tableauSpaces[1], "King only");

    const CustomComparison toTableau = compareWithBase(m_catalogue, 8002);
    EXPECT_EQ(toTableau.cardsDealt[0], "-");
    EXPECT_EQ(toTableau.cardsDealt[1], "-");
    EXPECT_EQ(toTableau.redeals[1], "-");
    EXPECT_EQ(toTableau.tableauSpaces[0], "None");

    EXPECT_EQ(compareWithBase(m_catalogue, 8000).tableauSpaces[0], "-");
    EXPECT_FALSE(compareWithBase(m_catalogue, 8003).found);
    EXPECT_FALSE(compareWithBase(m_catalogue, 8009).found);
}

} // namespace
} // namespace kst
