#include "storage/Favourites.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace kst {
namespace {

using Names = std::vector<std::string>;

class FavouritesTest : public ::testing::Test {
protected:
    void put(const std::string& bytes) const { m_dir.write("CFG.DAT", bytes); }
    std::string get() const { return m_dir.read("CFG.DAT"); }

    test::TempDir m_dir{"favourites"};
    ProfileFile m_config{m_dir.file("CFG.DAT")};
};

TEST_F(FavouritesTest, ReadingStopsAtTheFirstGap)
{
    EXPECT_TRUE(readFavourites(m_config).empty());
    put("[Favourite Games]\r\nGame000=Spider\r\nGame001=Canfield\r\nGame003=Freecell\r\n");
    EXPECT_EQ(readFavourites(m_config), (Names{"Spider", "Canfield"}));
    put("[Favourite Games]\r\nGame001=Spider\r\n");
    EXPECT_TRUE(readFavourites(m_config).empty());
}

TEST_F(FavouritesTest, WritingReplacesTheWholeList)
{
    put("[Preference]\r\nGame=1\r\n\r\n[Favourite Games]\r\nGame000=Spider\r\nGame001=Canfield\r\nGame002=Old\r\n"
        "\r\n[Users]\r\nUser001=Anna\r\n");
    ASSERT_TRUE(writeFavourites(m_config, {"Canfield", "Spider"}));
    EXPECT_EQ(get(), "[Preference]\r\nGame=1\r\n\r\n[Favourite Games]\r\nGame000=Canfield\r\nGame001=Spider\r\n"
                     "\r\n[Users]\r\nUser001=Anna\r\n");
    ASSERT_TRUE(writeFavourites(m_config, {}));
    EXPECT_EQ(get(), "[Preference]\r\nGame=1\r\n\r\n[Users]\r\nUser001=Anna\r\n");
}

// The third of five goes and the keys stay without a gap; names compare as game names do.
TEST_F(FavouritesTest, RemovingMovesTheLaterOnesDown)
{
    ASSERT_TRUE(writeFavourites(m_config, {"A one", "B two", "My Game", "D four", "E five"}));
    ASSERT_TRUE(removeFavourite(m_config, "MY GAME  "));
    EXPECT_EQ(readFavourites(m_config), (Names{"A one", "B two", "D four", "E five"}));
    EXPECT_EQ(m_config.readText("Favourite Games", "Game004", "none"), "none");

    const std::string before = get();
    ASSERT_TRUE(removeFavourite(m_config, "Not there"));
    EXPECT_EQ(get(), before);
}

} // namespace
} // namespace kst
