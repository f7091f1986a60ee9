#pragma once
// The winning display: for a while after a won game, card faces are painted over the table in one
// of six patterns. Here a pattern only says which card goes where and how long to wait between
// cards; the window paints them, keeps the time and lets the player stop it.

#include "platform/Geometry.h"
#include "platform/Random.h"
#include "storage/ProfileFile.h"
#include "table/Layout.h"
#include "table/TableView.h"

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kst {

// ---- choosing the pattern -------------------------------------------------------------------------

enum class WinningPattern { Festoons, Circles, Lines, OpenOrder, LeftToRight, UpToDown };

// The patterns' names as the preferences and the appearance dialog spell them, in the order of
// WinningPattern.
inline constexpr std::array<std::string_view, 6> WinningPatternNames{
    "Festoons", "Circles", "Lines", "Open order", "Left to right", "Up to down"};
// The name that leaves the choice to chance at every win.
inline constexpr std::string_view RandomWinningPattern = "(Random)";
inline constexpr long DefaultWinningSeconds = 30;

// The pattern a name stands for: "(Random)" draws one of the six with equal chance; a name that is
// none of them gives none (nothing is drawn).
std::optional<WinningPattern> winningPatternNamed(std::string_view name, RandomSource& random);

// What the preferences ask for after a won game.
struct WinningChoice {
    std::string pattern{RandomWinningPattern}; // Winning_Animations
    long seconds = DefaultWinningSeconds;      // Winning_Animations_Time
};
// Both keys of [Preference] in CFG.DAT; an absent key (or a time that is no number) reads as its
// default.
WinningChoice winningChoice(const ProfileFile& config);
// How long the display lasts: the seconds in milliseconds, none for a negative time, and at most
// a day, so that a damaged preference cannot overflow the clock arithmetic.
std::uint64_t winningDurationMs(long seconds);

// ---- the patterns ---------------------------------------------------------------------------------

// One thing a pattern asks for next.
struct WinningStep {
    enum class Kind {
        Card, // paint `card` face up with its top-left corner at `at` (window coordinates)
        Wait, // wait `ms` milliseconds while the window goes on working (0: let it work once)
        End,  // nothing more: the pattern draws nothing at all
    };
    Kind kind = Kind::End;
    int card = 0;
    Point at;
    int ms = 0;
    friend bool operator==(const WinningStep&, const WinningStep&) = default;
};

// The points of a circle of radius 150 in a 300 x 300 square, clockwise from the top, each the
// top-left corner of a card of the "Circles" pattern: the first of the outline's pixels and then
// every 4th.
const std::vector<Point>& winningCirclePoints();

// A pattern played out step by step. It never ends by itself: the window stops asking when the
// time is up or the player interrupts it. Every card is a random card from 1 to 51, so the King
// of spades and the second deck's cards never show.
class WinningAnimation {
public:
    // window: the window's measures and the top edge (the bottom of the visible toolbar, 5
    // without one); card: the card size; speedMoveCard: Speed_Move_Card, which sets the pauses.
    WinningAnimation(std::optional<WinningPattern> pattern, const TableWindow& window, CardSize card,
                     int speedMoveCard, RandomSource& random);

    // The next step; a pattern of none gives End, and End again at every call.
    WinningStep next();

    std::optional<WinningPattern> pattern() const { return m_pattern; }
    const TableWindow& window() const { return m_window; }
    CardSize cardSize() const { return m_card; }

private:
    // Each appends the steps of one round of its pattern (one card, row, column, line, circle or
    // bouncing card), always at least one step.
    void openOrderCard();
    void leftToRightRow();
    void upToDownColumn();
    void linesLine();
    void circlesCircle();
    void festoonsCard();

    int randomCard();
    void paint(int card, Point at);
    // Waits that follow each other add up to one.
    void wait(int ms);

    std::optional<WinningPattern> m_pattern;
    TableWindow m_window;
    CardSize m_card;
    int m_speed;      // Speed_Move_Card
    int m_pause;      // the pattern's usual pause: half of Speed_Move_Card
    RandomSource& m_random;
    std::deque<WinningStep> m_steps; // the steps of the round under way

    // Where a pattern stands between rounds.
    int m_cards = 0;   // cards painted, counted for the pauses every few cards
    Point m_at;        // the next card's place (rows, columns, lines)
    Point m_step;      // the line's step (Lines)
    int m_rounds = 0;  // rows or columns finished
    int m_restart = 0; // where the last pass over the window started (rows, columns)
};

} // namespace kst
