#include "table/WinningAnimation.h"

#include "platform/test/TestPorts.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace kst {
namespace {

using Kind = WinningStep::Kind;

constexpr WinningPattern AllPatterns[] = {WinningPattern::Festoons,   WinningPattern::Circles,
                                          WinningPattern::Lines,      WinningPattern::OpenOrder,
                                          WinningPattern::LeftToRight, WinningPattern::UpToDown};

std::string nameOf(WinningPattern pattern)
{
    return std::string(WinningPatternNames[std::size_t(pattern)]);
}

// The main window of 1016 x 740 with the large toolbar, a small window, and one narrower and
// lower than a card.
TableWindow window(int width, int height, int top)
{
    TableWindow w;
    w.width = width;
    w.height = height;
    w.clientWidth = width;
    w.clientHeight = height - 50; // the caption and the menu bar
    w.top = top;
    return w;
}
const TableWindow Large = window(1016, 740, 48);
const TableWindow Small = window(320, 240, 5);
const TableWindow Tiny = window(40, 90, 5);
constexpr CardSize Big{71, 96}, Little{25, 32};

// The first `count` steps of a pattern.
std::vector<WinningStep> play(WinningPattern pattern, const TableWindow& w, CardSize card, int count,
                              test::ScriptedRandom& random, int speed = 10)
{
    WinningAnimation animation(pattern, w, card, speed, random);
    std::vector<WinningStep> steps;
    for (int i = 0; i < count; ++i)
        steps.push_back(animation.next());
    return steps;
}

std::vector<WinningStep> cardsOf(const std::vector<WinningStep>& steps)
{
    std::vector<WinningStep> cards;
    std::copy_if(steps.begin(), steps.end(), std::back_inserter(cards),
                 [](const WinningStep& s) { return s.kind == Kind::Card; });
    return cards;
}

TEST(WinningAnimationChoice, TheSixNamesAndRandomChooseAPatternAnyOtherNameNone)
{
    test::ScriptedRandom random;
    for (const WinningPattern pattern : AllPatterns)
        EXPECT_EQ(winningPatternNamed(nameOf(pattern), random), pattern) << nameOf(pattern);
    // "(Random)": each of the six as the draw of 0 .. 5 falls.
    for (const WinningPattern pattern : AllPatterns) {
        random.queue(std::uint32_t(pattern));
        EXPECT_EQ(winningPatternNamed("(Random)", random), pattern);
    }
    for (const char* name : {"", "circles", "Circles ", "Random", "Open Order", "(random)", "Spirals"})
        EXPECT_EQ(winningPatternNamed(name, random), std::nullopt) << '"' << name << '"';
}

TEST(WinningAnimationChoice, APatternOfNoneDrawsNothing)
{
    test::ScriptedRandom random;
    WinningAnimation none(winningPatternNamed("Spirals", random), Large, Big, 10, random);
    EXPECT_EQ(none.next().kind, Kind::End);
    EXPECT_EQ(none.next().kind, Kind::End) << "and never anything later";
}

TEST(WinningAnimationChoice, ThePreferencesOrTheirDefaults)
{
    test::TempDir dir("winning-choice");
    ProfileFile config(dir.file("CFG.DAT"));
    WinningChoice absent = winningChoice(config);
    EXPECT_EQ(absent.pattern, "(Random)") << "no file at all";
    EXPECT_EQ(absent.seconds, 30);

    dir.write("CFG.DAT", "[Preference]\r\nSounds_Enabled=Y\r\n");
    absent = winningChoice(config);
    EXPECT_EQ(absent.pattern, "(Random)") << "keys absent";
    EXPECT_EQ(absent.seconds, 30);

    dir.write("CFG.DAT", "[Preference]\r\nWinning_Animations=Lines\r\nWinning_Animations_Time=12\r\n");
    const WinningChoice set = winningChoice(config);
    EXPECT_EQ(set.pattern, "Lines");
    EXPECT_EQ(set.seconds, 12);

    dir.write("CFG.DAT", "[Preference]\r\nWinning_Animations=\r\nWinning_Animations_Time=long\r\n");
    const WinningChoice damaged = winningChoice(config);
    EXPECT_EQ(damaged.pattern, "") << "a name given empty is a name: it draws nothing";
    EXPECT_EQ(damaged.seconds, 30) << "a time that is no number reads as its default";
}

TEST(WinningAnimationChoice, TheDurationInMillisecondsNeverNegativeNorEndless)
{
    EXPECT_EQ(winningDurationMs(30), 30000u);
    EXPECT_EQ(winningDurationMs(1), 1000u);
    EXPECT_EQ(winningDurationMs(0), 0u);
    EXPECT_EQ(winningDurationMs(-5), 0u);
    EXPECT_EQ(winningDurationMs(std::numeric_limits<long>::max()), 24u * 60 * 60 * 1000);
}

// Where a pattern may put a card's top-left corner.
bool withinBounds(WinningPattern pattern, const TableWindow& w, CardSize card, Point at)
{
    const int W = card.width, H = card.height;
    const int longestLineStep = 11;
    switch (pattern) {
    case WinningPattern::OpenOrder:
        return at.x >= -(W / 2) && at.x < w.width && at.y >= -(H / 2) && at.y < w.height;
    case WinningPattern::LeftToRight:
        return at.x >= std::min(-20, -(W / 3)) && at.x < w.width && at.y >= std::min(35, w.top) && at.y < w.height;
    case WinningPattern::UpToDown:
        return at.y >= std::min(w.top, -(H / 3)) && at.y < w.height && at.x >= -10 && at.x < w.width;
    case WinningPattern::Lines:
        // Between the table's edges, passing them by at most one step.
        return at.x >= -longestLineStep && at.x + W <= w.clientWidth + longestLineStep
            && at.y >= w.top - longestLineStep && at.y + H <= w.clientHeight + longestLineStep;
    case WinningPattern::Circles:
        // Partly inside the table, never more than half a circle off it at the left or the top.
        return at.x >= -150 && at.x < w.clientWidth && at.x + W > 0 && at.y >= -150 && at.y < w.clientHeight
            && at.y + H > 0;
    case WinningPattern::Festoons:
        // Inside the window at the sides, never below the table, at most the first arc's height
        // above where it fell.
        return at.x + W > 0 && at.x < w.width && at.y + H <= w.clientHeight
            && at.y >= std::min(w.top - 50, w.clientHeight - H - 100);
    }
    return false;
}

TEST(WinningAnimationPatterns, EveryCardIsOneOfTheFirstDeckButTheKingOfSpadesAndWithinItsPatternsBounds)
{
    const std::pair<TableWindow, CardSize> tables[] = {{Large, Big}, {Small, Big}, {Large, Little}, {Tiny, Big}};
    for (const WinningPattern pattern : AllPatterns)
        for (const auto& [w, card] : tables) {
            test::ScriptedRandom random;
            const std::vector<WinningStep> steps = play(pattern, w, card, 20000, random);
            const std::vector<WinningStep> cards = cardsOf(steps);
            const std::string where = nameOf(pattern) + " on " + std::to_string(w.width) + " x "
                + std::to_string(w.height) + ", cards " + std::to_string(card.width) + " wide";
            ASSERT_GT(cards.size(), 10u) << where;
            // A window smaller than a card only has to keep the cards coming.
            const bool cardFits = card.width < w.clientWidth && card.height < w.clientHeight - w.top;
            int lowest = 99, highest = 0;
            for (const WinningStep& c : cards) {
                lowest = std::min(lowest, c.card);
                highest = std::max(highest, c.card);
                if (cardFits) {
                    ASSERT_TRUE(withinBounds(pattern, w, card, c.at)) << where << ": " << c.at.x << ", " << c.at.y;
                }
            }
            EXPECT_GE(lowest, 1) << where;
            EXPECT_LE(highest, 51) << where;
        }
}

// Draws always the lowest or always the highest number.
class ExtremeRandom : public RandomSource {
public:
    explicit ExtremeRandom(bool highest) : m_highest(highest) {}
    void seedFromClock() override {}
    std::uint32_t below(std::uint32_t n) override { return m_highest && n > 0 ? n - 1 : 0; }

private:
    bool m_highest;
};

TEST(WinningAnimationPatterns, TheLowestDrawPaintsTheAceOfClubsTheHighestTheQueenOfSpades)
{
    for (const WinningPattern pattern : AllPatterns)
        for (const bool highest : {false, true}) {
            ExtremeRandom random(highest);
            WinningAnimation animation(pattern, Large, Big, 10, random);
            int cards = 0;
            for (int i = 0; i < 2000; ++i)
                if (const WinningStep step = animation.next(); step.kind == Kind::Card) {
                    ASSERT_EQ(step.card, highest ? 51 : 1) << nameOf(pattern);
                    ++cards;
                }
            EXPECT_GT(cards, 0) << nameOf(pattern);
        }
}

// The patterns wait every 2 to 5 cards; a circle's last points and the next circle's first come
// together.
constexpr int MostCardsWithoutAWait = 8;

TEST(WinningAnimationPatterns, TheWindowGetsToWorkAfterEveryFewCards)
{
    for (const WinningPattern pattern : AllPatterns)
        for (const int speed : {0, 10, 99}) {
            test::ScriptedRandom random;
            int inARow = 0, mostInARow = 0;
            for (const WinningStep& step : play(pattern, Large, Big, 20000, random, speed)) {
                inARow = step.kind == Kind::Card ? inARow + 1 : 0;
                mostInARow = std::max(mostInARow, inARow);
                if (step.kind == Kind::Wait) {
                    ASSERT_GE(step.ms, 0);
                }
            }
            EXPECT_LE(mostInARow, MostCardsWithoutAWait) << nameOf(pattern) << " at speed " << speed;
        }
}

TEST(WinningAnimationPatterns, OpenOrderPausesHalfTheCardSpeedAfterEveryFifthCard)
{
    test::ScriptedRandom random;
    const std::vector<WinningStep> steps = play(WinningPattern::OpenOrder, Large, Big, 60, random, 15);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const bool pause = i % 6 == 5;
        ASSERT_EQ(steps[i].kind, pause ? Kind::Wait : Kind::Card) << i;
        if (pause) {
            EXPECT_EQ(steps[i].ms, 7) << "Trunc(15 / 2)";
        }
    }
}

// The rows of "Left to right" (or the columns of "Up to down"): where each starts, and the wait
// after it.
struct Round {
    Point first;
    int cards = 0;
    int waitAfter = 0;
};
std::vector<Round> roundsOf(const std::vector<WinningStep>& steps)
{
    std::vector<Round> rounds(1);
    for (const WinningStep& s : steps) {
        if (s.kind == Kind::Card) {
            if (rounds.back().cards++ == 0)
                rounds.back().first = s.at;
        } else if (s.ms >= 700) {
            rounds.back().waitAfter = s.ms;
            rounds.emplace_back();
        }
    }
    rounds.pop_back(); // unfinished
    return rounds;
}

TEST(WinningAnimationPatterns, LeftToRightLaysRows35ApartAndStartsEachPassLower)
{
    test::ScriptedRandom random;
    const TableWindow w = window(400, 300, 48);
    const std::vector<Round> rows = roundsOf(play(WinningPattern::LeftToRight, w, Big, 4000, random, 10));
    ASSERT_GT(rows.size(), 20u);
    EXPECT_EQ(rows[0].first, (Point{-20, 48}));
    EXPECT_EQ(rows[1].first, (Point{-23, 83})) << "an odd row starts a third of a card to the left";
    EXPECT_EQ(rows[2].first, (Point{-17, 118})) << "an even row a quarter";
    EXPECT_EQ(rows[0].cards, 35) << "from -20 to the window width in steps of Trunc(71 / 5.8)";
    for (const Round& row : rows)
        EXPECT_TRUE(row.waitAfter == 700 || row.waitAfter == 705) << "the window works 700 ms after a row";
    // A pass ends when the next row's card would reach the bottom (223 + 96 >= 300); the passes
    // then start at 35, 70, ... and, once that passes the window, at the top + 35.
    const std::vector<int> expected{48,  83,  118, 153, 188, /**/ 35,  70,  105, 140, 175, /**/ 70, 105, 140,
                                    175, /**/ 105, 140, 175, /**/ 140, 175, /**/ 175, /**/ 210, /**/ 245,
                                    /**/ 280, /**/ 83, 118, 153, 188, /**/ 118};
    std::vector<int> ys;
    for (std::size_t i = 0; i < expected.size(); ++i)
        ys.push_back(rows[i].first.y);
    EXPECT_EQ(ys, expected);
}

TEST(WinningAnimationPatterns, UpToDownLaysColumnsAndPausesEverySecondCard)
{
    test::ScriptedRandom random;
    const std::vector<WinningStep> steps = play(WinningPattern::UpToDown, Large, Big, 400, random, 10);
    const std::vector<Round> columns = roundsOf(steps);
    ASSERT_GE(columns.size(), 3u);
    EXPECT_EQ(columns[0].first, (Point{-10, 48}));
    EXPECT_EQ(columns[1].first, (Point{37, -32})) << "x grows by Trunc(71 / 1.5), y restarts a third of a card up";
    EXPECT_EQ(columns[2].first, (Point{84, -24}));
    // Down the first column: Trunc(96 / 5.3) a card, a pause of 5 after every second card.
    EXPECT_EQ(steps[0], (WinningStep{Kind::Card, steps[0].card, {-10, 48}, 0}));
    EXPECT_EQ(steps[1].at, (Point{-10, 66}));
    EXPECT_EQ(steps[2], (WinningStep{Kind::Wait, 0, {}, 5}));
}

TEST(WinningAnimationPatterns, LinesRunAt45DegreesAndTurnAtTheEdges)
{
    test::ScriptedRandom random;
    const TableWindow w = Small;
    const std::vector<WinningStep> steps = play(WinningPattern::Lines, w, Little, 20000, random, 10);
    const std::vector<WinningStep> cards = cardsOf(steps);
    int turns = 0;
    for (std::size_t i = 1; i < cards.size(); ++i) {
        const int dx = cards[i].at.x - cards[i - 1].at.x, dy = cards[i].at.y - cards[i - 1].at.y;
        ASSERT_EQ(std::abs(dx), std::abs(dy)) << i;
        ASSERT_GE(std::abs(dx), 4);
        ASSERT_LE(std::abs(dx), 11);
        if (cards[i].card != cards[i - 1].card)
            ++turns; // a new line: a new card
    }
    EXPECT_GT(turns, 50);
    // A pause of 5 after every card, and the card speed after every second one.
    EXPECT_EQ(steps[0].kind, Kind::Card);
    EXPECT_EQ(steps[1], (WinningStep{Kind::Wait, 0, {}, 5}));
    EXPECT_EQ(steps[3], (WinningStep{Kind::Wait, 0, {}, 15}));
}

TEST(WinningAnimationPatterns, TheCirclePointsWalkClockwiseFromTheTop)
{
    const std::vector<Point>& points = winningCirclePoints();
    ASSERT_GE(points.size(), 140u);
    EXPECT_LE(points.size(), 299u);
    EXPECT_EQ(points.front().x, 150);
    EXPECT_LE(points.front().y, 2);
    double previous = -1;
    for (const Point& p : points) {
        const double dx = p.x - 150, dy = p.y - 150;
        EXPECT_NEAR(std::hypot(dx, dy), 149, 1.5) << p.x << ", " << p.y;
        // The angle from the top, clockwise on the screen (y grows downward).
        double angle = std::atan2(dx, -dy);
        if (angle < 0)
            angle += 2 * M_PI;
        if (&p != &points.front() && &p != &points.back()) {
            EXPECT_GT(angle, previous) << p.x << ", " << p.y;
        }
        previous = angle;
    }
}

TEST(WinningAnimationPatterns, ACircleIsOneCardAroundItsPoints)
{
    test::ScriptedRandom random;
    random.queue(100); // the circle's corner: (100, 50)
    random.queue(50);
    random.queue(6);   // its card: 7
    const std::vector<WinningStep> steps = play(WinningPattern::Circles, Large, Big, 60, random, 10);
    const std::vector<Point>& points = winningCirclePoints();
    std::size_t point = 0;
    for (std::size_t i = 0; i < steps.size() && point < points.size(); ++i) {
        if (steps[i].kind == Kind::Wait) {
            EXPECT_EQ(point % 4, 0u) << "a pause after every 4th point";
            EXPECT_EQ(steps[i].ms, 5);
            continue;
        }
        EXPECT_EQ(steps[i], (WinningStep{Kind::Card, 7, {100 + points[point].x, 50 + points[point].y}, 0}));
        ++point;
    }
}

TEST(WinningAnimationPatterns, ACircleNearTheRightEdgeSticksOutAtTheLeftInstead)
{
    test::ScriptedRandom random;
    const TableWindow w = Large; // client 1016 x 690
    random.queue(950);           // beyond 1016 - 150: becomes 1016 - 150 - 950 = -84
    random.queue(10);
    const std::vector<WinningStep> cards = cardsOf(play(WinningPattern::Circles, w, Big, 40, random, 10));
    ASSERT_FALSE(cards.empty());
    const Point first = winningCirclePoints().front();
    EXPECT_EQ(cards.front().at, (Point{-84 + first.x, 10 + first.y}));
}

TEST(WinningAnimationPatterns, AFestoonFallsThenBouncesInLowerArcsUntilItLeavesAtASide)
{
    test::ScriptedRandom random;
    const TableWindow w = window(4000, 740, 48); // wide enough for every arc
    random.queue(1000); // x
    random.queue(10);   // y: 48 - 50 + 10
    random.queue(1);    // 2: an even draw goes right
    random.queue(0);    // a fall drifting 2 a step
    random.queue(21);   // card 22
    std::vector<WinningStep> cards = cardsOf(play(WinningPattern::Festoons, w, Big, 3000, random, 10));
    // The next card drops somewhere left of where this one left.
    const auto leftOf = [](const WinningStep& a, const WinningStep& b) { return b.at.x <= a.at.x; };
    const auto trailEnd = std::adjacent_find(cards.begin(), cards.end(), leftOf);
    ASSERT_NE(trailEnd, cards.end()) << "the next card once this one has gone";
    cards.erase(trailEnd + 1, cards.end());
    for (const WinningStep& c : cards)
        ASSERT_EQ(c.card, 22) << "one card leaves its trail";

    const int floor = w.clientHeight - Big.height;
    EXPECT_EQ(cards.front().at, (Point{1000, 8}));
    std::size_t i = 1;
    for (int lastFall = 0; cards[i].at.y < floor; ++i) {
        const int fall = cards[i].at.y - cards[i - 1].at.y;
        ASSERT_GT(fall, lastFall) << "it falls faster and faster";
        lastFall = fall;
    }
    // The summits of the arcs after the fall: 100, 64, 36 and then 16 pixels above the floor.
    std::vector<int> summits;
    for (++i; i + 1 < cards.size(); ++i)
        if (cards[i].at.y < cards[i - 1].at.y && cards[i].at.y <= cards[i + 1].at.y)
            summits.push_back(floor - cards[i].at.y);
    ASSERT_GE(summits.size(), 5u);
    EXPECT_EQ(std::vector<int>(summits.begin(), summits.begin() + 5), (std::vector<int>{100, 64, 36, 16, 16}));
    EXPECT_GE(cards.back().at.x + 8, w.width) << "always to the right, until it leaves the window";
}

} // namespace
} // namespace kst
