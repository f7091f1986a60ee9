#include "engine/Sounds.h"

#include "platform/test/TestPorts.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kst {
namespace {

// Every sound name the program plays, as it passes them, and the shipped folder answers each.
TEST(Sounds, EveryNameThePlayerHearsHasItsFile)
{
    const char* names[] = {"Foundation.wav", "Autoplay.wav", "Eddy.wav", "Tableau",  "Shuffle", "Stock",
                           "Redeal",         "Red_no_a",     "red_no_a", "Pairing",  "Reorder", "Face_up",
                           "card_up.wav",    "card_down.wav", "Card_up", "Card_down", "Won",     "New",
                           "Restart",        "Undo",         "Redo",     "Hi-Scor",  "Scores.wav", "Scores",
                           "About.wav",      "About",        "Splash"};
    for (const char* name : names)
        EXPECT_TRUE(std::filesystem::is_regular_file(soundFilePath(KST_PROGRAM_DIR, name))) << name;
    EXPECT_FALSE(std::filesystem::exists(soundFilePath(KST_PROGRAM_DIR, "_t1dz")))
        << "the name that stops a sound has no file";
}

class SoundsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_tmp.write("Sounds/new.WAV", "RIFF");
        m_tmp.write("Sounds/SPLASH.wav", "RIFF");
        m_store.fnStoreSet(Fld::Sounds_Enabled, "Y");
    }
    test::TempDir m_tmp{"sounds"};
    SessionStore m_store{m_tmp.path().string()};
    ProfileFile m_config{m_tmp.file("DATA/CFG.DAT")};
    test::RecordingSound m_player;
};

TEST_F(SoundsTest, AGateAndTheMasterSwitchDecide)
{
    playSound(m_store, m_player, "New", true, PlayMode::Sync);
    ASSERT_EQ(m_player.played().size(), 1u);
    EXPECT_EQ(m_player.played()[0].path, m_tmp.file("Sounds/new.WAV"));
    EXPECT_EQ(m_player.played()[0].mode, PlayMode::Sync);

    playSound(m_store, m_player, "New", false);
    m_store.fnStoreSet(Fld::Sounds_Enabled, "N");
    playSound(m_store, m_player, "New", true);
    stopSound(m_store, m_player);
    EXPECT_EQ(m_player.played().size(), 1u);
    EXPECT_EQ(m_player.stops(), 0);

    m_store.fnStoreSet(Fld::Sounds_Enabled, "Y");
    playSound(m_store, m_player, "Missing", true);
    EXPECT_EQ(m_player.played().size(), 1u) << "a missing file is silence";
    stopSound(m_store, m_player);
    EXPECT_EQ(m_player.stops(), 1);
}

// Every event in turn: its file is shipped, its own switch silences it, the master switch all.
TEST(SoundEvents, EachEventHasItsFileItsSwitchAndItsMode)
{
    SessionStore store(KST_PROGRAM_DIR);
    store.fnStoreSet(Fld::Sounds_Enabled, "Y");
    for (int e = int(SoundEvent::Foundation); e <= int(SoundEvent::Splash); ++e) {
        const SoundEvent event = SoundEvent(e);
        const SoundEventInfo info = soundEventInfo(event);
        SCOPED_TRACE(std::string(info.name));
        EXPECT_TRUE(std::filesystem::is_regular_file(soundFilePath(KST_PROGRAM_DIR, info.name)));
        test::RecordingSound player;
        if (info.gate.length > 0) {
            store.fnStoreSet(info.gate, "N");
            playSound(store, player, event);
            EXPECT_TRUE(player.played().empty());
            store.fnStoreSet(info.gate, "Y");
        }
        playSound(store, player, event);
        ASSERT_EQ(player.played().size(), 1u);
        EXPECT_EQ(player.played()[0].mode, info.mode);
        store.fnStoreSet(Fld::Sounds_Enabled, "N");
        playSound(store, player, event);
        EXPECT_EQ(player.played().size(), 1u);
        store.fnStoreSet(Fld::Sounds_Enabled, "Y");
    }
    EXPECT_EQ(soundEventInfo(SoundEvent::NewGame).mode, PlayMode::Sync);
    EXPECT_EQ(soundEventInfo(SoundEvent::Redeal).mode, PlayMode::Loop);
}

TEST_F(SoundsTest, TheStartSoundFollowsTheStoredSwitches)
{
    struct Case {
        const char* enabled;
        const char* splash;
        bool plays;
    };
    for (const Case c : {Case{nullptr, nullptr, true}, Case{"N", nullptr, false}, Case{"Y", "N", false},
                         Case{"Y", "Y", true}}) {
        test::RecordingSound player;
        m_config.deleteKey("Preference", "Sounds_Enabled");
        m_config.deleteKey("Preference", "Sounds_Splash");
        if (c.enabled)
            m_config.writeText("Preference", "Sounds_Enabled", c.enabled);
        if (c.splash)
            m_config.writeText("Preference", "Sounds_Splash", c.splash);
        playStartSound(m_config, m_store, player);
        EXPECT_EQ(player.played().size(), c.plays ? 1u : 0u) << (c.enabled ? c.enabled : "-") << (c.splash ? c.splash : "-");
        EXPECT_EQ(m_store.fnStoreGet(Fld::Sounds_Enabled), c.enabled ? c.enabled : "Y");
    }
}

} // namespace
} // namespace kst
