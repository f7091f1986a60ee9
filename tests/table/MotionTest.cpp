#include "table/Motion.h"

#include "cards/Card.h"
#include "tests/support/TablePictures.h"

#include <gtest/gtest.h>

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
    test::FakeClock m_clock;
    test::CountingEventPump m_events{&m_clock};
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
    moveCard(picture, {.from = {10, 10}, .to = {400, 300}}, {m_clock, m_events, 0, false, 0}, {W, H});
    EXPECT_EQ(picture.position(), (Point{400, 300}));
    EXPECT_EQ(m_table.pixel(430, 350), test::faceColour(1, cardOf(King, 3)));
    EXPECT_EQ(m_window.pixel(430, 350), test::faceColour(1, cardOf(King, 3)));
    EXPECT_EQ(m_window.pixel(40, 40), Table) << "nothing left behind on the way";
    EXPECT_EQ(m_events.calls(), 0) << "speed 0 waits for nothing";
}

TEST_F(MotionTest, SpeedIsThePauseAfterEveryStep)
{
    const std::size_t steps = motionPath({10, 10}, {400, 300}, false).size();
    MovingImage picture = image({{1, 0}});
    const auto start = m_clock.ticks();
    moveCard(picture, {.from = {10, 10}, .to = {400, 300}}, {m_clock, m_events, 25, false, 0}, {W, H});
    EXPECT_GE(m_clock.ticks() - start, 25 * steps);
    EXPECT_LT(m_clock.ticks() - start, 25 * steps + 200);
    EXPECT_GT(m_events.calls(), 0) << "the windows repaint while waiting";

    const auto fineStart = m_clock.ticks();
    moveCard(picture, {.from = {10, 10}, .to = {400, 300}, .fine = true}, {m_clock, m_events, 25, false, 0}, {W, H});
    EXPECT_LT(m_clock.ticks() - fineStart, 50u) << "fine moves do not pause";
}

TEST_F(MotionTest, ShadowedTargetsAreApproachedShortAndSettledOnto)
{
    MovingImage picture = image({{1, 0}});
    const auto start = m_clock.ticks();
    moveCard(picture, {.from = {0, 0}, .to = {300, 0}, .targetHasShadow = true, .commit = false},
             {m_clock, m_events, 0, true, 0}, {W, H});
    EXPECT_EQ(picture.position(), (Point{300, 0}));
    EXPECT_EQ(m_clock.ticks() - start < 50, true);
    EXPECT_EQ(m_window.pixel(300 + W + 3, 40), test::ShadowColour) << "the shadow shows where it stops";
    EXPECT_EQ(m_table.pixel(330, 40), Table) << "not committed";
}

TEST_F(MotionTest, AnUnplacedTargetSendsTheCardOffTheTable)
{
    MovingImage picture = image({{1, 0}});
    moveCard(picture, {.from = {200, 200}, .to = {FilaNotPlaced, FilaNotPlaced}, .commit = false},
             {m_clock, m_events, 0, true, 0}, {W, H});
    EXPECT_EQ(picture.position(), (Point{-3 * W, -3 * H}));
    EXPECT_EQ(m_window.pixel(230, 250), Table);
}

} // namespace
} // namespace kst
