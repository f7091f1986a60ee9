#pragma once
// Where every pile lies on the table. The layout is a pure function of the game's layout
// parameters, the window and screen sizes and the card size: the window calls it again before
// each full paint, so positions always follow the window.

#include "cards/Piles.h"
#include "cards/RuleTable.h"
#include "platform/CardArt.h"
#include "platform/Geometry.h"
#include "storage/SessionStore.h"

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

// Card_Size FitCardSize: the card that fits the window. Unlike the three fixed sizes it is worked
// out at every layout (fitCardSize), from the medium card's width up to three big cards' width,
// with the big card's proportions; the fan steps, gaps and shadow scale with it.
inline constexpr int FitWidthMinimum = 59;
inline constexpr int FitWidthMaximum = LargestCard.width;
// The fit card of a width: its height in the big card's proportions (59 -> 80, 71 -> 96).
CardSize fitCardOfWidth(int width);

// The shadow right of and under a card: 9 pixels at the fixed sizes, scaled with a fit card.
inline constexpr int CardShadowWidth = 9;
int cardShadowWidth(char cardSizeLetter, CardSize card);

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

// card is read only for the fit size, whose steps are the big card's scaled to its width.
FanSteps fnSetFanSteps(const RuleTable& rules, char cardSizeLetter, CardSize card = {});

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
    int shadowWidth = CardShadowWidth; // of the card size, counted when shadow is set
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

// ---- the card that fits the window -----------------------------------------------------------

// How much of the game a card size must fit. Piles: every pile in use lies inside the window
// (in.width across, in.top to in.bottom down) without touching another, a pile fanned to the
// right or laid side by side with the cards it is dealt. RoomToGrow: besides, every tableau
// pile fanned downward has room below it for its dealt cards and at least a whole suit.
enum class FitLevel { Piles, RoomToGrow };

// Whether the layout with a card of in.card (shadow width and fan steps scaled with it) fits.
bool cardFits(const RuleTable& rules, const LayoutInputs& in, FitLevel level);

// The layout inputs for a fit card of the given width: the card, its shadow.
LayoutInputs withFitCard(LayoutInputs in, int width);

// The largest fit card for which the game's layout fits the window with room to grow; where no
// size leaves that room, the largest whose piles fit; where none does, the smallest. in.card is
// not read.
CardSize fitCardSize(const RuleTable& rules, const LayoutInputs& in);

// ---- device pixels ---------------------------------------------------------------------------

// The table is laid out in table pixels and drawn in device pixels, `scale` of them to a table
// pixel on a high-density screen: positions and steps scaled and rounded.
PilePositions scaledPositions(const PilePositions& positions, double scale);
FanSteps scaledSteps(const FanSteps& steps, double scale);
int scaledLength(int length, double scale);

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
