#include "storage/ProfileFile.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

namespace fs = std::filesystem;

namespace kst {
namespace {

class ProfileFileTest : public ::testing::Test {
protected:
    std::string path(const char* name = "CFG.DAT") const { return m_tmp.file(name); }
    void put(const std::string& bytes) const { m_tmp.write("CFG.DAT", bytes); }
    std::string get() const { return m_tmp.read("CFG.DAT"); }

    test::TempDir m_tmp{"profile"};
};

const std::string kConfig = "[Preference]\r\nSounds_Enabled=Y\r\nUserDefault=Player 1  \r\n\r\n"
                            "[Show_Messages]\r\nScreen_Under_256_Colors=N\r\n"
                            "[preference]\r\nSounds_Enabled=N\r\nSpeed=3\r\n";

TEST_F(ProfileFileTest, ReadsTheFirstMatchWithoutRegardToCase)
{
    put(kConfig);
    const ProfileFile cfg(path());
    const struct {
        const char* section;
        const char* key;
        std::string expected;
    } cases[] = {
        {"Preference", "Sounds_Enabled", "Y"},
        {"PREFERENCE", "sounds_enabled", "Y"},
        {"preference", "UserDefault", "Player 1  "},
        {"Preference", "Speed", "3"},
        {"show_messages", "Screen_Under_256_Colors", "N"},
        {"Preference", "Missing", "dflt"},
        {"Missing", "Sounds_Enabled", "dflt"},
        {"Preference", "Sounds", "dflt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cfg.readText(c.section, c.key, "dflt"), c.expected) << c.section << "/" << c.key;
    EXPECT_EQ(ProfileFile(path("NONE.DAT")).readText("Preference", "Speed", "7"), "7");
}

TEST_F(ProfileFileTest, ReadsWholeNumbersOnly)
{
    const struct {
        const char* stored;
        long expected;
    } cases[] = {
        {"12", 12},
        {"  -7  ", -7},
        {"+5", 5},
        {"007", 7},
        {"9223372036854775807", LONG_MAX},
        {"-9223372036854775808", LONG_MIN},
        {"9223372036854775808", -1},
        {"12a", -1},
        {"1 2", -1},
        {"0x10", -1},
        {"-", -1},
        {"", -1},
        {"   ", -1},
        {"1.5", -1},
    };
    ProfileFile cfg(path());
    for (const auto& c : cases) {
        ASSERT_TRUE(cfg.writeText("Preference", "Number", c.stored));
        EXPECT_EQ(cfg.readNumber("Preference", "Number", -1), c.expected) << '"' << c.stored << '"';
    }
    EXPECT_EQ(cfg.readNumber("Preference", "Missing", 42), 42);
    ASSERT_TRUE(cfg.writeNumber("Preference", "Number", -250));
    EXPECT_EQ(cfg.readText("Preference", "Number", ""), "-250");
}

TEST_F(ProfileFileTest, WritesChangeOnlyTheLinesConcerned)
{
    const std::string file = "; kept as it is\n[Preference]\r\nSpeed=3\r\nColor=1\r\n\r\n\r\n[Users]\r\nUser001=Anna";
    const struct {
        const char* name;
        std::function<bool(ProfileFile&)> write;
        std::string after;
    } cases[] = {
        {"existing key", [](ProfileFile& f) { return f.writeText("PREFERENCE", "speed", "5"); },
         "; kept as it is\n[Preference]\r\nSpeed=5\r\nColor=1\r\n\r\n\r\n[Users]\r\nUser001=Anna"},
        {"new key", [](ProfileFile& f) { return f.writeText("Preference", "Back_Card", "B001"); },
         "; kept as it is\n[Preference]\r\nSpeed=3\r\nColor=1\r\nBack_Card=B001\r\n\r\n\r\n[Users]\r\nUser001=Anna"},
        {"new key in the last section", [](ProfileFile& f) { return f.writeText("Users", "User002", "Bob"); },
         "; kept as it is\n[Preference]\r\nSpeed=3\r\nColor=1\r\n\r\n\r\n[Users]\r\nUser001=Anna\r\nUser002=Bob\r\n"},
        {"new section", [](ProfileFile& f) { return f.writeText("Show_Messages", "Tip", "N"); },
         "; kept as it is\n[Preference]\r\nSpeed=3\r\nColor=1\r\n\r\n\r\n[Users]\r\nUser001=Anna\r\n\r\n[Show_Messages]\r\nTip=N\r\n"},
        {"delete key", [](ProfileFile& f) { return f.deleteKey("preference", "SPEED"); },
         "; kept as it is\n[Preference]\r\nColor=1\r\n\r\n\r\n[Users]\r\nUser001=Anna"},
        {"erase section", [](ProfileFile& f) { return f.eraseSection("PREFERENCE"); },
         "; kept as it is\n[Users]\r\nUser001=Anna"},
        {"delete missing key", [](ProfileFile& f) { return f.deleteKey("Users", "User009"); }, file},
        {"erase missing section", [](ProfileFile& f) { return f.eraseSection("Favourite Games"); }, file},
        {"replace section", [](ProfileFile& f) { return f.replaceSection("preference", {{"Game000", "Spider"}}); },
         "; kept as it is\n[Preference]\r\nGame000=Spider\r\n\r\n[Users]\r\nUser001=Anna"},
        {"replace the last section",
         [](ProfileFile& f) { return f.replaceSection("Users", {{"User001", "Bob"}, {"User002", "Cy"}}); },
         "; kept as it is\n[Preference]\r\nSpeed=3\r\nColor=1\r\n\r\n\r\n[Users]\r\nUser001=Bob\r\nUser002=Cy\r\n"},
        {"replace missing section", [](ProfileFile& f) { return f.replaceSection("Favourite Games", {{"Game000", "A"}}); },
         "; kept as it is\n[Preference]\r\nSpeed=3\r\nColor=1\r\n\r\n\r\n[Users]\r\nUser001=Anna\r\n\r\n"
         "[Favourite Games]\r\nGame000=A\r\n"},
        {"replace with nothing", [](ProfileFile& f) { return f.replaceSection("Users", {}); },
         "; kept as it is\n[Preference]\r\nSpeed=3\r\nColor=1\r\n\r\n\r\n"},
    };
    for (const auto& c : cases) {
        put(file);
        ProfileFile cfg(path());
        EXPECT_TRUE(c.write(cfg)) << c.name;
        EXPECT_EQ(get(), c.after) << c.name;
    }
}

TEST_F(ProfileFileTest, FirstWriteCreatesTheFileAndItsFolder)
{
    ProfileFile cfg((m_tmp.path() / "DATA" / "CFG.DAT").string());
    ASSERT_TRUE(cfg.writeText("Preference", "Speed", "3"));
    ASSERT_TRUE(cfg.writeText("Users", "User001", "Anna"));
    std::ifstream in(cfg.path(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "[Preference]\r\nSpeed=3\r\n\r\n[Users]\r\nUser001=Anna\r\n");
}

TEST_F(ProfileFileTest, FileThatCannotBeReadIsNeverOverwritten)
{
    fs::create_directory(path());
    ProfileFile cfg(path());
    EXPECT_EQ(cfg.readText("Preference", "Speed", "3"), "3");
    EXPECT_EQ(cfg.readNumber("Preference", "Speed", 3), 3);
    EXPECT_FALSE(cfg.writeText("Preference", "Speed", "5"));
    EXPECT_FALSE(cfg.deleteKey("Preference", "Speed"));
    EXPECT_FALSE(cfg.eraseSection("Preference"));
    EXPECT_TRUE(fs::is_directory(path()));
}

TEST_F(ProfileFileTest, RefusesTextsThatWouldBreakTheLines)
{
    put(kConfig);
    ProfileFile cfg(path());
    const struct {
        const char* section;
        const char* key;
        const char* value;
    } cases[] = {
        {"Customized backgrounds", "File1", "/home/a\r\n[Preference]"},
        {"Preference", "Sounds_Enabled", "Y\nSpeed=9"},
        {"Preference", "A=B", "1"},
        {"Pref]erence", "Speed", "1"},
        {"Preference", "[Users]", "1"},
        {"Preference", "", "1"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(cfg.writeText(c.section, c.key, c.value)) << c.key << "=" << c.value;
        EXPECT_FALSE(cfg.replaceSection(c.section, {{"Game000", "Kept"}, {c.key, c.value}})) << c.key << "=" << c.value;
    }
    EXPECT_EQ(get(), kConfig);
}

} // namespace
} // namespace kst
