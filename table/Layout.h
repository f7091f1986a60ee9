#pragma once
// Where every pile lies on the table. The layout is a pure function of the game's layout
// parameters, the window and screen sizes and the card size: the window calls it again before
// each full paint, so positions always follow the window.

#include "cards/Piles.h"
#include "cards/RuleTable.h"
#include "platform/Geometry.h"

#include <array>
#include <string>

namespace kst {

// ---- card size -------------------------------------------------------------------------------

struct CardSize {
    int width = 71;
    int height = 96;
    friend bool operator==(const CardSize&, const CardSize&) = default;
};

// "B" 71 x 96, "M" 59 x 80, "L" 25 x 32; any other letter keeps the current size.
CardSize cardSizeFor(char letter, CardSize current);

// ---- the screen-size rule --------------------------------------------------------------------

// The session fields the rule reads and writes (Card_Size, Card, Back_Card and their saved copies).
struct CardFields {
    std::string cardSize;
    std::string card;
    std::string backCard;
    std::string savedCardSize;
    std::string savedCard;
    std::string savedBackCard;
    friend bool operator==(const CardFields&, const CardFields&) = default;
};

struct ScreenSizeFlags {
    // Starts the run set; the game start clears it for a new game.
    bool forcedMedium = true;
    bool shown640 = false;
    bool shown800 = false;
};

struct ScreenSizeOutcome {
    CardFields fields;
    ScreenSizeFlags flags;
    bool enableCustomize = false;
    // The question box text to show, empty when none; after it the main window and the card
    // counter are updated.
    std::string message;
};

// screenSizeClass is RuleTable[35]; gameName is the Game_name session field.
ScreenSizeOutcome applyScreenSizeRule(int screenSizeClass, int screenWidth, const std::string& gameName,
                                      CardFields fields, ScreenSizeFlags flags);

// ---- fan steps -------------------------------------------------------------------------------

struct FanSteps {
    int upVertical = 0;
    int upHorizontal = 0;
    int downVertical = 0;
    int downHorizontal = 0;
    int code6Up = 0;
    int code6Down = 0;
    int sideBySideGap = 6;
    int tight = 3;
    friend bool operator==(const FanSteps&, const FanSteps&) = default;
};

FanSteps fnSetFanSteps(const RuleTable& rules, char cardSizeLetter);

// ---- pile positions --------------------------------------------------------------------------

inline constexpr int StockNotPlaced = -10000;
inline constexpr int DestNotPlaced = -10001;
inline constexpr int FilaNotPlaced = -10002;
inline constexpr int AppoggNotPlaced = -10003;

// Top-left corners of each pile's bottom card in table pixels, before scrolling.
struct PilePositions {
    std::array<Point, PileGroups::StockEntries> stock;
    std::array<Point, PileGroups::DestEntries> dest;
    std::array<Point, PileGroups::FilaEntries> fila;
    std::array<Point, PileGroups::AppoggEntries> appogg;

    PilePositions() { reset(); }
    // Every entry to its group's not-placed marker.
    void reset();
    // The not-placed point of the group for a reference that names no pile.
    Point at(PileRef ref) const;
    Point* entry(PileRef ref);
    // Both coordinates written by the layout.
    bool isPlaced(PileRef ref) const;

    friend bool operator==(const PilePositions&, const PilePositions&) = default;
};

int notPlacedMarker(PileGroup group);

// fnPileY: every reader of a pile's y goes through the scroll offset; x never scrolls.
inline int fnPileX(const PilePositions& positions, PileRef ref) { return positions.at(ref).x; }
inline int fnPileY(const PilePositions& positions, PileRef ref, int scrollOffset)
{
    return positions.at(ref).y - scrollOffset;
}

// ---- computing the layout --------------------------------------------------------------------

struct LayoutInputs {
    int width = 0;  // window width less the scroll bar
    int height = 0; // outer window height
    int top = 5;    // top of the table
    int bottom = 0; // bottom of the client area
    Size screen;
    CardSize card;
    bool shadow = true; // Cards_Shadowed
};

// The values every layout pass starts from.
struct LayoutBase {
    int usableWidth = 0;
    int rowGap = 0;
    std::array<int, 5> rowTop{};     // [1..4]
    int bottomRow = 0;
    int middleLine = 0;
    std::array<int, 3> row3Centred{}; // [0..2]
    std::array<int, 5> row4Centred{}; // [1..4]
    int leftMargin = 0;
    std::string occupiedRows; // row digits of stock, foundations, reserves; blank when not placed
};

LayoutBase computeLayoutBase(const RuleTable& rules, const LayoutInputs& in);

// A tableau scheme number that selects a hand-made arrangement of the whole table.
bool isSpecialLayoutScheme(int tableauScheme);

PilePositions fnComputeLayout(const RuleTable& rules, const LayoutInputs& in);

// ---- hit test --------------------------------------------------------------------------------

struct HitTestTable {
    const RuleTable& rules;
    const CardTable& cards;
    const PilePositions& positions;
    const FanSteps& steps;
    CardSize card;
    int scrollOffset = 0;
};

struct PileHit {
    PileRef pile;       // none when no pile lies under the point
    int card = 0;       // the CardNumber under the point, 0 when none
    Point corner;       // top-left of that card in window coordinates (the pile's when no card)
    friend bool operator==(const PileHit&, const PileHit&) = default;
};

// point in window coordinates.
PileHit hitTest(const HitTestTable& table, Point point);

// ---- vertical scrolling ----------------------------------------------------------------------

struct ScrollBarState {
    bool visible = false;
    int position = 0;
    int maximum = 100;
    friend bool operator==(const ScrollBarState&, const ScrollBarState&) = default;
};

struct ScrollInputs {
    bool vertScrollBar = false; // the VertScrollBar preference is "Y"
    int tableauLayout = 0;      // RuleTable[3]
    int cardHeight = 0;
    int tableBottom = 0;
    int clientHeight = 0;
    int backBufferHeight = 0;
};

struct ScrollDecision {
    enum class Action { None, Reset, Grow };
    Action action = Action::None;
    ScrollBarState bar;
    int bufferGrowth = 0; // Grow: both table buffers grow in height by this
    // Reset: fnTableResized runs again. Grow: the hidden bar is first moved off the window, then
    // shown, fnPlaceScrollBar and fnRelayoutAndRepaint follow.
};

ScrollDecision fnUpdateScrollBar(const ScrollInputs& in, ScrollBarState bar);

// The table scroll offset after the bar moved to barPosition. The saved y of a card in motion is
// in window coordinates, so the caller subtracts motionShift from it, as from every pile y.
struct ScrollSync {
    int scrollOffset = 0;
    int motionShift = 0;
};
ScrollSync fnSyncScrollOffset(int oldOffset, int barPosition);

// toolbarBottom: bottom of the large toolbar when visible, else of the small one, else 0.
Rect fnPlaceScrollBar(int clientWidth, int clientHeight, int barWidth, int toolbarBottom);

} // namespace kst
