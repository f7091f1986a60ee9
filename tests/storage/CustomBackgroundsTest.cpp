#include "storage/CustomBackgrounds.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace kst {
namespace {

using Texts = std::vector<std::string>;

TEST(CustomBackgroundTexts, DisplayTextAndPathGoBothWays)
{
    struct Case {
        const char* path;
        const char* text;
    };
    const Case cases[] = {
        {"/home/anna/Pictures/sea.bmp", "sea.bmp (/home/anna/Pictures)"},
        {"/sea.bmp", "sea.bmp (/)"},
        {"C:\\Pictures\\sea.bmp", "sea.bmp (C:\\Pictures)"},
        {"/home/anna/my sea.bmp", "my sea.bmp (/home/anna)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(backgroundDisplayText(c.path), c.text) << c.path;
        EXPECT_EQ(backgroundPath(c.text), c.path) << c.text;
    }
    // A text that is no display text is taken as a path, and nothing is cut from it.
    for (const char* bare : {"", "sea.bmp", "/tmp/sea.bmp", "sea.bmp (unclosed"})
        EXPECT_EQ(backgroundPath(bare), bare);
}

// Whatever would read back as another picture or break CFG.DAT's lines is refused.
TEST(CustomBackgroundTexts, PathsThatCannotBeKeptAreRefused)
{
    for (const char* bad : {"/tmp/sea\n.bmp", "/tmp/sea\r.bmp", "/tmp/sea (1).bmp", "/tmp/old)/sea.bmp",
                            "/tmp/[Preference]/sea.bmp", "/tmp/\xe6\x97\xa5\xe6\x9c\xac.bmp", "/tmp/\xff.bmp"})
        EXPECT_FALSE(unstorableBackgroundPath(bad).empty()) << bad;
    for (const char* good : {"/tmp/sea.bmp", "/home/anna/caf\xc3\xa9 = bar.bmp", "/tmp/a;b.png"})
        EXPECT_EQ(unstorableBackgroundPath(good), "") << good;
}

class CustomBackgroundsTest : public ::testing::Test {
protected:
    void put(const std::string& bytes) const { m_dir.write("CFG.DAT", bytes); }
    std::string get() const { return m_dir.read("CFG.DAT"); }

    test::TempDir m_dir{"backgrounds"};
    ProfileFile m_config{m_dir.file("CFG.DAT")};
};

TEST_F(CustomBackgroundsTest, AddingTakesTheFirstFreeKeyAndReadingStopsAtAGap)
{
    EXPECT_TRUE(readCustomBackgrounds(m_config).empty());
    EXPECT_EQ(addCustomBackground(m_config, "/p/one.bmp"), 0);
    EXPECT_EQ(addCustomBackground(m_config, "/p/two.bmp"), 1);
    EXPECT_EQ(readCustomBackgrounds(m_config), (Texts{"one.bmp (/p)", "two.bmp (/p)"}));

    put("[Customized backgrounds]\r\nBackground000=a.bmp (/p)\r\nBackground002=c.bmp (/p)\r\n");
    EXPECT_EQ(readCustomBackgrounds(m_config), (Texts{"a.bmp (/p)"}));
    EXPECT_EQ(addCustomBackground(m_config, "/p/b.bmp"), 1);
    EXPECT_EQ(readCustomBackgrounds(m_config), (Texts{"a.bmp (/p)", "b.bmp (/p)", "c.bmp (/p)"}));
}

// The second of three goes: the keys stay without a gap, the other sections as they were.
TEST_F(CustomBackgroundsTest, DeletingFromTheMiddleClosesTheGap)
{
    put("[Preference]\r\nCard=2\r\n\r\n[Customized backgrounds]\r\nBackground000=a.bmp (/p)\r\n"
        "Background001=b.bmp (/p)\r\nBackground002=c.bmp (/p)\r\n\r\n[Users]\r\nUser001=Anna\r\n");
    ASSERT_TRUE(removeCustomBackground(m_config, 1));
    EXPECT_EQ(get(), "[Preference]\r\nCard=2\r\n\r\n[Customized backgrounds]\r\nBackground000=a.bmp (/p)\r\n"
                     "Background001=c.bmp (/p)\r\n\r\n[Users]\r\nUser001=Anna\r\n");
    // An index past the end changes nothing; the last one going erases the section.
    const std::string before = get();
    ASSERT_TRUE(removeCustomBackground(m_config, 5));
    EXPECT_EQ(get(), before);
    ASSERT_TRUE(removeCustomBackground(m_config, 0));
    ASSERT_TRUE(removeCustomBackground(m_config, 0));
    EXPECT_EQ(get(), "[Preference]\r\nCard=2\r\n\r\n[Users]\r\nUser001=Anna\r\n");
}

TEST_F(CustomBackgroundsTest, AConfigurationThatCannotBeWrittenIsReported)
{
    ProfileFile unwritable(m_dir.path().string()); // a folder, not a file
    EXPECT_FALSE(addCustomBackground(unwritable, "/p/a.bmp"));
}

} // namespace
} // namespace kst
