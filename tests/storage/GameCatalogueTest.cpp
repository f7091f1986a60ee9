#include "storage/GameCatalogue.h"

#include "tests/support/CatalogueFiles.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <random>

namespace kst {
namespace {

using test::catalogueLines;
using test::customGamesFile;
using test::joinLines;
using test::storedShifted;
using test::TestGame;

const std::vector<TestGame> kThreeGames = {{5, 1, "Alpha"}, {3, 2, "Beta Two"}, {8, 3, "Gamma"}};

// Line of parameter index in a file of kThreeGames.
constexpr std::size_t lineOf(int index) { return std::size_t(index) + 5; }

class GameCatalogueTest : public ::testing::Test {
protected:
    // Each game's values from a map of index to one value per column; every other entry 0.
    std::vector<std::string> linesWith(const std::vector<TestGame>& games, std::map<int, std::vector<int>> values)
    {
        return catalogueLines(games, [&](int index, int column) {
            const auto found = values.find(index);
            return found == values.end() ? 0 : found->second[std::size_t(column)];
        });
    }
    CatalogueResult load(const std::vector<std::string>& lines)
    {
        m_dir.write("GAMES.DAT", joinLines(lines));
        return m_catalogue.load(m_dir.file("GAMES.DAT"));
    }
    void writeCustom(const std::vector<test::TestCustomGame>& games)
    {
        m_dir.write("GAM_CUST.DAT", customGamesFile(games));
    }

    test::TempDir m_dir{"catalogue"};
    GameCatalogue m_catalogue{m_dir.file("GAM_CUST.DAT")};
    RuleTable m_table;
};

TEST_F(GameCatalogueTest, IndexFieldAndShiftedValuesReachTheirEntries)
{
    std::vector<std::string> lines = linesWith(kThreeGames, {{20, {3, 1, 2}}, {282, {52, 104, -1}}});
    // Nine stored code-96 characters and one code-98 read as "0000000002".
    lines[lineOf(13) - 1] = "0013" + std::string(12, ' ') + "`````````b " + test::valueField(0) + test::valueField(0);
    ASSERT_EQ(lines[lineOf(20) - 1].substr(0, 4), "0020");
    ASSERT_TRUE(load(lines).ok);

    ASSERT_TRUE(m_catalogue.loadRules(1, m_table).ok);
    EXPECT_EQ(m_table[Rule::CardsPerStockClick], 3);
    EXPECT_EQ(m_table[Rule::Deals], 2);
    EXPECT_EQ(m_table[Rule::DeckSize], 52);
    ASSERT_TRUE(m_catalogue.loadRules(3, m_table).ok);
    EXPECT_EQ(m_table[Rule::DeckSize], -1);
    EXPECT_EQ(m_table[Rule::Deals], 0);
}

TEST_F(GameCatalogueTest, GameListNamesAndCategories)
{
    ASSERT_TRUE(load(linesWith(kThreeGames, {})).ok);
    writeCustom({{8000, "My Own", 2, "0030003"}});
    ASSERT_EQ(m_catalogue.games().size(), 3u);
    EXPECT_EQ(m_catalogue.gameName(2), "Beta Two");
    EXPECT_EQ(m_catalogue.gameName(8000), "My Own");
    EXPECT_EQ(m_catalogue.gameName(4), "");
    EXPECT_EQ(m_catalogue.gameIdByName("beta two  "), 2);
    EXPECT_EQ(m_catalogue.gameIdByName("MY OWN"), 8000);
    EXPECT_EQ(m_catalogue.gameIdByName("Beta"), -1);
    EXPECT_EQ(m_catalogue.gameCategory(3), 8);
    EXPECT_EQ(m_catalogue.gameCategory(8000), 800);
    EXPECT_EQ(m_catalogue.gameCategory(8001), -1);
    EXPECT_EQ(m_catalogue.gameCategory(4), -1);
}

TEST_F(GameCatalogueTest, BrowserListsAndTheNewFlag)
{
    std::vector<TestGame> games = kThreeGames;
    games[2].isNew = true;
    std::vector<std::string> lines = linesWith(games, {});
    // A list twice is read whole; a line that holds no id is passed over; a list may be missing.
    for (const std::string line : {"[SectS]", "3", "1  ", "", "x", "[SectO]", "2", "[SectS]", "2"})
        lines.push_back(line.starts_with('[') ? line : storedShifted(line));
    ASSERT_TRUE(load(lines).ok);
    EXPECT_EQ(m_catalogue.gameList(GameList::Selected), (std::vector<int>{3, 1, 2}));
    EXPECT_EQ(m_catalogue.gameList(GameList::Original), (std::vector<int>{2}));
    EXPECT_TRUE(m_catalogue.gameList(GameList::Children).empty());
    EXPECT_FALSE(m_catalogue.games()[0].isNew);
    EXPECT_TRUE(m_catalogue.games()[2].isNew);
}

TEST_F(GameCatalogueTest, CatalogueNameWinsOverCustomizedName)
{
    ASSERT_TRUE(load(linesWith(kThreeGames, {})).ok);
    writeCustom({{8000, "alpha", 2, ""}});
    EXPECT_EQ(m_catalogue.gameIdByName("Alpha"), 1);
}

TEST_F(GameCatalogueTest, SkippedLineTakesNoColumn)
{
    const std::vector<TestGame> games = {{5, 1, "One"}, {5, 2, "Hidden", true}, {5, 3, "Three"}};
    ASSERT_TRUE(load(linesWith(games, {{282, {52, 104}}})).ok);
    EXPECT_EQ(m_catalogue.games().size(), 2u);
    EXPECT_EQ(m_catalogue.columnOf(2), -1);
    EXPECT_EQ(m_catalogue.gameName(2), "");
    ASSERT_TRUE(m_catalogue.loadRules(3, m_table).ok);
    EXPECT_EQ(m_table[Rule::DeckSize], 104);
}

TEST_F(GameCatalogueTest, ColumnTriesThePositionFirstThenSearches)
{
    const std::vector<TestGame> games = {{5, 2, "First two"}, {5, 5, "Five"}, {5, 2, "Second two"}};
    ASSERT_TRUE(load(linesWith(games, {})).ok);
    EXPECT_EQ(m_catalogue.columnOf(2), 2);
    EXPECT_EQ(m_catalogue.columnOf(5), 1);
    EXPECT_EQ(m_catalogue.columnOf(7), -1);
    EXPECT_EQ(m_catalogue.columnOf(-1), -1);
}

TEST_F(GameCatalogueTest, SecondGameClearsTheFirstAndSavesItsBlock)
{
    ASSERT_TRUE(load(linesWith(kThreeGames, {{50, {9, 0, 0}}, {107, {13, 0, 0}}, {300, {4, 0, 0}}, {282, {52, 52, 52}}})).ok);
    ASSERT_TRUE(m_catalogue.loadRules(1, m_table).ok);
    EXPECT_EQ(m_table[50], 9);
    m_table.set(107, 5); // as a deal does
    m_table.restoreRuleBlock();
    EXPECT_EQ(m_table[107], 13);

    ASSERT_TRUE(m_catalogue.loadRules(2, m_table).ok);
    EXPECT_EQ(m_table[50], 0);
    EXPECT_EQ(m_table[107], 0);
    EXPECT_EQ(m_table[300], 0);
    m_table.restoreRuleBlock();
    EXPECT_EQ(m_table[50], 0);
}

TEST_F(GameCatalogueTest, GameWithoutColumnIsRefusedAndLeavesNoRules)
{
    ASSERT_TRUE(load(linesWith(kThreeGames, {{282, {52, 52, 52}}})).ok);
    writeCustom({{8000, "Orphan", 77, "0030003"}});
    for (const int gameId : {4, -1, 8000, 8001}) {
        ASSERT_TRUE(m_catalogue.loadRules(1, m_table).ok);
        const CatalogueResult refused = m_catalogue.loadRules(gameId, m_table);
        EXPECT_FALSE(refused.ok) << gameId;
        EXPECT_FALSE(refused.message.empty()) << gameId;
        EXPECT_EQ(m_table[Rule::DeckSize], 0) << gameId;
    }
}

struct CustomizationCase {
    std::string text;
    int perClick;
    int deals;
    int emptyRule; // of the piles in use
};

void PrintTo(const CustomizationCase& c, std::ostream* out)
{
    *out << '"' << c.text << '"';
}

class CustomizationTest : public GameCatalogueTest, public ::testing::WithParamInterface<CustomizationCase> {};

// The base game: 1 card per click, 2 deals, 4 tableau piles with King-only spaces, 55 beyond them.
TEST_P(CustomizationTest, OverridesApplyToTheBaseColumn)
{
    const CustomizationCase& c = GetParam();
    std::map<int, std::vector<int>> values = {{20, {1, 0, 0}}, {13, {2, 0, 0}}, {279, {4, 0, 0}}, {111, {55, 0, 0}}};
    for (int i = 107; i < 111; ++i)
        values[i] = {13, 0, 0};
    ASSERT_TRUE(load(linesWith(kThreeGames, values)).ok);
    writeCustom({{8000, "Custom", 1, c.text}});

    ASSERT_TRUE(m_catalogue.loadRules(8000, m_table).ok);
    EXPECT_EQ(m_table[Rule::CardsPerStockClick], c.perClick);
    EXPECT_EQ(m_table[Rule::Deals], c.deals);
    for (int i = 107; i < 111; ++i)
        EXPECT_EQ(m_table[i], c.emptyRule) << i;
    EXPECT_EQ(m_table[111], 55);
    EXPECT_EQ(m_table.savedRuleBlock()[0], c.emptyRule);

    // The same base game loaded directly keeps its catalogue values.
    ASSERT_TRUE(m_catalogue.loadRules(1, m_table).ok);
    EXPECT_EQ(m_table[Rule::CardsPerStockClick], 1);
    EXPECT_EQ(m_table[107], 13);
}

INSTANTIATE_TEST_SUITE_P(Texts, CustomizationTest,
                         ::testing::Values(CustomizationCase{"0030003", 3, 0, 0},
                                           CustomizationCase{"0030033", 3, 3, 0},
                                           CustomizationCase{"001-011", 1, -1, 91},
                                           CustomizationCase{"0050012", 5, 1, -1},
                                           CustomizationCase{"x030002", 1, 2, -1}, // both stay
                                           CustomizationCase{"003xx01", 3, 2, 91}, // deals stay
                                           CustomizationCase{"0030034", 3, 3, 13},
                                           CustomizationCase{"003", 3, 2, 13},
                                           CustomizationCase{"", 1, 2, 13}));

TEST_F(GameCatalogueTest, DamagedTableauCountStaysInsideTheTableauRules)
{
    ASSERT_TRUE(load(linesWith(kThreeGames, {{279, {0, 300, 0}}, {135, {0, 7, 0}}})).ok);
    writeCustom({{8000, "Wide", 2, "0010013"}});
    m_table.set(135, 1);
    ASSERT_TRUE(m_catalogue.loadRules(8000, m_table).ok);
    EXPECT_EQ(m_table[134], 0);
    EXPECT_EQ(m_table[135], 7);
}

TEST_F(GameCatalogueTest, ReadRuleValuesFillsNotAskedSlots)
{
    ASSERT_TRUE(load(linesWith(kThreeGames, {{20, {1, 3, 0}}, {13, {1, -1, 0}}, {367, {0, 9, 0}}})).ok);
    writeCustom({{8000, "Custom", 2, "0050053"}});
    for (const int gameId : {2, 8000}) {
        const RuleValuesRead read = m_catalogue.readRuleValues(gameId, {20, 13, 367, 0});
        ASSERT_TRUE(read.ok) << gameId;
        EXPECT_EQ(read.values, (std::array<int, 9>{3, -1, 9, 0, -99, -99, -99, -99, -99})) << gameId;
    }
    EXPECT_FALSE(m_catalogue.readRuleValues(4, {20}).ok);
    EXPECT_FALSE(m_catalogue.readRuleValues(2, {368}).ok);
    EXPECT_FALSE(m_catalogue.readRuleValues(2, std::vector<int>(10, 1)).ok);
}

struct DamageCase {
    std::string name;
    std::function<void(std::vector<std::string>&)> damage;
    std::string message;
};

// Replaces the value field of column c (0-based) of a parameter line by a plain text, stored.
void setValue(std::vector<std::string>& lines, int index, std::size_t c, const std::string& plain)
{
    lines[lineOf(index) - 1].replace(16 + 11 * c, 10, storedShifted(fnPadRight(plain, 10)));
}

TEST_F(GameCatalogueTest, DamagedFileIsRefusedWithItsLine)
{
    const std::vector<DamageCase> cases = {
        {"no game list", [](auto& l) { l.erase(l.begin(), l.begin() + 4); }, "GAMES.DAT: section [Sect1] is missing"},
        {"no matrix", [](auto& l) { l.resize(4); }, "GAMES.DAT: section [Sect2] is missing"},
        {"short game line", [](auto& l) { l[2] = storedShifted("003 0"); },
         "GAMES.DAT:3: game line is too short: \"003 0\""},
        {"category", [](auto& l) { l[1] = storedShifted("0x5 001   Alpha"); },
         "GAMES.DAT:2: game category is not a number: \"0x5\""},
        {"game id", [](auto& l) { l[3] = storedShifted("008 0-3   Gamma"); },
         "GAMES.DAT:4: game id is not a number: \"0-3\""},
        {"index text", [](auto& l) { l[lineOf(3) - 1].replace(0, 4, "00x3"); },
         "GAMES.DAT:8: parameter index is not a number: \"00x3\""},
        {"index range", [](auto& l) { l[lineOf(3) - 1].replace(0, 4, "0400"); },
         "GAMES.DAT:8: parameter index 400 is not in 0..367"},
        {"index order", [](auto& l) { std::swap(l[lineOf(3) - 1], l[lineOf(4) - 1]); },
         "GAMES.DAT:8: parameter 4 stands where parameter 3 belongs"},
        {"index missing", [](auto& l) { l.erase(l.begin() + lineOf(3) - 1); },
         "GAMES.DAT:8: parameter 4 stands where parameter 3 belongs"},
        {"short line", [](auto& l) { l[lineOf(52) - 1].resize(16 + 11 * 2 + 9); },
         "GAMES.DAT:57: line is too short for 3 games"},
        {"not a number", [](auto& l) { setValue(l, 52, 2, "12x"); },
         "GAMES.DAT:57: value of game 3 is not a number: \"12x\""},
        {"blank value", [](auto& l) { setValue(l, 52, 0, ""); },
         "GAMES.DAT:57: value of game 1 is not a number: \"\""},
        {"sign alone", [](auto& l) { setValue(l, 52, 1, "-"); },
         "GAMES.DAT:57: value of game 2 is not a number: \"-\""},
        {"too large", [](auto& l) { setValue(l, 52, 1, "32768"); },
         "GAMES.DAT:57: value of game 2 does not fit 16 bits: \"32768\""},
        {"too small", [](auto& l) { setValue(l, 52, 1, "-32769"); },
         "GAMES.DAT:57: value of game 2 does not fit 16 bits: \"-32769\""},
    };
    const std::vector<std::string> valid = linesWith(kThreeGames, {{282, {52, 52, 52}}});
    ASSERT_TRUE(load(valid).ok);
    for (const DamageCase& c : cases) {
        std::vector<std::string> lines = valid;
        c.damage(lines);
        const CatalogueResult result = load(lines);
        EXPECT_FALSE(result.ok) << c.name;
        EXPECT_EQ(result.message, c.message) << c.name;
        // A failed load keeps the catalogue that was there.
        EXPECT_EQ(m_catalogue.games().size(), 3u) << c.name;
    }

    GameCatalogue fresh;
    const CatalogueResult missing = fresh.load(m_dir.file("NONE.DAT"));
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.message, "Cannot find file: " + m_dir.file("NONE.DAT"));
}

TEST_F(GameCatalogueTest, ValuesAtTheEdgesOf16BitsAndBlankLinesAreAccepted)
{
    std::vector<std::string> lines = linesWith(kThreeGames, {});
    setValue(lines, 5, 0, "32767");
    setValue(lines, 5, 1, "-32768");
    setValue(lines, 5, 2, " +7");
    lines.insert(lines.begin() + 4, "");
    lines.emplace_back("");
    ASSERT_TRUE(load(lines).ok);
    const std::array<int, 3> expected = {32767, -32768, 7};
    for (int game = 1; game <= 3; ++game)
        EXPECT_EQ(m_catalogue.readRuleValues(game, {5}).values[0], expected[std::size_t(game - 1)]);
}

TEST(CategoryIconTest, NamesByCategory)
{
    EXPECT_EQ(categoryIconName(2), "TREE5_CANFIELD_TYPE");
    EXPECT_EQ(categoryIconName(9), "TREE5_1DECK_TYPE");
    EXPECT_EQ(categoryIconName(13), "TREE5_ROW_TYPE");
    EXPECT_EQ(categoryIconName(800), "TREE5_CUSTOMIZED_GAMES");
    EXPECT_EQ(categoryIconName(14), "GameCategory not found (14)");
    EXPECT_EQ(categoryIconName(-1), "GameCategory not found (-1)");
}

// Random damage to both files: every load either succeeds or says why, and whatever loaded
// answers every question without crashing.
TEST(GameCatalogueRobustnessTest, DamagedFilesNeverCrash)
{
    test::TempDir dir("catalogue-random");
    std::mt19937 random(20240611u);
    const auto below = [&](std::size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    const std::vector<std::string> valid = catalogueLines(kThreeGames, [](int index, int column) { return index * 3 + column; });
    const std::string custom = customGamesFile({{8000, "A", 1, "0030003"}, {8001, "B", 3, "-01-011"}});
    static constexpr char structure[] = {'[', ']', '`', 'b', ' ', '\r', '\n', '\0', '9', 'i'};

    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> lines = valid;
        for (std::size_t n = 1 + below(4); n > 0; --n) {
            std::string& line = lines[below(lines.size())];
            switch (below(5)) {
            case 0: line.resize(below(line.size() + 1)); break;
            case 1: if (!line.empty()) line[below(line.size())] = below(2) ? structure[below(sizeof structure)] : char(below(256)); break;
            case 2: lines.erase(lines.begin() + std::ptrdiff_t(below(lines.size()))); break;
            case 3: lines.insert(lines.begin() + std::ptrdiff_t(below(lines.size())), std::string(below(80), char(below(256)))); break;
            default: line = "[" + line; break;
            }
        }
        std::string customText = custom.substr(0, below(custom.size() + 1));
        for (std::size_t n = below(6); n > 0 && !customText.empty(); --n)
            customText[below(customText.size())] = char(below(256));
        dir.write("GAMES.DAT", joinLines(lines));
        dir.write("GAM_CUST.DAT", customText);

        GameCatalogue catalogue(dir.file("GAM_CUST.DAT"));
        const CatalogueResult loaded = catalogue.load(dir.file("GAMES.DAT"));
        EXPECT_TRUE(loaded.ok || !loaded.message.empty()) << round;
        RuleTable table;
        for (const int gameId : {0, 1, 2, 3, 8000, 8001, 9999}) {
            const CatalogueResult rules = catalogue.loadRules(gameId, table);
            EXPECT_TRUE(rules.ok || !rules.message.empty()) << round;
            catalogue.readRuleValues(gameId, {1, 20, 279, 367});
            catalogue.gameName(gameId);
            catalogue.gameCategory(gameId);
        }
        catalogue.gameIdByName("A");
    }
}

} // namespace
} // namespace kst
