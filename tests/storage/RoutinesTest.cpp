#include "storage/Routines.h"

#include "platform/test/TestPorts.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace kst {
namespace {

using test::FakeClock;
using test::RecordingApplication;
using test::ScriptedMessageBoxes;

class RoutinesFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(m_tmp.path() / "DATA");
        m_tmp.write("GAMES.DAT", "x");
    }
    std::string path(const char* name) const { return m_tmp.file(name); }

    test::TempDir m_tmp{"routines"};
    ScriptedMessageBoxes m_messages;
    RecordingApplication m_app;
};

TEST_F(RoutinesFiles, ARequiredFileThatExistsPassesSilently)
{
    EXPECT_TRUE(fnRequireFile(m_messages, m_app, path("GAMES.DAT")));
    EXPECT_TRUE(fnRequireImageFile(m_messages, path("GAMES.DAT")));
    EXPECT_TRUE(m_messages.shown().empty());
    EXPECT_FALSE(m_app.exitCode().has_value());
}

TEST_F(RoutinesFiles, AMissingRequiredFileIsReportedAndEndsTheProgram)
{
    for (const char* name : {"KST.RGF", "DATA"}) { // a folder is not the file
        m_messages.clear();
        EXPECT_FALSE(fnRequireFile(m_messages, m_app, path(name))) << name;
        ASSERT_EQ(m_messages.shown().size(), 1u);
        EXPECT_EQ(m_messages.shown()[0].kind, "error");
        EXPECT_EQ(m_messages.shown()[0].caption, "Error");
        EXPECT_EQ(m_messages.shown()[0].text, "Cannot find file:\r" + path(name)
                                                  + "\rCopy the file into the directory that above is specified"
                                                    "\ror reinstall the program.");
        EXPECT_EQ(m_app.exitCode(), 1);
    }
}

TEST_F(RoutinesFiles, AMissingPictureIsReportedButTheProgramGoesOn)
{
    EXPECT_FALSE(fnRequireImageFile(m_messages, path("B001.bmp")));
    ASSERT_EQ(m_messages.shown().size(), 1u);
    EXPECT_EQ(m_messages.shown()[0].kind, "error");
    EXPECT_EQ(m_messages.shown()[0].caption, "Error");
    EXPECT_EQ(m_messages.shown()[0].text, "Cannot find images file:\r" + path("B001.bmp")
                                              + "\rSome program components cannot be shown correctly."
                                                "\rCopy the file into the directory that above is specified"
                                                "\ror reinstall the program.");
    EXPECT_FALSE(m_app.exitCode().has_value());
}

TEST_F(RoutinesFiles, TellsFoldersFromFiles)
{
    EXPECT_TRUE(fnDirectoryExists(path("DATA")));
    EXPECT_FALSE(fnDirectoryExists(path("GAMES.DAT")));
    EXPECT_FALSE(fnDirectoryExists(path("Nowhere")));
    EXPECT_FALSE(fnDirectoryExists(""));
}

TEST(Routines, BoxesShowTheirTextAndOnlyYesConfirms)
{
    ScriptedMessageBoxes messages;
    fnInfoBox(messages, "Done.");
    messages.queueAnswer(Answer::Yes);
    EXPECT_TRUE(fnAskBox(messages, "Delete?"));
    messages.queueAnswer(Answer::No);
    EXPECT_FALSE(fnAskBox(messages, "Delete?"));
    EXPECT_FALSE(fnAskBox(messages, "Delete?")); // closed without an answer
    ASSERT_EQ(messages.shown().size(), 4u);
    EXPECT_EQ(messages.shown()[0].kind, "information");
    EXPECT_EQ(messages.shown()[0].text, "Done.");
    EXPECT_EQ(messages.shown()[1].kind, "warningYesNo");
    EXPECT_EQ(messages.shown()[1].text, "Delete?");
}

TEST(Routines, CountsTheColoursOfADisplay)
{
    const struct {
        int bits;
        long colours;
    } cases[] = {{1, 2}, {4, 16}, {8, 256}, {16, 65536}, {24, 16777216}, {32, 999999999}, {0, 1}, {-3, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(fnColourCount(c.bits), c.colours) << c.bits;
}

// Remembers how long each turn of a wait was allowed to take.
class RecordingPump : public EventPump {
public:
    explicit RecordingPump(FakeClock& clock, std::uint64_t advance) : m_clock(clock), m_advance(advance) {}
    void processPendingEvents(int maxWaitMs) override
    {
        waits.push_back(maxWaitMs);
        m_clock.advance(m_advance);
    }
    std::vector<int> waits;

private:
    FakeClock& m_clock;
    std::uint64_t m_advance;
};

TEST(Routines, DelayHandlesMessagesOnEveryTurnUntilTheTimeHasPassed)
{
    FakeClock clock;
    clock.setStepPerRead(0);
    RecordingPump events(clock, 30);
    const std::uint64_t start = clock.ticks();
    fnDelay(clock, events, 100);
    EXPECT_EQ(events.waits, (std::vector<int>{100, 70, 40, 10}));
    EXPECT_EQ(clock.ticks() - start, 120u);

    events.waits.clear();
    fnDelay(clock, events, 0);
    fnDelay(clock, events, -5);
    EXPECT_TRUE(events.waits.empty());
}

TEST(Routines, DelayWithoutMessagesStillWaitsItsTime)
{
    FakeClock clock;
    clock.setStepPerRead(7);
    const std::uint64_t start = clock.ticks();
    fnDelayNoMessages(clock, 50);
    EXPECT_GE(clock.ticks() - start, 50u);
    EXPECT_LT(clock.ticks() - start, 50u + 3 * 7);
}

} // namespace
} // namespace kst
