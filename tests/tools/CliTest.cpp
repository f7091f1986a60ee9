#include "assets/PictureNames.h"
#include "storage/GameCatalogue.h"
#include "tests/support/CatalogueFiles.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <tuple>

#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

class CliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(m_tmp.path() / "prog");
        fs::create_directories(m_tmp.path() / "home");
    }

    // Runs the built CLI with the arguments (a shell word list) and an optional environment prefix.
    CliRun run(const std::string& args, const std::string& environment = {}) const
    {
        const std::string out = m_tmp.file("stdout"), err = m_tmp.file("stderr");
        const std::string command =
            environment + " '" KST_CLI_PATH "' " + args + " >'" + out + "' 2>'" + err + "' </dev/null";
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, m_tmp.read("stdout"), m_tmp.read("stderr")};
    }
    std::string at(const char* relative) const { return m_tmp.file(relative); }

    kst::test::TempDir m_tmp{"cli"};
};

TEST_F(CliTest, HelpPrintsTheUsageWithTheCommonOptionsAndTheVerbs)
{
    for (const char* args : {"--help", "help", "--data-dir /x paths --help"}) {
        const CliRun r = run(args);
        EXPECT_EQ(r.status, 0) << args;
        EXPECT_EQ(r.err, "") << args;
        for (const char* expected :
             {"Usage: kestrane-cli", "--program-dir DIR", "--data-dir DIR", "\n  paths ", "\n  play GAME NUMBER "})
            EXPECT_NE(r.out.find(expected), std::string::npos) << args << ": " << expected;
        EXPECT_EQ(r.out.find('\r'), std::string::npos);
    }
}

TEST_F(CliTest, BadInputGivesOneErrorLineAndStatusTwo)
{
    const struct {
        const char* args;
        const char* error;
    } cases[] = {
        {"frobnicate", "kestrane-cli: unknown verb: frobnicate (try --help)\n"},
        {"--frob paths", "kestrane-cli: unknown option: --frob\n"},
        {"", "kestrane-cli: no verb given (try --help)\n"},
        {"paths --data-dir", "kestrane-cli: --data-dir needs a folder\n"},
        {"paths --width 3", "kestrane-cli: unknown option: --width\n"},
        {"paths extra", "kestrane-cli: paths takes no arguments\n"},
        {"stats", "kestrane-cli: usage: stats GAME [--player NAME]\n"},
        {"stats 1 --player", "kestrane-cli: usage: stats GAME [--player NAME]\n"},
        {"--program-dir '" KST_PROGRAM_DIR "' stats 4321", "kestrane-cli: unknown game: 4321\n"},
        {"hiscores", "kestrane-cli: usage: hiscores GAME\n"},
        {"hiscores No such game", "kestrane-cli: usage: hiscores GAME\n"},
        {"overall 1", "kestrane-cli: overall takes no arguments\n"},
    };
    for (const auto& c : cases) {
        const CliRun r = run(c.args);
        EXPECT_EQ(r.status, 2) << c.args;
        EXPECT_EQ(r.err, c.error) << c.args;
        EXPECT_EQ(r.out, "") << c.args;
    }
}

TEST_F(CliTest, PathsPrintsTheFoldersChosenByTheOptionsWhereverTheyStand)
{
    const std::string prog = at("prog"), data = at("data");
    const std::string expected = "ProgramDir=" + prog + "\nDataDir=" + data + "\n";
    for (const std::string& args : {"--program-dir " + prog + " --data-dir " + data + " paths",
                                    "paths --program-dir " + prog + " --data-dir " + data,
                                    "--data-dir=" + data + "/ paths --program-dir=" + prog}) {
        const CliRun r = run(args);
        EXPECT_EQ(r.status, 0) << args << r.err;
        EXPECT_EQ(r.out, expected) << args;
    }
}

TEST_F(CliTest, PathsFollowsTheEnvironmentWithoutOptions)
{
    const std::string home = at("home");
    const CliRun r = run("paths", "env KESTRANE_HOME='" + home + "' XDG_DATA_HOME=/proc/nowhere");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "ProgramDir=" + home + "\nDataDir=" + home + "/DATA\n");
}

// A two-game catalogue and one customized game; the value of parameter i in column c is
// i * 10 + c, so every printed value shows where it came from.
class CliCatalogueTest : public CliTest {
protected:
    void SetUp() override
    {
        CliTest::SetUp();
        using namespace kst::test;
        m_tmp.write("prog/GAMES.DAT", joinLines(catalogueLines({{4, 1, "Freecell"}, {5, 2, "Klondike"}},
                                                                 [](int i, int c) { return i * 10 + c; })));
        m_tmp.write("data/GAM_CUST.DAT", customGamesFile({{8000, "My Klondike", 2, "0030033"}}));
    }
    CliRun runWithFolders(const std::string& args) const
    {
        return run("--program-dir '" + at("prog") + "' --data-dir '" + at("data") + "' " + args);
    }
    static std::string line(const std::string& out, int index)
    {
        std::size_t at = 0;
        for (int i = 0; i < index && at != std::string::npos; ++i)
            at = out.find('\n', at) + 1;
        return out.substr(at, out.find('\n', at) - at);
    }
};

TEST_F(CliCatalogueTest, GamesListsIdCategoryAndNameInCatalogueOrder)
{
    const CliRun r = runWithFolders("games");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1\t4\tFreecell\n2\t5\tKlondike\n");
}

TEST_F(CliCatalogueTest, RulesPrintsEveryParameterOfTheChosenGame)
{
    const struct {
        const char* game;
        int column;
        int cardsPerClick; // entry 20
        int deals;         // entry 13
    } cases[] = {
        {"2", 1, 201, 131},
        {"'kLONDIKE  '", 1, 201, 131},
        {"Freecell", 0, 200, 130},
        {"8000", 1, 3, 3}, // the customized game: its base's column with its overrides
        {"'my klondike'", 1, 3, 3},
    };
    for (const auto& c : cases) {
        const CliRun r = runWithFolders(std::string("rules ") + c.game);
        ASSERT_EQ(r.status, 0) << c.game << r.err;
        EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 368) << c.game;
        EXPECT_EQ(line(r.out, 0), "0=0") << c.game;
        EXPECT_EQ(line(r.out, 1), "1=" + std::to_string(10 + c.column)) << c.game;
        EXPECT_EQ(line(r.out, 13), "13=" + std::to_string(c.deals)) << c.game;
        EXPECT_EQ(line(r.out, 20), "20=" + std::to_string(c.cardsPerClick)) << c.game;
        EXPECT_EQ(line(r.out, 367), "367=" + std::to_string(3670 + c.column)) << c.game;
    }
}

TEST_F(CliCatalogueTest, UnknownGamesAndAMissingCatalogueAreBadInput)
{
    const struct {
        std::string args;
        std::string error;
    } cases[] = {
        {"rules 3", "kestrane-cli: unknown game: 3\n"},
        {"rules Spider", "kestrane-cli: unknown game: Spider\n"},
        {"rules 8001", "kestrane-cli: unknown game: 8001\n"},
        {"rules", "kestrane-cli: usage: rules GAME\n"},
        {"games extra", "kestrane-cli: games takes no arguments\n"},
    };
    for (const auto& c : cases) {
        const CliRun r = runWithFolders(c.args);
        EXPECT_EQ(r.status, 2) << c.args;
        EXPECT_EQ(r.err, c.error) << c.args;
        EXPECT_EQ(r.out, "") << c.args;
    }
    const CliRun missing = run("--program-dir '" + at("home") + "' games");
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err.rfind("kestrane-cli: Cannot find file: ", 0), 0u) << missing.err;
}

} // namespace

namespace {

TEST(CliLayoutTest, LayoutPrintsThePlacedPilesAndRefusesBadOptions)
{
    const std::string prog = "--program-dir '" KST_PROGRAM_DIR "' ";
    kst::test::TempDir tmp("cli-layout");
    const auto run = [&](const std::string& args) {
        const std::string command = "'" KST_CLI_PATH "' " + prog + args + " >'" + tmp.file("out") + "' 2>'" + tmp.file("err") + "'";
        const int raw = std::system(command.c_str());
        return std::make_tuple(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, tmp.read("out"), tmp.read("err"));
    };
    const std::string window = " --width 1014 --height 740 --top 5 --bottom 700 --screen 1280x1024 --card B";
    const auto [status, out, err] = run("layout 9" + window);
    EXPECT_EQ(status, 0) << err;
    // Thirteen piles of scheme 001: the first moves to the margin, 77 pixels apart, on row 2.
    EXPECT_EQ(out.find("Mazzo"), std::string::npos);
    EXPECT_NE(out.find("\nFila1=10,121\nFila2=87,121\n"), std::string::npos) << out;
    EXPECT_NE(out.find("Fila13=934,121\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("Fila14"), std::string::npos);

    // The card that fits the window comes first; the thirteen piles then use the whole width.
    const auto [fitStatus, fit, fitErr] =
        run("layout 9 --width 1904 --height 1050 --top 45 --bottom 980 --screen 1920x1080 --card F");
    EXPECT_EQ(fitStatus, 0) << fitErr;
    EXPECT_EQ(fit.rfind("Card=", 0), 0u) << fit;
    const int cardWidth = std::atoi(fit.c_str() + 5);
    EXPECT_GT(cardWidth, 71) << fit;
    const std::size_t last = fit.find("Fila13=");
    ASSERT_NE(last, std::string::npos) << fit;
    EXPECT_LE(std::atoi(fit.c_str() + last + 7) + cardWidth, 1904) << fit;

    const struct {
        std::string args, error;
    } bad[] = {
        {"layout 9999" + window, "kestrane-cli: unknown game: 9999\n"},
        {"layout 1 --width 10", "kestrane-cli: usage: layout GAME --width W --height H --top T --bottom B --screen "
                                "SWxSH --card B|M|L|F [--shadow Y|N]\n"},
        {"layout 1" + window + " --shadow X", "kestrane-cli: bad value for --shadow: X\n"},
        {"layout 1 --screen 800" + window, "kestrane-cli: bad value for --screen: 800\n"},
    };
    for (const auto& c : bad) {
        const auto [s, o, e] = run(c.args);
        EXPECT_EQ(s, 2) << c.args;
        EXPECT_EQ(e, c.error) << c.args;
        EXPECT_EQ(o, "") << c.args;
    }
}

TEST(CliDealTest, ShuffleAndDealPrintTheirFormsAndRefuseBadInput)
{
    const std::string prog = "--program-dir '" KST_PROGRAM_DIR "' ";
    kst::test::TempDir tmp("cli-deal");
    const auto run = [&](const std::string& args) {
        const std::string command = "'" KST_CLI_PATH "' " + prog + args + " >'" + tmp.file("out") + "' 2>'" + tmp.file("err") + "'";
        const int raw = std::system(command.c_str());
        return std::make_tuple(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, tmp.read("out"), tmp.read("err"));
    };
    {
        const auto [status, out, err] = run("shuffle 52 1");
        EXPECT_EQ(status, 0) << err;
        EXPECT_EQ(out.substr(0, 16), "040 004 043 039 ");
        EXPECT_EQ(out.size(), 52u * 4u);
        EXPECT_EQ(std::get<1>(run("shuffle 52 0000000000001")), out);
    }
    {
        const auto [status, out, err] = run("deal Freecell 1234567890123");
        EXPECT_EQ(status, 0) << err;
        std::vector<std::string> lines;
        for (std::size_t at = 0; at < out.size();) {
            const std::size_t end = out.find('\n', at);
            lines.push_back(out.substr(at, end - at));
            at = end + 1;
        }
        ASSERT_EQ(lines.size(), 60u);
        EXPECT_EQ(lines[0], "Mazzo=");
        EXPECT_EQ(lines[3], "Dest1=");
        EXPECT_EQ(lines[19], "Fila1=0051014102810371035100610021");
        EXPECT_EQ(lines[47], "Appogg1=");
        EXPECT_EQ(lines[55], "BaseRanks=01010101010101010101010101010101");
        EXPECT_EQ(lines[56], "Score=-52");
        EXPECT_EQ(lines[57], "Won=N");
        EXPECT_EQ(lines[58], "DealCounter=1");
        EXPECT_EQ(lines[59], "SpecialCounter=0");
        EXPECT_EQ(std::get<1>(run("deal 1 1234567890123")), out);
    }
    // The face flags: Klondike's stock face down, one face-up card on each tableau pile.
    {
        const std::string out = std::get<1>(run("deal Klondike 7"));
        EXPECT_NE(out.find("\nFila1=0071\nFila2="), std::string::npos) << out;
        EXPECT_NE(out.find("\nFila3=028004100301\n"), std::string::npos) << out;
    }

    const struct {
        std::string args, error;
    } bad[] = {
        {"shuffle 60 1", "kestrane-cli: Error 01 - fnGameNumberCardsArray\n"},
        {"shuffle 0 1", "kestrane-cli: bad deck size: 0\n"},
        {"shuffle x 1", "kestrane-cli: bad deck size: x\n"},
        {"shuffle 52 12a", "kestrane-cli: bad game number: 12a\n"},
        {"shuffle 52", "kestrane-cli: usage: shuffle DECKSIZE NUMBER\n"},
        {"deal 9999 1", "kestrane-cli: unknown game: 9999\n"},
        {"deal 1 -3", "kestrane-cli: bad game number: -3\n"},
        {"deal 1", "kestrane-cli: usage: deal GAME NUMBER\n"},
    };
    for (const auto& c : bad) {
        const auto [s, o, e] = run(c.args);
        EXPECT_EQ(s, 2) << c.args;
        EXPECT_EQ(e, c.error) << c.args;
        EXPECT_EQ(o, "") << c.args;
    }
}

} // namespace

TEST_F(CliTest, ResourcesListsThePicturesOfTheBuiltLibrarySortedByName)
{
    std::vector<kst::assets::PictureSpec> pictures = kst::assets::libraryPictures();
    // and the preview of every game of the built catalogue, filling the browser's box, with its twin
    kst::GameCatalogue catalogue;
    ASSERT_TRUE(catalogue.load(KST_PROGRAM_DIR "/GAMES.DAT").ok);
    for (const kst::CatalogueGame& game : catalogue.games())
        kst::assets::addWithTwin(pictures, kst::assets::previewName(game.gameId), kst::assets::previewWidth,
                                 kst::assets::previewHeight);
    std::sort(pictures.begin(), pictures.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    std::string expected;
    for (const auto& p : pictures)
        expected += p.name + ' ' + std::to_string(p.width) + 'x' + std::to_string(p.height) + '\n';
    const CliRun r = run("--program-dir '" KST_PROGRAM_DIR "' resources");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, expected);
    EXPECT_EQ(r.err, "");

    const CliRun missing = run("--program-dir '" + at("prog") + "' resources");
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err.rfind("kestrane-cli: cannot open ", 0), 0u) << missing.err;
}
