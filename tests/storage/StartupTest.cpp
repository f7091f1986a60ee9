#include "storage/Startup.h"

#include "platform/test/TestPorts.h"
#include "storage/SectionFile.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace kst {
namespace {

class StartupTest : public ::testing::Test {
protected:
    WindowPreferences start(int colourBits = 32)
    {
        return readPreferences(m_cfg, m_store, {m_boxes, m_app, colourBits});
    }
    std::string field(Field f) const { return m_store.fnStoreGet(f); }

    test::TempDir m_tmp{"startup"};
    ProgramFiles m_files{m_tmp.path().string(), m_tmp.file("DATA")};
    ProfileFile m_cfg{m_tmp.file("DATA/CFG.DAT")};
    SessionStore m_store{m_tmp.path().string()};
    test::ScriptedMessageBoxes m_boxes;
    test::RecordingApplication m_app;
};

TEST_F(StartupTest, AFirstRunGetsEveryDefaultAndThreePlayers)
{
    m_store.fnStoreSet(Fld::SessionWon, "0007");
    const WindowPreferences window = start();
    EXPECT_FALSE(window.toolbarLarge);
    EXPECT_TRUE(window.toolbarFlat);
    EXPECT_TRUE(window.autoPlay);
    EXPECT_TRUE(window.solver);
    EXPECT_FALSE(window.winnableDealsOnly);

    const std::pair<Field, const char*> expected[] = {
        {Fld::Show_ToolTips, "Y"},     {Fld::Back_Card, "011"},       {Fld::Card, "001"},
        {Fld::Card_Size, "F"},         {Fld::Background_bmp, "0"},    {Fld::Background_Fixed_Col, "32768"},
        {Fld::Background_Col, "-2147483633"}, {Fld::Background_def, "N"}, {Fld::Fade_Background, "Y"},
        {Fld::Customized_Background, "N"}, {Fld::GameId, "0001"},    {Fld::Game_name, "Freecell"},
        {Fld::Show_Time, "Y"},         {Fld::Show_Score, "Y"},        {Fld::Cards_Animate, "Y"},
        {Fld::Cards_Shadowed, "Y"},    {Fld::Piles_TT, "N"},          {Fld::Language, "20000"},
        {Fld::Speed_Move_Card, "10"},  {Fld::StatusBar, "N"},         {Fld::UserDefault, "Player 1"},
        {Fld::Undo_Enabled, "0"},      {Fld::Sounds_Enabled, "Y"},    {Fld::Sounds_Undo, "Y"},
        {Fld::Random_Background, "N"}, {Fld::VertScrollBar, "Y"},    {Fld::ShowPilesSize, "N"},
        {Fld::DoubleClick_To_Tableaus, "N"}, {Fld::Cursor, "10"},     {Fld::ScoringSystem, "01"},
        {Fld::SessionWon, "0000"},     {Fld::SessionLost, "0000"},
    };
    for (const auto& [f, value] : expected)
        EXPECT_EQ(field(f), value) << "field at " << f.position;

    EXPECT_EQ(m_cfg.readText("Preference", "UserDefault", ""), "Player 1");
    for (const auto& [key, name] : {std::pair{"User001", "Player 1"}, {"User002", "Player 2"}, {"User003", "Player 3"}})
        EXPECT_EQ(m_cfg.readText("Users", key, ""), name);
    EXPECT_TRUE(m_boxes.shown().empty());
}

TEST_F(StartupTest, APaletteDisplayIsAdvisedAndGetsTheCardSetItShowsBest)
{
    start(8);
    ASSERT_EQ(m_boxes.shown().size(), 1u);
    EXPECT_EQ(m_boxes.shown()[0].kind, "advice");
    EXPECT_TRUE(m_boxes.shown()[0].text.starts_with("At this time your video driver supports 256 colors or less."));
    EXPECT_EQ(field(Fld::Card), "003");

    m_cfg.writeText("Preference", "Card", "5");
    start(8);
    EXPECT_EQ(field(Fld::Card), "005") << "a stored set stays";
}

TEST_F(StartupTest, StoredValuesAreTakenAndRepaired)
{
    struct Case {
        const char* key;
        const char* stored;
        Field field;
        const char* expected;
    };
    const Case cases[] = {
        {"Back_Card", "0", Fld::Back_Card, "001"},
        {"Back_Card", "27", Fld::Back_Card, "027"},
        {"Background_Col", "0", Fld::Background_Col, "-2147483633"},
        {"Background_Col", "255", Fld::Background_Col, "255"},
        {"Background_bmp", "", Fld::Background_bmp, "0"},
        {"Background_bmp", "257", Fld::Background_bmp, "257"},
        {"Customized_Background", "/home/p/felt.bmp", Fld::Customized_Background, "Y"},
        {"Game", "-1", Fld::GameId, "-001"},
        {"Game", "8003", Fld::GameId, "8003"},
        {"Game", "rubbish", Fld::GameId, "0001"},
        {"Speed_Move_Card", "0", Fld::Speed_Move_Card, "0"},
        {"Speed_Move_Card", "500", Fld::Speed_Move_Card, "99"},
        {"Cursor", "15", Fld::Cursor, "15"},
        {"Sounds_Tableau", "N", Fld::Sounds_Tableau, "N"},
        {"UserDefault", "Anna", Fld::UserDefault, "Anna"},
    };
    for (const Case& c : cases) {
        m_cfg.writeText("Preference", c.key, c.stored);
        start();
        EXPECT_EQ(field(c.field), c.expected) << c.key << "=" << c.stored;
        m_cfg.deleteKey("Preference", c.key);
    }
}

TEST_F(StartupTest, ValuesThatDependOnOthers)
{
    m_cfg.writeText("Preference", "Card_Size", "M");
    m_cfg.writeText("Preference", "Back_Card", "4");
    m_cfg.writeText("Preference", "Cards_Animate", "N");
    m_cfg.writeText("Preference", "ToolBar_Large", "Y");
    m_cfg.writeText("Preference", "AutoPlay", "N");
    m_cfg.writeText("Preference", "Solver", "N");
    m_cfg.writeText("Preference", "Winnable_Deals_Only", "Y");
    const WindowPreferences window = start();
    EXPECT_EQ(field(Fld::Back_Card), "006");
    EXPECT_EQ(field(Fld::Cards_Shadowed), "N") << "follows Cards_Animate when not stored";
    EXPECT_TRUE(window.toolbarLarge);
    EXPECT_FALSE(window.autoPlay);
    EXPECT_FALSE(window.solver);
    EXPECT_TRUE(window.winnableDealsOnly);

    m_cfg.writeText("Preference", "Cards_Shadowed", "Y");
    start();
    EXPECT_EQ(field(Fld::Cards_Shadowed), "Y");

    // Cards that fit the window are drawn from the big ones, and keep every back.
    m_cfg.writeText("Preference", "Card_Size", "F");
    start();
    EXPECT_EQ(field(Fld::Back_Card), "004");
}

// The command line takes its preferences from here: they must not drift from a first run's, and
// the only difference is that no player is made up (that would be written to CFG.DAT).
TEST_F(StartupTest, TheDefaultsAreAFirstRunsValuesWithoutAPlayerOrAFile)
{
    SessionStore defaults(m_tmp.path().string());
    defaults.fnStoreSet(Fld::SessionLost, "0003");
    preferenceDefaults(defaults);
    start();
    for (const NamedField& f : Fld::all) {
        const std::string expected = f.field == Fld::UserDefault ? "" : field(f.field);
        EXPECT_EQ(defaults.fnStoreGet(f.field), expected) << f.name;
    }
    fs::remove_all(m_tmp.file("DATA"));
    preferenceDefaults(defaults);
    EXPECT_FALSE(fs::exists(m_tmp.file("DATA")));
}

TEST_F(StartupTest, AnExistingPlayerListIsLeftAlone)
{
    m_cfg.writeText("Preference", "UserDefault", "Anna");
    m_cfg.writeText("Users", "User001", "Anna");
    start();
    EXPECT_EQ(m_cfg.readText("Users", "User002", "<none>"), "<none>");
}

TEST_F(StartupTest, AnUnknownSavedGameIsForgotten)
{
    GameCatalogue catalogue(m_tmp.file("DATA/GAM_CUST.DAT"));
    ASSERT_TRUE(catalogue.load(KST_PROGRAM_DIR "/GAMES.DAT").ok);
    struct Case {
        const char* gameId;
        const char* gameIdAfter;
        const char* nameAfter;
    };
    for (const Case c : {Case{"0002", "0002", "Kept"}, Case{"0099", "-001", ""}, Case{"8000", "-001", ""},
                         Case{"-001", "-001", "Kept"}}) {
        m_store.fnStoreSet(Fld::GameId, c.gameId);
        m_store.fnStoreSet(Fld::Game_name, "Kept");
        checkSavedGame(catalogue, m_store);
        EXPECT_EQ(field(Fld::GameId), c.gameIdAfter) << c.gameId;
        EXPECT_EQ(field(Fld::Game_name), c.nameAfter) << c.gameId;
    }
}

TEST_F(StartupTest, ThePreviousVersionsFilesAreClearedAwayAndTheMarkerWritten)
{
    const char* removed[] = {"KSTV0420.DAT", "kstv0150.dat", "KESTRANE.DLL",    "IMAGES/GAME0000.BMP",
                             "IMAGES/game0100.bmp", "IMAGES/WB001.BMP", "IMAGES/WM025.BMP", "IMAGES/WP000.BMP",
                             "IMAGES/CB001C.BMP", "IMAGES/CB005S.BMP", "IMAGES/CL003H.BMP"};
    const char* kept[] = {"KSTV0430.DAT.bak", "IMAGES/GAME0101.BMP", "IMAGES/WB026.BMP", "IMAGES/CB006C.BMP",
                          "IMAGES/B257.bmp",  "IMAGES/DB001.bmp",    "GAMES.DAT"};
    for (const char* name : removed)
        m_tmp.write(name, "x");
    for (const char* name : kept)
        m_tmp.write(name, "x");
    tidyProgramFolder(m_files);
    for (const char* name : removed)
        EXPECT_FALSE(fs::exists(m_tmp.file(name))) << name;
    for (const char* name : kept)
        EXPECT_TRUE(fs::exists(m_tmp.file(name))) << name;
    EXPECT_EQ(m_tmp.read("KSTV0430.DAT"), "Kestrane version: 04.30\r\n");

    m_tmp.write("KSTV0430.DAT", "mine");
    tidyProgramFolder(m_files);
    EXPECT_EQ(m_tmp.read("KSTV0430.DAT"), "mine");
}

TEST_F(StartupTest, AnOldHiScoreFileGetsItsNewLayoutOnce)
{
    const std::string longEntry = "0001" + std::string(100, 'z');
    m_tmp.write("DATA/STAT_SCR.DAT", "[Version]\r\nVersion=0200\r\n[0001]\r\n0001Anna 120\r\n" + longEntry +
                                         "\r\nother line\r\n");
    m_cfg.writeText("Preference", "Cards_Animate", "S");
    m_cfg.writeText("Preference", "ConfirmQuit", "S");
    firstActivation(m_files, m_cfg, m_boxes);

    const std::string expected = "[Version]\r\nVersion=0300\r\n\r\n[0001]\r\n" + ("0001Anna 120" + std::string(77, ' ')) +
                                 " x\r\n" + longEntry.substr(0, 89) + " x\r\nother line\r\n";
    EXPECT_EQ(m_tmp.read("DATA/STAT_SCR.DAT"), expected);
    EXPECT_EQ(m_cfg.readText("Preference", "Cards_Animate", ""), "Y");
    EXPECT_EQ(m_cfg.readText("Preference", "ConfirmQuit", ""), "Y");

    firstActivation(m_files, m_cfg, m_boxes);
    EXPECT_EQ(m_tmp.read("DATA/STAT_SCR.DAT"), expected) << "a second run changes nothing";
    EXPECT_TRUE(m_boxes.shown().empty());
}

TEST_F(StartupTest, WithoutAHiScoreFileTheFirstActivationDoesNothing)
{
    m_cfg.writeText("Preference", "Cards_Animate", "S");
    firstActivation(m_files, m_cfg, m_boxes);
    EXPECT_FALSE(fs::exists(m_tmp.file("DATA/STAT_SCR.DAT")));
    EXPECT_EQ(m_cfg.readText("Preference", "Cards_Animate", ""), "S");
}

} // namespace
} // namespace kst
