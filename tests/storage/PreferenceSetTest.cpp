#include "storage/PreferenceSet.h"

#include "platform/test/TestPorts.h"
#include "storage/Startup.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace kst {
namespace {

class PreferenceSetTest : public ::testing::Test {
protected:
    // The session of a program started on the CFG.DAT as it stands.
    void startProgram(SessionStore& store) { readPreferences(m_config, store, {m_boxes, m_app, 32}); }

    // Every value away from its default.
    static PreferenceSet unusual()
    {
        PreferenceSet set;
        for (int i = 0; i < SwitchCount; i += 2)
            set.switches[std::size_t(i)] = true;
        for (std::size_t i = 0; i < set.sounds.size(); i += 3)
            set.sounds[i] = true;
        set.cursor = 14;
        set.undoLevels = 2;
        set.cardSet = 4;
        set.backCard = 23;
        set.background = backgroundSetting({BackgroundCode::Customized, "/home/anna/sea.bmp"}, 255);
        set.speed = 3;
        set.winningAnimation = "Open order";
        set.winningTime = 120;
        return set;
    }
    // Every switch the other way, and other values again.
    static PreferenceSet opposite()
    {
        PreferenceSet set = unusual();
        for (bool& on : set.switches)
            on = !on;
        for (bool& on : set.sounds)
            on = !on;
        set.cursor = 0;
        set.undoLevels = 1;
        set.cardSet = 2;
        set.backCard = 7;
        set.background = backgroundSetting({276, {}}, 1);
        set.speed = 50;
        set.winningAnimation = "(None)";
        set.winningTime = 990;
        return set;
    }

    test::TempDir m_dir{"preferences"};
    ProfileFile m_config{m_dir.file("CFG.DAT")};
    SessionStore m_store{m_dir.path().string()};
    test::ScriptedMessageBoxes m_boxes;
    test::RecordingApplication m_app;
};

// What OK writes is in force at once and is what the next start of the program reads.
TEST_F(PreferenceSetTest, WrittenChoicesSurviveARestart)
{
    startProgram(m_store);
    for (const PreferenceSet& set : {unusual(), opposite()}) {
        std::string failed;
        ASSERT_TRUE(writePreferenceSet(set, m_config, m_store, failed));
        EXPECT_EQ(readPreferenceSet(m_store, m_config), set);
        SessionStore restarted(m_dir.path().string());
        startProgram(restarted);
        EXPECT_EQ(readPreferenceSet(restarted, m_config), set);
    }
}

// The small cards come with one back, whatever back was chosen.
TEST_F(PreferenceSetTest, SmallCardsStoreTheirOwnBack)
{
    PreferenceSet set = unusual();
    set.cardSet = 3;
    set.cardSize = 'M';
    std::string failed;
    ASSERT_TRUE(writePreferenceSet(set, m_config, m_store, failed));
    EXPECT_EQ(m_config.readNumber("Preference", "Back_Card", 0), SmallSizesBack);
    EXPECT_EQ(m_store.fnStoreGet(Fld::Back_Card), "006");
    EXPECT_EQ(m_store.fnStoreGet(Fld::Card_Size), "M");
}

TEST_F(PreferenceSetTest, AConfigurationThatCannotBeWrittenNamesTheFailedKey)
{
    ProfileFile unwritable(m_dir.path().string()); // a folder, not a file
    std::string failed;
    EXPECT_FALSE(writePreferenceSet(unusual(), unwritable, m_store, failed));
    EXPECT_EQ(failed, "Random_Background");
}

// Cancel after Apply: the session's look is exactly what it was before the dialog.
TEST_F(PreferenceSetTest, ALookAppliedAndRestoredLeavesTheSessionAsItWas)
{
    startProgram(m_store);
    const SessionStore before = m_store;
    const TableLook look = currentLook(m_store);
    PreferenceSet changed = unusual();
    changed[Switch::IrregularPiles] = !readPreferenceSet(m_store, m_config)[Switch::IrregularPiles];
    applyLook(changed, m_store);
    EXPECT_NE(currentLook(m_store), look);
    restoreLook(look, m_store);
    for (const NamedField& f : Fld::all)
        EXPECT_EQ(m_store.fnStoreGet(f.field), before.fnStoreGet(f.field)) << f.name;
}

TEST(CardSpeed, StoredDelaysFindTheNearestPosition)
{
    const std::pair<long, int> cases[] = {{50, 1}, {25, 2}, {10, 3}, {3, 4}, {0, 5},
                                          {12, 3}, {99, 1}, {-4, 5}, {18, 2}, {6, 4}};
    for (const auto& [delay, position] : cases)
        EXPECT_EQ(speedPosition(delay), position) << delay;
    for (int position = 1; position <= 5; ++position)
        EXPECT_EQ(speedPosition(speedDelay(position)), position);
    EXPECT_EQ(speedDelay(5), 0);
}

TEST(WinningTime, UnreadableTimesReadAsTheDefault)
{
    const std::pair<const char*, int> cases[] = {{"30", 30}, {" 40 ", 40}, {"", 30},  {"abc", 30},
                                                 {"-5", 30}, {"0", 10},    {"2000", 990}, {"12x", 30}};
    for (const auto& [text, seconds] : cases)
        EXPECT_EQ(winningTime(text), seconds) << text;
}

// Each kind of node of the background tree and the preferences it stands for.
TEST(BackgroundChoices, EachKindOfNodeSetsItsPreferences)
{
    constexpr long Custom = 12345;
    struct Case {
        BackgroundChoice choice;
        BackgroundSetting setting;
    };
    const Case cases[] = {
        {{BackgroundCode::Customized, "/p/sea.bmp"}, {"0", false, 0, Custom, "/p/sea.bmp"}},
        {{BackgroundCode::CustomizedFolder, {}}, {"0", true, 0, Custom, {}}},
        {{BackgroundCode::CustomizedPlaceholder, {}}, {"0", true, 0, Custom, {}}},
        {{BackgroundCode::Folder, {}}, {"0", true, 0, Custom, {}}},
        {{BackgroundCode::CustomColour, {}}, {"0", false, 0, Custom, {}}},
        {{276, {}}, {"276", false, 0, Custom, {}}},
        {{104, {}}, {"104", false, 0, Custom, {}}},
        {{8388608, {}}, {"0", false, 8388608, Custom, {}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(backgroundSetting(c.choice, Custom), c.setting) << c.choice.code;
        long colour = 0;
        const BackgroundChoice back = backgroundChoice(c.setting, colour);
        EXPECT_EQ(backgroundSetting(back, colour), c.setting) << c.choice.code;
        EXPECT_EQ(colour, Custom);
    }
    // A fixed colour the tree does not list is kept as the custom colour, so the table looks the same.
    long colour = 0;
    EXPECT_EQ(backgroundChoice({"0", false, 77, Custom, {}}, colour).code, BackgroundCode::CustomColour);
    EXPECT_EQ(colour, 77);
}

} // namespace
} // namespace kst
