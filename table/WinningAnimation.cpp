#include "table/WinningAnimation.h"

#include <algorithm>

namespace kst {

namespace {

constexpr int HighestCard = 51; // cards 1 .. 51: never the King of spades, never the second deck
constexpr std::uint64_t LongestDisplayMs = 24ull * 60 * 60 * 1000;

// Rows and columns ("Left to right", "Up to down").
constexpr int RowGap = 35;            // between rows, and between the starts of passes
constexpr int RowEndServiceMs = 700;  // the window works this long after each row or column
constexpr int RowFirstX = -20;        // where the first row of "Left to right" starts
constexpr int ColumnFirstX = -10;     // where the first column of "Up to down" stands
constexpr int RowPauseEvery = 5;      // "Left to right" pauses after every 5th card
constexpr int ColumnPauseEvery = 2;   // "Up to down" pauses after every 2nd card
constexpr int ColumnServiceEvery = 5; // and lets the window work after every 5th

constexpr int OpenOrderPauseEvery = 5;

// "Lines": a card bouncing along 45-degree lines.
constexpr int LineShortestStep = 4;   // each line's step is 4 to 11 pixels
constexpr int LineStepChoices = 8;
constexpr int LineCardPauseMs = 5;    // after every card
constexpr int LineLongPauseEvery = 2; // Speed_Move_Card after every 2nd card
constexpr int LineServiceEvery = 4;

// "Circles".
constexpr int CircleSquare = 300;     // the square the circle fills
constexpr int CircleRadius = CircleSquare / 2;
constexpr int CircleKeepEvery = 4;    // of the outline's pixels the first and every 4th
constexpr std::size_t CircleMostPoints = 299;
constexpr int CirclePauseEvery = 4;   // points

// "Festoons": a card dropped from the top that bounces along in ever lower arcs.
constexpr int FestoonDropAbove = 50;  // starts up to 50 pixels above the top edge
constexpr int FestoonDropSpread = 40;
constexpr int FestoonDriftChoices = 5; // the fall drifts 2 to 6 pixels a step
constexpr int FestoonLeastDrift = 2;
constexpr int FestoonSides = 10;       // an odd draw of 1..10 sends it left, an even one right
constexpr int FestoonArcs[] = {19, 15, 11, 7}; // the steepest step of each arc; the last repeats
// The sideways step along an arc: a gentle sway, plus 2 (going right) or 3 (going left).
constexpr int FestoonSway[] = {0, 1, 2, 3, 4, 5, 4, 3, 2, 1};
constexpr int FestoonPauseEvery = 4;

bool everyNth(int count, int n)
{
    return count % n == 0;
}

} // namespace

std::optional<WinningPattern> winningPatternNamed(std::string_view name, RandomSource& random)
{
    if (name == RandomWinningPattern)
        return WinningPattern(random.below(std::uint32_t(WinningPatternNames.size())));
    for (std::size_t i = 0; i < WinningPatternNames.size(); ++i)
        if (name == WinningPatternNames[i])
            return WinningPattern(i);
    return std::nullopt;
}

WinningChoice winningChoice(const ProfileFile& config)
{
    WinningChoice choice;
    choice.pattern = config.readText("Preference", "Winning_Animations", RandomWinningPattern);
    choice.seconds = config.readNumber("Preference", "Winning_Animations_Time", DefaultWinningSeconds);
    return choice;
}

std::uint64_t winningDurationMs(long seconds)
{
    if (seconds <= 0)
        return 0;
    const std::uint64_t limit = LongestDisplayMs / 1000;
    return std::min(std::uint64_t(seconds), limit) * 1000;
}

// An ellipse drawn filling the square (an outline one pixel wide), read row by row: down the right
// half, the first outline pixel from the centre column rightward; back up the left half, the first
// one from the centre column leftward.
const std::vector<Point>& winningCirclePoints()
{
    static const std::vector<Point> points = [] {
        std::vector<bool> outline(std::size_t(CircleSquare * CircleSquare), false);
        const auto mark = [&](int x, int y) {
            if (x >= 0 && y >= 0 && x < CircleSquare && y < CircleSquare)
                outline[std::size_t(y * CircleSquare + x)] = true;
        };
        // The midpoint circle: one octant computed, the other seven mirrored.
        const int c = CircleRadius, r = CircleRadius - 1;
        for (int x = 0, y = r, d = 1 - r; x <= y; ++x) {
            for (const auto& [px, py] : {std::pair{x, y}, {y, x}})
                for (const int sx : {-1, 1})
                    for (const int sy : {-1, 1})
                        mark(c + sx * px, c + sy * py);
            if (d < 0) {
                d += 2 * x + 3;
            } else {
                d += 2 * (x - y) + 5;
                --y;
            }
        }
        const auto black = [&](int x, int y) { return outline[std::size_t(y * CircleSquare + x)]; };
        std::vector<Point> walk;
        for (int y = 0; y < CircleSquare; ++y)
            for (int x = c; x < CircleSquare; ++x)
                if (black(x, y)) {
                    walk.push_back({x, y});
                    break;
                }
        for (int y = CircleSquare - 1; y >= 0; --y)
            for (int x = c; x >= 0; --x)
                if (black(x, y)) {
                    walk.push_back({x, y});
                    break;
                }
        std::vector<Point> kept;
        for (std::size_t i = 0; i < walk.size() && kept.size() < CircleMostPoints; i += CircleKeepEvery)
            kept.push_back(walk[i]);
        return kept;
    }();
    return points;
}

WinningAnimation::WinningAnimation(std::optional<WinningPattern> pattern, const TableWindow& window, CardSize card,
                                   int speedMoveCard, RandomSource& random)
    : m_pattern(pattern), m_window(window), m_card(card), m_speed(std::max(speedMoveCard, 0)),
      m_pause(m_speed / 2), m_random(random)
{
    switch (m_pattern.value_or(WinningPattern::OpenOrder)) {
    case WinningPattern::LeftToRight: m_at = {RowFirstX, m_window.top}; break;
    case WinningPattern::UpToDown: m_at = {ColumnFirstX, m_window.top}; break;
    case WinningPattern::Lines:
        // From the top edge somewhere along it, moved left when the card would stick out.
        m_at = {int(m_random.below(std::uint32_t(std::max(m_window.width, 0)))), m_window.top};
        if (m_at.x + m_card.width > m_window.clientWidth)
            m_at.x = m_window.clientWidth - m_card.width;
        m_step = {1, 1}; // both directions start positive
        break;
    default: break;
    }
}

WinningStep WinningAnimation::next()
{
    if (!m_pattern)
        return {};
    while (m_steps.empty()) {
        switch (*m_pattern) {
        case WinningPattern::OpenOrder: openOrderCard(); break;
        case WinningPattern::LeftToRight: leftToRightRow(); break;
        case WinningPattern::UpToDown: upToDownColumn(); break;
        case WinningPattern::Lines: linesLine(); break;
        case WinningPattern::Circles: circlesCircle(); break;
        case WinningPattern::Festoons: festoonsCard(); break;
        }
    }
    const WinningStep step = m_steps.front();
    m_steps.pop_front();
    return step;
}

int WinningAnimation::randomCard()
{
    return int(m_random.below(HighestCard)) + 1;
}

void WinningAnimation::paint(int card, Point at)
{
    m_steps.push_back({WinningStep::Kind::Card, card, at, 0});
    ++m_cards;
}

void WinningAnimation::wait(int ms)
{
    if (!m_steps.empty() && m_steps.back().kind == WinningStep::Kind::Wait)
        m_steps.back().ms += ms;
    else
        m_steps.push_back({WinningStep::Kind::Wait, 0, {}, ms});
}

// Anywhere on the window, partly off it at the left and the top.
void WinningAnimation::openOrderCard()
{
    const int w = m_card.width / 2, h = m_card.height / 2;
    const int x = int(m_random.below(std::uint32_t(std::max(m_window.width + w, 1)))) - w;
    const int y = int(m_random.below(std::uint32_t(std::max(m_window.height + h, 1)))) - h;
    paint(randomCard(), {x, y});
    if (everyNth(m_cards, OpenOrderPauseEvery))
        wait(m_pause);
}

// Rows 35 pixels apart, each card overlapping the one before; each row starts a little further
// left than the last, and each pass down the window 35 pixels lower than the one before.
void WinningAnimation::leftToRightRow()
{
    const int step = std::max(int(m_card.width / 5.8), 1);
    while (m_at.x < m_window.width) {
        paint(randomCard(), m_at);
        if (everyNth(m_cards, RowPauseEvery))
            wait(m_pause);
        m_at.x += step;
    }
    ++m_rounds;
    m_at.x = m_rounds % 2 == 1 ? -(m_card.width / 3) : -(m_card.width / 4);
    wait(RowEndServiceMs);
    m_at.y += RowGap;
    if (m_at.y + m_card.height >= m_window.height) {
        m_restart += RowGap;
        if (m_restart >= m_window.height)
            m_restart = m_window.top + RowGap;
        m_at.y = m_restart;
    }
}

// The rows' pattern turned on its side: columns down the window, moving right.
void WinningAnimation::upToDownColumn()
{
    const int step = std::max(int(m_card.height / 5.3), 1);
    while (m_at.y < m_window.height) {
        paint(randomCard(), m_at);
        if (everyNth(m_cards, ColumnPauseEvery))
            wait(m_pause);
        if (everyNth(m_cards, ColumnServiceEvery))
            wait(0);
        m_at.y += step;
    }
    ++m_rounds;
    m_at.y = m_rounds % 2 == 1 ? -(m_card.height / 3) : -(m_card.height / 4);
    wait(RowEndServiceMs);
    m_at.x += std::max(int(m_card.width / 1.5), 1);
    if (m_at.x >= m_window.width) {
        m_restart += RowGap;
        if (m_restart >= m_window.width)
            m_restart = RowGap;
        m_at.x = m_restart;
    }
}

// One line of the bouncing card: a new card and step size, turned back at the edge it would
// cross, then painted step by step until it meets an edge.
void WinningAnimation::linesLine()
{
    const int size = int(m_random.below(LineStepChoices)) + LineShortestStep;
    Point& d = m_step;
    d = {d.x < 0 ? -size : size, d.y < 0 ? -size : size};
    const int card = randomCard();
    const int w = m_card.width, h = m_card.height;
    const int right = m_window.clientWidth, bottom = m_window.clientHeight, top = m_window.top;
    if (m_at.x + d.x <= 0 || m_at.x + d.x + w >= right)
        d.x = -d.x;
    if (m_at.y + d.y <= top || m_at.y + d.y + h >= bottom)
        d.y = -d.y;
    do {
        paint(card, m_at);
        wait(LineCardPauseMs);
        if (everyNth(m_cards, LineLongPauseEvery))
            wait(m_speed);
        if (everyNth(m_cards, LineServiceEvery))
            wait(0);
        m_at.x += d.x;
        m_at.y += d.y;
    } while (m_at.x > 0 && m_at.x + w < right && m_at.y > top && m_at.y + h < bottom);
    wait(0);
}

// One circle somewhere on the table, painted with one card; a circle near the right or bottom
// edge is moved to stick out at the left or the top instead.
void WinningAnimation::circlesCircle()
{
    const auto place = [&](int extent) {
        const int at = int(m_random.below(std::uint32_t(std::max(extent, 1))));
        return at > extent - CircleRadius ? extent - CircleRadius - at : at;
    };
    const Point origin{place(m_window.clientWidth), place(m_window.clientHeight)};
    const int card = randomCard();
    const std::vector<Point>& points = winningCirclePoints();
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Point at{origin.x + points[i].x, origin.y + points[i].y};
        const bool seen = at.x < m_window.clientWidth && at.x + m_card.width > 0 && at.y < m_window.clientHeight
            && at.y + m_card.height > 0;
        if (seen)
            paint(card, at);
        if (everyNth(int(i) + 1, CirclePauseEvery))
            wait(m_pause);
    }
}

// One card dropped from above the top edge: it falls faster and faster to the bottom of the
// table, then bounces along it in ever lower arcs until it has left the window at a side, leaving
// its trail.
void WinningAnimation::festoonsCard()
{
    const int w = m_card.width, h = m_card.height;
    Point at{int(m_random.below(std::uint32_t(std::max(m_window.width, 1)))), 0};
    at.x = std::min(at.x, m_window.width - w);
    at.y = m_window.top - FestoonDropAbove + int(m_random.below(FestoonDropSpread));
    const bool left = (m_random.below(FestoonSides) + 1) % 2 == 1;
    const int side = left ? -1 : 1;
    const int drift = int(m_random.below(FestoonDriftChoices)) + FestoonLeastDrift;
    const int swayOffset = left ? 3 : 2;
    const int card = randomCard();
    const int floor = m_window.clientHeight - h;
    const auto gone = [&] { return at.x + w <= 0 || at.x >= m_window.width; };
    const auto draw = [&] {
        paint(card, at);
        if (everyNth(m_cards, FestoonPauseEvery))
            wait(m_pause);
    };

    draw();
    for (int fall = 1; at.y < floor && !gone(); ++fall) {
        at = {at.x + side * drift, std::min(at.y + fall, floor)};
        if (!gone())
            draw();
    }
    for (std::size_t arc = 0; !gone(); arc = std::min(arc + 1, std::size(FestoonArcs) - 1)) {
        const int steepest = FestoonArcs[arc];
        for (int dy = -steepest, k = 0; dy <= steepest && !gone(); dy += 2, ++k) {
            const int sway = FestoonSway[std::size_t(k) % std::size(FestoonSway)] + swayOffset;
            at = {at.x + side * sway, at.y + dy};
            if (!gone())
                draw();
        }
    }
}

} // namespace kst
