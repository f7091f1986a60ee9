#include "storage/FileLookup.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace kst {
namespace {

class FileLookupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"Images/b001.bmp", "Images/B256.BMP", "Images/db1.bmp", "Images/notes.txt", "GAMES.DAT"})
            m_tmp.write(name, "x");
    }
    std::string dir() const { return m_tmp.path().string(); }

    test::TempDir m_tmp{"lookup"};
};

TEST_F(FileLookupTest, FindsProgramFilesWhateverTheirCase)
{
    const struct {
        const char* asWritten;
        const char* expected;
    } cases[] = {
        {"IMAGES\\B001.bmp", "Images/b001.bmp"},
        {"images/b256.bmp", "Images/B256.BMP"},
        {"games.dat", "GAMES.DAT"},
        {"Images\\Missing.bmp", "Images/Missing.bmp"},
        {"NEWDIR\\New.DAT", "NEWDIR/New.DAT"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(findFile(dir(), c.asWritten), (m_tmp.path() / c.expected).string()) << c.asWritten;
}

TEST_F(FileLookupTest, ListsFilesMatchingAPatternInNameOrder)
{
    const auto files = findFiles((m_tmp.path() / "Images").string(), "B*.BMP");
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0], (m_tmp.path() / "Images/B256.BMP").string());
    EXPECT_EQ(files[1], (m_tmp.path() / "Images/b001.bmp").string());
    EXPECT_TRUE(findFiles((m_tmp.path() / "Nowhere").string(), "*").empty());
}

TEST(FilePattern, MatchesWildcardsWithoutRegardToCase)
{
    const struct {
        const char* name;
        const char* pattern;
        bool matches;
    } cases[] = {
        {"db12.bmp", "db*.bmp", true}, {"DB12.BMP", "db*.bmp", true}, {"b12.bmp", "db*.bmp", false},
        {"db.bmp", "db*.bmp", true},   {"ab.c", "a?.c", true},        {"abc.c", "a?.c", false},
        {"x", "*", true},              {"", "*", true},               {"a.bmpx", "*.bmp", false},
        {"aXbXc", "*X*c", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(matchesPattern(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
}

} // namespace
} // namespace kst
