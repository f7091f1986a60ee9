#include "stats/OverallScore.h"

#include "storage/SectionFile.h"
#include "tests/stats/StatsFixture.h"

#include <gtest/gtest.h>

namespace kst {
namespace {

using test::CustomGame;
using test::DoubleGame;
using test::SmallGame;

class OverallScoreTest : public test::StatsFixture {
protected:
    std::vector<std::string> keptDamagedFiles() const
    {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(m_dir.path()))
            if (entry.path().filename().string().starts_with("STAT_GLO.DAT.damaged-"))
                found.push_back(entry.path().filename().string());
        return found;
    }
    std::string plain(const std::string& player, const std::string& key)
    {
        return fnDecipherValue(fnSectionReadKeys(m_files.overallPath(), player, {key}, {""}).values[0]);
    }
};

TEST_F(OverallScoreTest, ChecksumOfAbc)
{
    EXPECT_EQ(fnChecksum("abc"), 597u);
}

TEST_F(OverallScoreTest, ValuesHideTheirDigitsAndEncipherIntoPlainLetters)
{
    const struct {
        OverallValue kind;
        long long number;
        std::size_t length;
    } cases[] = {
        {OverallValue::Score, 123456789012, 28},
        {OverallValue::Time, 42, 28},
        {OverallValue::GameScore, 987654, 16},
        {OverallValue::GameTime, 300, 16},
    };
    for (const auto& c : cases) {
        const std::string value = makePlainValue(c.number, c.kind, m_ports.random);
        ASSERT_EQ(value.size(), c.length);
        EXPECT_EQ(std::stoll(fnPickDigits(value, c.kind)), c.number);
        const std::string stored = fnEncipherValue(value);
        EXPECT_EQ(fnDecipherValue(stored), value);
        // Nothing that could end a key, a line or a section.
        EXPECT_EQ(stored.find_first_of("=[]\r\n"), std::string::npos) << stored;
        if (c.kind == OverallValue::GameScore) {
            EXPECT_EQ(std::stoul(value.substr(10)), fnChecksum(value.substr(0, 10)));
        }
    }
}

TEST_F(OverallScoreTest, OnlyABetterResultChangesTheOverallScore)
{
    fnUpdateOverall(m_files, SmallGame, "Anna", 120, 300);
    fnUpdateOverall(m_files, DoubleGame, "Anna", 30, 50);
    std::vector<OverallEntry> overall = fnReadOverall(m_files);
    ASSERT_EQ(overall.size(), 1u);
    EXPECT_EQ(overall[0].score, 150);
    EXPECT_EQ(overall[0].seconds, 350);
    const std::string t03 = plain("Anna", "T03");
    EXPECT_EQ(t03.substr(0, 4), "0430");
    EXPECT_EQ(std::stoul(t03.substr(4)), fnChecksum("0430" + plain("Anna", "T01") + plain("Anna", "T02")));

    const std::string before = read("STAT_GLO.DAT");
    fnUpdateOverall(m_files, SmallGame, "Anna", 100, 10);
    fnUpdateOverall(m_files, SmallGame, "Anna", 120, 301);
    fnUpdateOverall(m_files, CustomGame, "Anna", 5000, 1);
    EXPECT_EQ(read("STAT_GLO.DAT"), before);

    fnUpdateOverall(m_files, SmallGame, "Anna", 120, 250);
    overall = fnReadOverall(m_files);
    EXPECT_EQ(overall[0].score, 150);
    EXPECT_EQ(overall[0].seconds, 300);
    EXPECT_TRUE(boxTexts().empty());
}

TEST_F(OverallScoreTest, RankingByScoreThenTimeThenFileOrder)
{
    fnUpdateOverall(m_files, SmallGame, "Slow", 100, 500);
    fnUpdateOverall(m_files, SmallGame, "Low", 50, 10);
    fnUpdateOverall(m_files, SmallGame, "Fast", 100, 200);
    fnUpdateOverall(m_files, SmallGame, "Fast too", 100, 200);
    std::vector<std::string> names;
    for (const OverallEntry& e : fnReadOverall(m_files))
        names.push_back(e.player);
    EXPECT_EQ(names, (std::vector<std::string>{"Fast", "Fast too", "Slow", "Low"}));
}

TEST_F(OverallScoreTest, AlteredValueIsKeptAsideAndTheScoresStartAgain)
{
    fnUpdateOverall(m_files, SmallGame, "Anna", 120, 300);
    fnUpdateOverall(m_files, SmallGame, "Bob", 80, 300);
    std::string text = read("STAT_GLO.DAT");
    const std::size_t at = text.find("T01=") + 4 + 4; // a value digit of Anna's overall score
    text[at] = char(text[at] + 1);
    put("STAT_GLO.DAT", text);

    EXPECT_TRUE(fnReadOverall(m_files).empty());
    const std::vector<std::string> kept = keptDamagedFiles();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0], "STAT_GLO.DAT.damaged-20261211-140509");
    EXPECT_EQ(read(kept[0].c_str()), text);
    ASSERT_EQ(boxTexts().size(), 1u);
    EXPECT_NE(boxTexts()[0].find("incorrect or corrupted"), std::string::npos);
    EXPECT_NE(boxTexts()[0].find(kept[0]), std::string::npos);

    fnUpdateOverall(m_files, SmallGame, "Anna", 10, 20);
    const std::vector<OverallEntry> fresh = fnReadOverall(m_files);
    ASSERT_EQ(fresh.size(), 1u);
    EXPECT_EQ(fresh[0].score, 10);
}

TEST_F(OverallScoreTest, AlteredGameValueIsFoundByTheNextUpdate)
{
    fnUpdateOverall(m_files, SmallGame, "Anna", 120, 300);
    std::string text = read("STAT_GLO.DAT");
    const std::size_t at = text.find("GS-0001=") + 8 + 2;
    text[at] = char(text[at] + 1);
    put("STAT_GLO.DAT", text);
    fnUpdateOverall(m_files, SmallGame, "Anna", 50, 30);
    EXPECT_EQ(keptDamagedFiles().size(), 1u);
    EXPECT_EQ(fnReadOverall(m_files).at(0).score, 50);
}

TEST_F(OverallScoreTest, DetailsListEveryCatalogueGameByName)
{
    fnUpdateOverall(m_files, SmallGame, "Anna", 200, 300);
    fnUpdateOverall(m_files, DoubleGame, "Anna", 300, 3725);
    const std::vector<OverallDetail> details = readOverallDetails(m_files, m_catalogue, "Anna");
    ASSERT_EQ(details.size(), 2u);
    EXPECT_EQ(details[0].gameName, "Double");
    EXPECT_EQ(details[0].score, 300);
    EXPECT_EQ(details[0].seconds, 3725);
    EXPECT_FALSE(details[0].maximum); // -1: four times the 104 cards
    EXPECT_EQ(details[1].gameName, "Small");
    EXPECT_TRUE(details[1].maximum);
    EXPECT_EQ(readOverallDetails(m_files, m_catalogue, "Nobody")[0].score, 0);
}

} // namespace
} // namespace kst
