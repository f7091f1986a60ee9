#include "storage/CustomGames.h"

#include "tests/support/CatalogueFiles.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace kst {
namespace {

using test::customGamesFile;
using test::TestCustomGame;

class CustomGamesTest : public ::testing::Test {
protected:
    std::string write(const std::string& content)
    {
        m_dir.write("GAM_CUST.DAT", content);
        return path();
    }
    std::string path() const { return m_dir.file("GAM_CUST.DAT"); }

    test::TempDir m_dir{"custom-games"};
};

TEST_F(CustomGamesTest, MissingFileHasNoGames)
{
    const CustomGameList list = fnCustomGames(path());
    EXPECT_FALSE(list.found);
    EXPECT_TRUE(list.names.empty() && list.codes.empty() && list.baseCodes.empty() && list.overrides.empty());
    EXPECT_EQ(fnFreeCustomCode(path()), 8000);
    EXPECT_FALSE(fnCustomGameBase(path(), 8000).found);
    EXPECT_EQ(fnCustomGameBase(path(), 8000).baseGameId, -1);
    EXPECT_EQ(fnCustomGameCode(path(), "Mine"), -1);
    EXPECT_EQ(fnCustomGameName(path(), 8000), "");
}

TEST_F(CustomGamesTest, ListsAreSortedByNameTogether)
{
    write(customGamesFile({{8000, "zeta", 1, "0030003"}, {8002, "Alpha", 5, "0010-011"}, {8001, "beta", 7, ""}}));
    const CustomGameList list = fnCustomGames(path());
    ASSERT_TRUE(list.found);
    ASSERT_EQ(list.names.size(), 3u);
    EXPECT_EQ(list.names[0], fnPadRight("Alpha", 50));
    EXPECT_EQ(list.names[1], fnPadRight("beta", 50));
    EXPECT_EQ(list.names[2], fnPadRight("zeta", 50));
    EXPECT_EQ(list.codes, (std::vector<int>{8002, 8001, 8000}));
    EXPECT_EQ(list.baseCodes, (std::vector<int>{5, 7, 1}));
    EXPECT_EQ(list.overrides, (std::vector<std::string>{"0010-01", "       ", "0030003"}));
}

TEST_F(CustomGamesTest, FreeCodeIsTheFirstGap)
{
    write(customGamesFile({{8000, "a", 1, ""}, {8002, "b", 1, ""}}));
    EXPECT_EQ(fnFreeCustomCode(path()), 8001);

    std::vector<TestCustomGame> all;
    for (int code = 8000; code <= 9999; ++code)
        all.push_back({code, "g", 1, ""});
    write(customGamesFile(all));
    EXPECT_EQ(fnFreeCustomCode(path()), 10000);
}

TEST_F(CustomGamesTest, CodeByNameIsCaseBlindAndTakesTheLast)
{
    write(customGamesFile({{8000, "Mine", 1, ""}, {8001, "Other", 1, ""}, {8003, "MINE", 2, ""},
                           {8004, "\xC9t\xE9", 3, ""}}));
    EXPECT_EQ(fnCustomGameCode(path(), "mine   "), 8003);
    EXPECT_EQ(fnCustomGameCode(path(), "Other"), 8001);
    EXPECT_EQ(fnCustomGameCode(path(), "\xE9T\xC9"), 8004);
    EXPECT_EQ(fnCustomGameCode(path(), "Min"), -1);
    EXPECT_EQ(fnCustomGameCode(path(), " Mine"), -1);
    EXPECT_EQ(fnCustomGameName(path(), 8003), "MINE");
    EXPECT_EQ(fnCustomGameName(path(), 8002), "");
}

TEST_F(CustomGamesTest, BaseAndOverrides)
{
    write(customGamesFile({{8000, "a", 1, "0030003"}, {8001, "b", 12, "0010-011"}}));
    const CustomGameBase b = fnCustomGameBase(path(), 8001);
    EXPECT_TRUE(b.found);
    EXPECT_EQ(b.baseGameId, 12);
    EXPECT_EQ(b.overrides, "0010-01");
}

// Damaged records: short lines, cut-off records, codes that are no number.
TEST_F(CustomGamesTest, DamagedRecordsAreReadSafely)
{
    write(customGamesFile({{8000, "good", 4, "0030003"}}) + "80x1Broken\r\n0030003\r\n"
          + std::string(28, '\n') + "8005Cut short\r\n");
    EXPECT_EQ(fnCustomGames(path()).codes, (std::vector<int>{8005, 8000})); // "Cut short" sorts first
    EXPECT_EQ(fnCustomGameName(path(), 0), ""); // the broken record never passes for game 0
    EXPECT_EQ(fnCustomGameCode(path(), "Broken"), -1);
    const CustomGameBase cut = fnCustomGameBase(path(), 8005);
    EXPECT_TRUE(cut.found);
    EXPECT_EQ(cut.baseGameId, -1);
    EXPECT_EQ(cut.overrides, "       ");
    EXPECT_EQ(fnCustomGameName(path(), 8005), "Cut short");
    EXPECT_EQ(fnFreeCustomCode(path()), 8001);
}

} // namespace
} // namespace kst
