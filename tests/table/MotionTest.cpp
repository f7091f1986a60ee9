#include "table/Motion.h"

#include "cards/Card.h"
#include "tests/support/TablePictures.h"

#include <gtest/gtest.h>

#include <optional>

namespace kst {
namespace {

using test::MemoryBitmap;

constexpr Colour Table = rgb(0, 96, 0);
constexpr int W = 71, H = 96;

TEST(MotionPath, StepsGrowWithTheDistance)
{
    const std::tuple<int, bool, int> cases[] = {
        {100, false, 19}, {500, false, 48}, {100, true, 5}, {500, true, 14},
        {1, false, 1},    {3, true, 1},     {0, false, 0},  {10, false, 2},
    };
    for (const auto& [distance, fine, step] : cases)
        EXPECT_EQ(motionStep(distance, fine), step) << distance << (fine ? " fine" : "");
}

TEST(MotionPath, TheLeadingAxisStepsAndTheOtherFollowsInProportion)
{
    EXPECT_EQ(motionPath({10, 10}, {10, 110}, false),
              (std::vector<Point>{{10, 29}, {10, 48}, {10, 67}, {10, 86}, {10, 105}, {10, 110}}))
        << "a purely vertical move keeps x";

    const std::vector<Point> diagonal = motionPath({0, 0}, {200, 100}, false);
    ASSERT_EQ(diagonal.size(), 7u);
    EXPECT_EQ(diagonal[0], (Point{30, 15}));
    EXPECT_EQ(diagonal[2], (Point{90, 45}));
    EXPECT_EQ(diagonal.back(), (Point{200, 100}));

    const std::vector<Point> back = motionPath({300, 300}, {100, 250}, false);
    EXPECT_EQ(back[0], (Point{270, 293})) << "both coordinates go down, y by 15 percent of 50 rounded down";
    EXPECT_EQ(back.back(), (Point{100, 250}));

    EXPECT_EQ(motionPath({5, 5}, {5, 5}, false), (std::vector<Point>{{5, 5}}));
    EXPECT_EQ(motionPath({0, 0}, {3, 0}, true).size(), 3u) << "a short fine move still arrives";
}

class MotionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_pictures.loaded);
        m_table.fillRect({0, 0, 800, 700}, Table);
        m_window.fillRect({0, 0, 800, 600}, Table);
    }

    MovingImage image(std::vector<MovingCard> cards)
    {
        return MovingImage({&m_window, m_table, m_table}, m_pictures.pictures, m_pictures.graphics, cards);
    }

    test::TablePictures m_pictures;
    MemoryBitmap m_window{800, 600};
    MemoryBitmap m_table{800, 700};
    // Timing with a pace that starts now, frames of 16 ms.
    MotionTiming timing(int speed, bool shadowed)
    {
        m_pace.emplace(m_clock, m_events, 16);
        return {*m_pace, speed, shadowed, 0};
    }

    test::FakeClock m_clock;
    test::CountingEventPump m_events{&m_clock};
    std::optional<MotionPace> m_pace;
};

TEST_F(MotionTest, ThePictureHoldsTheFannedCardsAndTheirBacks)
{
    MovingImage picture = image({{-1, 0}, {cardOf(7, 2), 18}});
    EXPECT_EQ(picture.width(), W);
    EXPECT_EQ(picture.height(), 18 + H);
    EXPECT_EQ(picture.image().pixel(30, 10), test::BackColour);
    EXPECT_EQ(picture.image().pixel(30, 60), test::faceColour(1, cardOf(7, 2)));
    EXPECT_EQ(picture.image().pixel(0, 18), test::BackColour) << "the upper card's corner shows the card below";
}

TEST_F(MotionTest, DraggingGivesBackTheTableAndLeavesTheBufferAlone)
{
    MovingImage picture = image({{1, 0}});
    picture.showAt({100, 100}, false, 0);
    EXPECT_EQ(m_window.pixel(130, 150), test::faceColour(1, 1));
    EXPECT_EQ(m_window.pixel(100, 100), Table) << "a corner blends with the table beneath";

    picture.dragTo({140, 100}, false, 0);
    EXPECT_EQ(m_window.pixel(120, 150), Table);
    EXPECT_EQ(m_window.pixel(150, 150), test::faceColour(1, 1));
    for (int x = 0; x < 800; x += 20)
        EXPECT_EQ(m_table.pixel(x, 150), Table);

    picture.dragTo({140, 60}, false, 0);
    EXPECT_EQ(m_window.pixel(150, 60 + H + 2), Table) << "the strip below is given back";

    picture.hide(0);
    EXPECT_EQ(m_window.pixel(150, 100), Table);
}

TEST_F(MotionTest, AShadowFollowsWithoutDarkeningItself)
{
    MovingImage picture = image({{1, 0}});
    picture.showAt({100, 100}, true, 0);
    const Colour shadow = m_window.pixel(100 + W + 3, 150);
    EXPECT_EQ(shadow, test::ShadowColour);
    picture.dragTo({101, 100}, true, 0);
    picture.dragTo({102, 100}, true, 0);
    EXPECT_EQ(m_window.pixel(102 + W + 3, 150), test::ShadowColour);
    EXPECT_EQ(m_window.pixel(102 + W + 9 + 1, 150), Table) << "the shadow of the old place is gone";
}

TEST_F(MotionTest, AGlideEndsAtItsTargetAndStaysInTheTable)
{
    MovingImage picture = image({{cardOf(King, 3), 0}});
    moveCard(picture, {.from = {10, 10}, .to = {400, 300}}, timing(0, false), {W, H});
    EXPECT_EQ(picture.position(), (Point{400, 300}));
    EXPECT_EQ(m_table.pixel(430, 350), test::faceColour(1, cardOf(King, 3)));
    EXPECT_EQ(m_window.pixel(430, 350), test::faceColour(1, cardOf(King, 3)));
    EXPECT_EQ(m_window.pixel(40, 40), Table) << "nothing left behind on the way";
}

TEST_F(MotionTest, EachStepLastsTheSpeedAndTheWindowsRepaintMeanwhile)
{
    struct Case {
        int speed;
        bool fine;
        double stepMs;
    };
    for (const Case c : {Case{25, false, 25}, Case{0, false, FineStepMs}, Case{25, true, FineStepMs}}) {
        const std::size_t steps = motionPath({10, 10}, {400, 300}, c.fine).size();
        MovingImage picture = image({{1, 0}});
        const MotionTiming t = timing(c.speed, false);
        const auto start = m_clock.ticks();
        const int callsBefore = m_events.calls();
        moveCard(picture, {.from = {10, 10}, .to = {400, 300}, .fine = c.fine}, t, {W, H});
        EXPECT_NEAR(t.pace.elapsed(), c.stepMs * double(steps), 1e-6) << c.speed << (c.fine ? " fine" : "");
        EXPECT_GE(double(m_clock.ticks() - start), t.pace.elapsed()) << "the glide ends when its time is over";
        EXPECT_LT(double(m_clock.ticks() - start), t.pace.elapsed() + 50);
        EXPECT_GT(m_events.calls(), callsBefore) << "the windows repaint while it moves";
    }
}

// The pace draws a state only when a frame begins while it lasts: at most one drawing a frame,
// and none for steps no frame would show.
TEST(MotionPace, DrawsOnlyTheStatesAFrameShows)
{
    struct Case {
        double lasting;
        int states;
        int frameMs;
        int drawn;
    };
    const Case cases[] = {
        {0.3, 100, 16, 2}, // 30 ms: the frames at 0 and 16
        {10, 8, 16, 5},    // 80 ms: frames at 0, 16, 32, 48, 64 fall in five of the eight
        {25, 6, 16, 6},    // longer than a frame: every one
        {0, 50, 16, 0},    // no time at all: none
        {1, 40, 10, 4},
    };
    for (const Case& c : cases) {
        test::FakeClock clock;
        test::CountingEventPump events{&clock};
        MotionPace pace(clock, events, c.frameMs);
        const auto start = clock.ticks();
        int drawn = 0;
        for (int i = 0; i < c.states; ++i)
            drawn += pace.show(c.lasting) ? 1 : 0;
        EXPECT_EQ(drawn, c.drawn) << c.lasting << " ms x " << c.states;
        pace.reach();
        EXPECT_GE(double(clock.ticks() - start), c.lasting * c.states) << "reach waits for the time line";
    }
}

TEST_F(MotionTest, ShadowedTargetsAreApproachedShortAndSettledOnto)
{
    MovingImage picture = image({{1, 0}});
    const auto start = m_clock.ticks();
    moveCard(picture, {.from = {0, 0}, .to = {300, 0}, .targetHasShadow = true, .commit = false},
             timing(0, true), {W, H});
    EXPECT_EQ(picture.position(), (Point{300, 0}));
    EXPECT_EQ(m_clock.ticks() - start < 50, true);
    EXPECT_EQ(m_window.pixel(300 + W + 3, 40), test::ShadowColour) << "the shadow shows where it stops";
    EXPECT_EQ(m_table.pixel(330, 40), Table) << "not committed";
}

TEST_F(MotionTest, AnUnplacedTargetSendsTheCardOffTheTable)
{
    MovingImage picture = image({{1, 0}});
    moveCard(picture, {.from = {200, 200}, .to = {FilaNotPlaced, FilaNotPlaced}, .commit = false},
             timing(0, true), {W, H});
    EXPECT_EQ(picture.position(), (Point{-3 * W, -3 * H}));
    EXPECT_EQ(m_window.pixel(230, 250), Table);
}

} // namespace
} // namespace kst
