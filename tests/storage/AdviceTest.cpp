#include "storage/Advice.h"

#include "platform/test/TestPorts.h"
#include "storage/ProfileFile.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace kst {
namespace {

class AdviceTest : public ::testing::Test {
protected:
    test::TempDir m_tmp{"advice"};
    ProfileFile m_cfg{m_tmp.file("DATA/CFG.DAT")};
    test::ScriptedMessageBoxes m_boxes;
    test::RecordingApplication m_app;
};

TEST_F(AdviceTest, TickedBoxSwitchesTheMessageOffForGood)
{
    m_boxes.queueAdviceTicked(true);
    fnAdvice(m_cfg, m_boxes, m_app, "Low colours", "Screen_Under_256_Colors", 0);

    ASSERT_EQ(m_boxes.shown().size(), 1u);
    EXPECT_EQ(m_boxes.shown()[0].kind, "advice");
    EXPECT_EQ(m_boxes.shown()[0].text, "Low colours");
    EXPECT_EQ(m_boxes.shown()[0].picturePage, 0);
    EXPECT_EQ(m_cfg.readText("Show_Messages", "Screen_Under_256_Colors", ""), "N");
    EXPECT_EQ(m_app.repaints(), 1);

    fnAdvice(m_cfg, m_boxes, m_app, "Low colours", "Screen_Under_256_Colors", 0);
    EXPECT_EQ(m_boxes.shown().size(), 1u);
    EXPECT_EQ(m_app.repaints(), 1);
}

TEST_F(AdviceTest, UntickedBoxShowsAgainNextTime)
{
    fnAdvice(m_cfg, m_boxes, m_app, "Small screen", "Screen_Size", 1);
    fnAdvice(m_cfg, m_boxes, m_app, "Small screen", "Screen_Size", 1);

    ASSERT_EQ(m_boxes.shown().size(), 2u);
    EXPECT_EQ(m_boxes.shown()[1].picturePage, 1);
    EXPECT_EQ(m_app.repaints(), 2);
    EXPECT_FALSE(fs::exists(m_cfg.path()));
}

TEST_F(AdviceTest, KeyAlreadyOffShowsNothing)
{
    ASSERT_TRUE(m_cfg.writeText("show_messages", "SCREEN_SIZE", "N"));
    ASSERT_TRUE(m_cfg.writeText("Show_Messages", "Other", "Y"));
    fnAdvice(m_cfg, m_boxes, m_app, "Small screen", "Screen_Size", 1);
    EXPECT_TRUE(m_boxes.shown().empty());
    EXPECT_EQ(m_app.repaints(), 0);

    fnAdvice(m_cfg, m_boxes, m_app, "Other text", "Other", 0);
    EXPECT_EQ(m_boxes.shown().size(), 1u);
}

} // namespace
} // namespace kst
