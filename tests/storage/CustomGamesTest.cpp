#include "storage/CustomGames.h"

#include "tests/support/CatalogueFiles.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

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

// The first record makes the file, byte for byte as it is laid out; later ones take the first
// free code, and a deleted game's code is given again.
TEST_F(CustomGamesTest, AddingAndRemovingRecords)
{
    const CustomGameWrite first = addCustomGameRecord(path(), "Easy Klondike", 2, "001-012");
    ASSERT_TRUE(first.ok) << first.message;
    EXPECT_EQ(first.code, 8000);
    std::string expected = "[R-0301]\r\n8000" + fnPadRight("Easy Klondike", 50) + "0002\r\n001-012\r\n";
    for (int i = 0; i < 28; ++i)
        expected += "\r\n";
    EXPECT_EQ(m_dir.read("GAM_CUST.DAT"), expected);

    EXPECT_EQ(addCustomGameRecord(path(), "Second", 1, "0030003").code, 8001);
    EXPECT_EQ(addCustomGameRecord(path(), "Third", 1, "0030003").code, 8002);
    const CustomGameWrite removed = removeCustomGameRecord(path(), 8000);
    ASSERT_TRUE(removed.ok) << removed.message;
    EXPECT_EQ(fnCustomGames(path()).codes, (std::vector<int>{8001, 8002}));
    EXPECT_EQ(m_dir.read("GAM_CUST.DAT").size(), 8 + 2 + 2 * 30 * 2 + 2 * (4 + 50 + 4 + 7));

    const CustomGameWrite reused = addCustomGameRecord(path(), "Again", 5, "0010013");
    EXPECT_EQ(reused.code, 8000);
    EXPECT_EQ(fnCustomGameName(path(), 8000), "Again");
    EXPECT_EQ(fnCustomGameBase(path(), 8000).baseGameId, 5);
    EXPECT_EQ(fnCustomGameBase(path(), 8000).overrides, "0010013");

    EXPECT_FALSE(removeCustomGameRecord(path(), 8009).ok);
}

// Lines no reader takes stay in the file as they were; a record cut short is completed before the
// next one is added, so the new record starts where readers look for it.
TEST_F(CustomGamesTest, DamagedLinesSurviveChanges)
{
    std::string broken = "80x1Broken\r\n0030003\r\n";
    for (int i = 0; i < 28; ++i)
        broken += "\r\n";
    write(customGamesFile({{8000, "good", 4, "0030003"}}) + broken + "8005Cut short\r\n");
    EXPECT_EQ(customGamesDamage(path()), "Damaged customized games in GAM_CUST.DAT were left out (at line 32).");

    const CustomGameWrite added = addCustomGameRecord(path(), "New one", 3, "0010003");
    ASSERT_TRUE(added.ok) << added.message;
    EXPECT_EQ(added.code, 8001);
    EXPECT_EQ(fnCustomGames(path()).codes, (std::vector<int>{8005, 8000, 8001}));
    EXPECT_EQ(fnCustomGameBase(path(), 8001).overrides, "0010003");
    EXPECT_NE(m_dir.read("GAM_CUST.DAT").find(broken), std::string::npos);

    ASSERT_TRUE(removeCustomGameRecord(path(), 8000).ok);
    EXPECT_EQ(fnCustomGames(path()).codes, (std::vector<int>{8005, 8001}));
    EXPECT_EQ(m_dir.read("GAM_CUST.DAT").rfind("[R-0301]\r\n" + broken, 0), 0u);
    EXPECT_EQ(customGamesDamage(path()), "Damaged customized games in GAM_CUST.DAT were left out (at line 2).");
}

// A second record under a code already used would start the first one's rules: it is passed over.
TEST_F(CustomGamesTest, ACodeTwiceCountsOnlyOnce)
{
    write(customGamesFile({{8000, "First", 1, ""}, {8000, "Copy", 2, ""}, {8001, "Other", 3, ""}}));
    EXPECT_EQ(fnCustomGames(path()).codes, (std::vector<int>{8000, 8001}));
    EXPECT_EQ(fnCustomGameCode(path(), "Copy"), -1);
    EXPECT_EQ(customGamesDamage(path()), "Damaged customized games in GAM_CUST.DAT were left out (at line 32).");
    EXPECT_EQ(customGamesDamage(m_dir.file("missing.dat")), "");
}

TEST_F(CustomGamesTest, RefusedRecordsWriteNothing)
{
    write(customGamesFile({{8000, "a", 1, ""}}));
    const std::string before = m_dir.read("GAM_CUST.DAT");
    const struct {
        const char* what;
        std::string name;
        int base;
        std::string overrides;
    } cases[] = {
        {"name too long", std::string(51, 'x'), 1, "0010013"},
        {"line break in the name", "two\r\nlines", 1, "0010013"},
        {"overrides too long", "ok", 1, "00100130"},
        {"no base game", "ok", -1, "0010013"},
        {"a customized base", "ok", 8000, "0010013"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(addCustomGameRecord(path(), c.name, c.base, c.overrides).ok) << c.what;
        EXPECT_EQ(m_dir.read("GAM_CUST.DAT"), before) << c.what;
    }

    std::vector<TestCustomGame> all;
    for (int code = 8000; code <= 9999; ++code)
        all.push_back({code, "g", 1, ""});
    write(customGamesFile(all));
    const CustomGameWrite full = addCustomGameRecord(path(), "one more", 1, "0010013");
    EXPECT_FALSE(full.ok);
    EXPECT_EQ(full.message, "There is no room for more customized games.");

    // A file that cannot be read is never replaced by a new one.
    std::filesystem::remove(path());
    std::filesystem::create_directory(path());
    EXPECT_FALSE(addCustomGameRecord(path(), "ok", 1, "0010013").ok);
    EXPECT_FALSE(removeCustomGameRecord(path(), 8000).ok);
    EXPECT_TRUE(std::filesystem::is_directory(path()));
}

} // namespace
} // namespace kst
