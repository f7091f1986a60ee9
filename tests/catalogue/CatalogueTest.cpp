#include "catalogue/compiler/Catalogue.h"
#include "storage/TextUtils.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace kst;
using namespace kst::catalogue;

namespace {

std::vector<std::string> crlfLines(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    EXPECT_EQ(start, bytes.size()) << "the file must end with CR LF";
    return lines;
}

// The value of game column c (from 0) of a [Sect2] line, as the reader takes it.
std::string columnValue(const std::string& line, int c)
{
    return fnTrimRight(characterShift(line.substr(static_cast<std::size_t>(11 * c + 16), 10)));
}

} // namespace

TEST(CatalogueShift, EveryStorableCharacterReadsBack)
{
    for (int code = 32; code <= 207; ++code) {
        const std::string text(1, static_cast<char>(code));
        const auto stored = storeShifted(text);
        ASSERT_TRUE(stored) << code;
        EXPECT_EQ(characterShift(*stored), text) << code;
    }
    EXPECT_EQ(characterShift(*storeShifted("Baker's Dozen -12 0")), "Baker's Dozen -12 0");
    EXPECT_FALSE(storeShifted("tab\there"));
    EXPECT_FALSE(storeShifted("\xF6")); // no stored form reads back as it
}

TEST(CatalogueCompiler, WritesTheCatalogueFileAndRulesHelp)
{
    test::TempDir dir("catalogue");
    dir.write("catalogue/defaults.game", "DeckSize 52\nBaseRank 1*16\n");
    dir.write("catalogue/games/0007-beta.game",
              "game 7 \"Beta\"\ncategory 12\nlists original\nDeals -1\nTableauDealt 3 0*2 12\n");
    dir.write("catalogue/games/0001-alpha.game",
              "# the first game\n"
              "game 1 \"Alpha Patience\"   # trailing comment\n"
              "category 4\n"
              "new yes\n"
              "lists selected children\n"
              "Deals 3\n"
              "odds 1 in 20\n"
              "rules\n"
              "  Build down.\n"
              "\n"
              "    Caf\xC3\xA9 rule.\n"
              "end\n");
    dir.write("program/help/games/0009.txt", "a game no longer in the catalogue");
    std::vector<std::string> errors;
    ASSERT_TRUE(compileFolder(dir.path() / "catalogue", dir.path() / "program", errors)) << errors.front();

    const std::vector<std::string> lines = crlfLines(dir.read("program/GAMES.DAT"));
    ASSERT_EQ(lines.size(), 1u + 2 + 1 + 367 + 6);
    EXPECT_EQ(lines[0], "[Sect1]");
    EXPECT_EQ(characterShift(lines[1]), "004 0010 1Alpha Patience" + std::string(36, ' '));
    EXPECT_EQ(characterShift(lines[2]), "012 0070 0Beta" + std::string(46, ' '));
    EXPECT_EQ(lines[3], "[Sect2]");

    const std::string& deals = lines[3 + 13];
    EXPECT_EQ(deals.substr(0, 16), "0013            ");
    EXPECT_EQ(deals.size(), 16u + 2 * 11);
    EXPECT_EQ(columnValue(deals, 0), "3");
    EXPECT_EQ(columnValue(deals, 1), "-1");
    EXPECT_EQ(deals.find(' ', 16), std::string::npos) << "no plain blanks inside the columns";

    const std::string& dealt = lines[3 + 289];
    EXPECT_EQ(dealt.substr(0, 4), "0289");
    EXPECT_EQ(columnValue(dealt, 1), "12");
    EXPECT_EQ(columnValue(lines[3 + 282], 0), "52");
    EXPECT_EQ(columnValue(lines[3 + 367], 0), "20");
    EXPECT_EQ(columnValue(lines[3 + 366], 0), "1");

    const std::vector<std::string> tail(lines.begin() + 4 + 367, lines.end());
    const std::vector<std::string> expected = {"[SectS]", *storeShifted("001"), "[SectO]", *storeShifted("007"),
                                               "[SectK]", *storeShifted("001")};
    EXPECT_EQ(tail, expected);

    EXPECT_EQ(dir.read("program/help/games/0001.txt"), "Build down.\r\n\r\n  Caf\xE9 rule.\r\n");
    // The help pages: UTF-8, with the game's facts and rules; a game without rules has no page, and
    // the index names it without a link.
    const std::string page = dir.read("program/help/games/0001.html");
    for (const char* part : {"<h1>Alpha Patience</h1>", "<img src=\"preview:0001\">", "FreeCell type",
                             "about 1 in 20", "<p>Build down.</p>", "Caf\xC3\xA9 rule.", "../index.html",
                             "Selected games, Games for Children, New games"})
        EXPECT_NE(page.find(part), std::string::npos) << part;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "program/help/games/0007.html"));
    const std::string index = dir.read("program/help/index.html");
    EXPECT_NE(index.find("<a href=\"games/0001.html\">Alpha Patience</a>"), std::string::npos);
    EXPECT_NE(index.find("<td>Beta</td>"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "program/help/games/0007.txt"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "program/help/games/0009.txt"));
}

TEST(CatalogueCompiler, InheritanceCopiesValuesThenOverrides)
{
    const SourceFile defaults{"defaults.game", "DeckSize 52\nFoundationCount 4\n"};
    // The child comes first, so a base is found wherever its file sorts.
    const std::vector<SourceFile> files = {
        {"games/a.game", "game 3 \"Grandchild\"\ninherits 2\nReserveDealt 5\n"},
        {"games/b.game", "game 2 \"Child\"\ninherits \"BASE game\"\nTableauDealt 1*2\nlists selected\n"},
        {"games/c.game", "game 1 \"Base Game\"\nsummary \"The base.\"\ncategory 9\nlists original\nDeckSize 104\n"
                         "TableauDealt 7*4 6*4\nReserveDealt 2*8\n"
                         "scenario 12 --autoplay off\n  # a comment\n\n  stock -> ok\n  expect Mazzo count 3\nend\n"},
        {"games/d.game", "game 4 \"Plain\"\ninherits defaults\ncategory 7\n"},
    };
    const Compiled compiled = compile(defaults, files);
    ASSERT_TRUE(compiled.errors.empty()) << compiled.errors.front();
    ASSERT_EQ(compiled.games.size(), 4u);
    const Game& base = compiled.games[0];
    const Game& child = compiled.games[1];
    const Game& grandchild = compiled.games[2];
    const Game& plain = compiled.games[3];

    EXPECT_EQ(base.values[282], 104);
    EXPECT_EQ(base.values[278], 4);
    EXPECT_EQ(child.category, 9);
    EXPECT_EQ(child.values[282], 104);
    EXPECT_FALSE(child.original) << "list membership belongs to the game itself";
    EXPECT_TRUE(child.selected);
    const int expectedDealt[] = {1, 1, 7, 7, 6, 6, 6, 6, 0};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(grandchild.values[static_cast<std::size_t>(286 + i)], expectedDealt[i]) << i;
    EXPECT_EQ(grandchild.values[343], 5);
    EXPECT_EQ(grandchild.values[344], 2);
    EXPECT_EQ(plain.values[282], 52);
    EXPECT_EQ(plain.values[286], 0);

    EXPECT_EQ(base.summary, "The base.");
    ASSERT_EQ(base.scenarios.size(), 1u);
    EXPECT_EQ(base.scenarios[0].line, 8);
    EXPECT_EQ(base.scenarios[0].header, (std::vector<std::string>{"12", "--autoplay", "off"}));
    EXPECT_EQ(base.scenarios[0].steps,
              (std::vector<std::pair<int, std::string>>{{11, "stock -> ok"}, {12, "expect Mazzo count 3"}}));
    EXPECT_TRUE(child.summary.empty() && child.scenarios.empty()) << "a summary and scenarios belong to their game";
}

struct ErrorCase {
    const char* what;
    std::vector<SourceFile> files;
    std::string expected;
    std::string defaults = "DeckSize 52\n";
};

TEST(CatalogueCompiler, ReportsEachErrorAtItsLine)
{
    const std::string head = "game 1 \"A\"\ncategory 4\n";
    const std::vector<ErrorCase> cases = {
        {"unknown keyword", {{"games/a.game", head + "Colour 3\n"}},
         "games/a.game:3: unknown keyword or parameter 'Colour'"},
        {"value out of range", {{"games/a.game", head + "DeckSize 105\n"}},
         "games/a.game:3: DeckSize 105 is out of range 0..104"},
        {"beyond 16-bit", {{"games/a.game", head + "GameType 40000\n"}},
         "games/a.game:3: GameType 40000 is out of range -32768..32767"},
        {"too many tableau piles", {{"games/a.game", head + "TableauCount 29\n"}},
         "games/a.game:3: TableauCount 29 is out of range 0..28"},
        {"too many foundations", {{"games/a.game", head + "FoundationCount 17\n"}},
         "games/a.game:3: FoundationCount 17 is out of range 0..16"},
        {"too many reserves", {{"games/a.game", head + "ReserveCount 9\n"}},
         "games/a.game:3: ReserveCount 9 is out of range 0..8"},
        {"list longer than its block", {{"games/a.game", head + "ReserveDealt 1 2*8\n"}},
         "games/a.game:3: ReserveDealt: more than 8 values for its 8 piles"},
        {"not a number", {{"games/a.game", head + "TableauDealt 3*x\n"}},
         "games/a.game:3: TableauDealt: '3*x' is not a number or number*count"},
        {"browser word", {{"games/a.game", head + "time slow\n"}},
         "games/a.game:3: time must be one of long|medium|quick"},
        {"duplicate id", {{"games/a.game", head}, {"games/b.game", "game 1 \"B\"\ncategory 4\n"}},
         "games/b.game:1: game id 1 is already used by games/a.game"},
        {"duplicate name", {{"games/a.game", head}, {"games/b.game", "game 2 \"a\"\ncategory 4\n"}},
         "games/b.game:1: game name \"a\" is already used by games/a.game"},
        {"summary twice", {{"games/a.game", head + "summary \"One\"\nsummary \"Two\"\n"}},
         "games/a.game:4: second summary"},
        {"summary unquoted", {{"games/a.game", head + "summary plain\n"}},
         "games/a.game:3: summary takes one quoted line"},
        {"scenario without number", {{"games/a.game", head + "scenario\n  stock -> ok\nend\n"}},
         "games/a.game:3: scenario needs a game number"},
        {"scenario not closed", {{"games/a.game", head + "scenario 5\n  stock -> ok\nDeals 2\n"}},
         "games/a.game:5: scenario steps must be indented and closed by end"},
        {"scenario empty", {{"games/a.game", head + "scenario 5\nend\n"}}, "games/a.game:3: scenario without steps"},
        {"missing name", {{"games/a.game", "game 1\ncategory 4\n"}},
         "games/a.game:1: missing game name (game <id> \"<name>\")"},
        {"missing game line", {{"games/a.game", "category 4\n"}},
         "games/a.game:1: missing game line (game <id> \"<name>\")"},
        {"missing category", {{"games/a.game", "\ngame 1 \"A\"\n"}}, "games/a.game:2: missing category"},
        {"unstorable name", {{"games/a.game", "game 1 \"K\xC3\xB6nigin\"\ncategory 4\n"}},
         "games/a.game:1: game name holds a character the catalogue cannot store"},
        {"unknown base", {{"games/a.game", head + "inherits \"Nothing\"\n"}},
         "games/a.game:3: unknown base game 'Nothing'"},
        {"inheritance cycle",
         {{"games/a.game", head + "inherits 2\n"}, {"games/b.game", "game 2 \"B\"\ninherits \"A\"\n"}},
         "games/a.game:3: inheritance cycle: A -> B -> A"},
        {"rules not closed", {{"games/a.game", head + "rules\n  text\n"}},
         "games/a.game:3: rules block without end"},
        {"game line in defaults", {{"games/a.game", head}}, "defaults.game:2: game is not allowed in defaults",
         "DeckSize 52\ngame 9 \"X\"\n"},
    };
    for (const ErrorCase& c : cases) {
        const Compiled compiled = compile({"defaults.game", c.defaults}, c.files);
        EXPECT_EQ(compiled.errors, std::vector<std::string>{c.expected}) << c.what;
        EXPECT_TRUE(compiled.games.empty()) << c.what;
    }
}

TEST(CatalogueCompiler, FailedCompileLeavesTheCatalogueFileAlone)
{
    test::TempDir dir("catalogue-fail");
    dir.write("catalogue/defaults.game", "");
    dir.write("catalogue/games/a.game", "game 1 \"A\"\nDeckSize 200\n");
    dir.write("program/GAMES.DAT", "old");
    std::vector<std::string> errors;
    EXPECT_FALSE(compileFolder(dir.path() / "catalogue", dir.path() / "program", errors));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], (dir.path() / "catalogue" / "games/a.game").string() + ":2: DeckSize 200 is out of range 0..104");
    EXPECT_EQ(dir.read("program/GAMES.DAT"), "old");
}

// A measured line as kst-catalogue --odds writes it, and the odds it must come with: won in decided
// from 90 % decided on, none below.
TEST(CatalogueCompiler, MeasuredLinesAreCheckedAgainstTheirOdds)
{
    struct Case {
        std::string lines; // after the game line and the category
        std::string error; // empty: compiles
        std::optional<Measurement> measured = std::nullopt;
        Odds odds = {};
    };
    const std::vector<Case> cases = {
        {"odds 82 in 96\nmeasured 100 won 82 lost 14\n", "", Measurement{4, 100, 82, 14}, {82, 96}},
        {"measured 100 won 90 lost 0\nodds 90 in 90\n", "", Measurement{3, 100, 90, 0}, {90, 90}},
        {"odds 0 in 5\nmeasured 5 won 0 lost 5   # all lost\n", "", Measurement{4, 5, 0, 5}, {0, 5}},
        {"measured 100 won 60 lost 29\n", "", Measurement{3, 100, 60, 29}, {}},
        {"odds none\nmeasured 32767 won 0 lost 0\n", "", Measurement{4, 32767, 0, 0}, {}},
        {"odds 1 in 20\n", "", std::nullopt, {1, 20}},
        {"measured 100 won 82\n", "games/a.game:3: measured must be <deals> won <won> lost <lost>"},
        {"measured 100 lost 14 won 82\n", "games/a.game:3: measured must be <deals> won <won> lost <lost>"},
        {"measured \"100\" won 82 lost 14\n", "games/a.game:3: measured must be <deals> won <won> lost <lost>"},
        {"measured 100 won 8x lost 14\n", "games/a.game:3: measured must be <deals> won <won> lost <lost>"},
        {"measured 0 won 0 lost 0\n", "games/a.game:3: measured: deals must be 1..32767, won and lost 0 or more"},
        {"measured 32768 won 0 lost 0\n", "games/a.game:3: measured: deals must be 1..32767, won and lost 0 or more"},
        {"measured 10 won -1 lost 0\n", "games/a.game:3: measured: deals must be 1..32767, won and lost 0 or more"},
        {"measured 10 won 6 lost 5\n", "games/a.game:3: measured: won 6 and lost 5 are more than the 10 deals"},
        {"measured 10 won 2147483647 lost 2147483647\n",
         "games/a.game:3: measured: won 2147483647 and lost 2147483647 are more than the 10 deals"},
        {"measured 10 won 9 lost 1\nmeasured 10 won 9 lost 1\n", "games/a.game:4: second measured line"},
        {"odds 1 in 2\nodds none\n", "games/a.game:4: second odds line"},
        {"odds 82 in 100\nmeasured 100 won 82 lost 14\n",
         "games/a.game:4: odds must be 82 in 96 to agree with the measured line"},
        {"measured 100 won 82 lost 14\n", "games/a.game:3: odds must be 82 in 96 to agree with the measured line"},
        {"odds 60 in 89\nmeasured 100 won 60 lost 29\n",
         "games/a.game:4: odds must be none to agree with the measured line: 89 of its 100 deals were decided, "
         "fewer than 90 %"},
    };
    for (const Case& c : cases) {
        const Compiled compiled = compile({"defaults.game", "DeckSize 52\nodds none\n"},
                                          {{"games/a.game", "game 1 \"A\"\ncategory 4\n" + c.lines}});
        if (!c.error.empty()) {
            EXPECT_EQ(compiled.errors, std::vector<std::string>{c.error}) << c.lines;
            continue;
        }
        ASSERT_TRUE(compiled.errors.empty()) << c.lines << compiled.errors.front();
        const Game& game = compiled.games.front();
        EXPECT_EQ(game.odds(), c.odds) << c.lines;
        EXPECT_EQ(game.measured.has_value(), c.measured.has_value()) << c.lines;
        if (game.measured && c.measured) {
            EXPECT_EQ(game.measured->line, c.measured->line) << c.lines;
            EXPECT_EQ(game.measured->deals, c.measured->deals) << c.lines;
            EXPECT_EQ(game.measured->won, c.measured->won) << c.lines;
            EXPECT_EQ(game.measured->lost, c.measured->lost) << c.lines;
        }
    }

    const Compiled inDefaults = compile({"defaults.game", "DeckSize 52\nmeasured 10 won 1 lost 0\n"},
                                        {{"games/a.game", "game 1 \"A\"\ncategory 4\n"}});
    EXPECT_EQ(inDefaults.errors, std::vector<std::string>{"defaults.game:2: measured is not allowed in defaults"});
}

TEST(CatalogueCompiler, MeasuredOddsStayWithTheirGame)
{
    // A base game's figures were found on its own deals: a game built on it starts from none.
    const Compiled compiled = compile(
        {"defaults.game", "DeckSize 52\nodds none\n"},
        {{"games/a.game", "game 1 \"Base\"\ncategory 4\nodds 82 in 96\nmeasured 100 won 82 lost 14\n"},
         {"games/b.game", "game 2 \"Child\"\ninherits 1\nDeals 3\n"},
         {"games/c.game", "game 3 \"Own odds\"\ninherits 1\nodds 1 in 3\n"}});
    ASSERT_TRUE(compiled.errors.empty()) << compiled.errors.front();
    EXPECT_EQ(compiled.games[1].odds(), Odds{});
    EXPECT_FALSE(compiled.games[1].measured);
    EXPECT_EQ(compiled.games[1].values[Rule::Deals], 3);
    EXPECT_EQ(compiled.games[2].odds(), (Odds{1, 3}));
}

TEST(CatalogueOverview, ShowsTheMeasurementAndTheHelpTheChanceFound)
{
    struct Case {
        std::string lines;
        std::string row;  // the game's overview row from the won column on
        std::string help; // its rules help
    };
    const std::vector<Case> cases = {
        {"odds 82 in 96\nmeasured 100 won 82 lost 14\n", "| 82 | 14 | 4 | about 82 in 96 | Short. |",
         "Build down.\r\n\r\nChance of winning: about 82 in 96 deals, as measured by the solver over 100 deals.\r\n"},
        {"odds 1 in 1\nmeasured 1 won 1 lost 0\n", "| 1 | 0 | 0 | about 1 in 1 | Short. |",
         "Build down.\r\n\r\nChance of winning: about 1 in 1 deal, as measured by the solver over 1 deal.\r\n"},
        {"odds none\nmeasured 100 won 60 lost 29\n", "| 60 | 29 | 11 |  | Short. |", "Build down.\r\n"},
        {"odds 1 in 20\n", "|  |  |  | about 1 in 20 | Short. |", "Build down.\r\n"},
        {"odds none\n", "|  |  |  |  | Short. |", "Build down.\r\n"},
    };
    for (const Case& c : cases) {
        const std::string head = "game 1 \"A\"\nsummary \"Short.\"\ncategory 4\n";
        const Compiled compiled =
            compile({"defaults.game", "DeckSize 52\n"}, {{"games/a.game", head + c.lines + "rules\n  Build down.\nend\n"}});
        ASSERT_TRUE(compiled.errors.empty()) << c.lines << compiled.errors.front();
        const std::string overviewText = overview(compiled.games);
        EXPECT_NE(overviewText.find("| won | lost | unknown | odds | in short |"), std::string::npos);
        EXPECT_NE(overviewText.find("\n| 1 | A | FreeCell | 1 | none " + c.row + "\n"), std::string::npos)
            << c.lines << overviewText;
        EXPECT_EQ(rulesHelp(compiled.games.front()), c.help) << c.lines;
    }
}
