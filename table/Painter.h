#pragma once
// Drawing the table: cards with their rounded corners, backs, the marks of empty piles, fanned
// piles, shadows, the full paint and the repair of a pile that lost cards, and the image that
// follows the pointer while cards are dragged or move by themselves.
//
// The table lives in two buffers as large as the screen and more: the background buffer holds
// only the background, the table buffer the background with every card. Buffer coordinates are
// table coordinates: a window y plus the scroll offset. Whatever is drawn on the window can be
// drawn on the table buffer in the same call, so the two always agree.

#include "cards/Piles.h"
#include "cards/RuleTable.h"
#include "platform/Canvas.h"
#include "table/Appearance.h"
#include "table/Fans.h"
#include "table/Layout.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kst {

// Where a primitive draws.
enum class Target { Window, Table, Both };

struct TableSurfaces {
    Bitmap* window = nullptr; // the window's client picture; null draws nothing there
    Bitmap& table;
    Bitmap& background;
};

// What is on the table, as painting reads it.
struct TableScene {
    const RuleTable& rules;
    const CardTable& cards;
    const PilePositions& positions;
    const FanSteps& steps;
    const CardPictures& pictures;
    int dealCounter = 1;   // the stock's deals so far, the first included
    bool shadowed = true;  // Cards_Shadowed is not "N"
};

// The picture of an empty pile: a mark code ("010", "_WASTE" ...) or none. Some rules draw no
// mark yet count as drawn (the table bottom still follows them).
struct EmptyMark {
    std::string code;
    bool counts = false;
    friend bool operator==(const EmptyMark&, const EmptyMark&) = default;
};

// Kinds of empty places.
enum class EmptyKind { Stock = 1, Waste = 2, Foundation = 3, Slot = 4, Reserve = 5, Tableau = 6, Other = 7 };

// The mark that stands for a rank code of a foundation or tableau rule; none when the code has
// no rank mark.
EmptyMark rankMark(int rankCode);
EmptyMark emptyMarkFor(EmptyKind kind, int pileIndex, const TableScene& scene);

// A card picture's top `height` rows copied to target at `at` as one block, then each corner pixel
// in those rows blended over the colour `beneath` gives for it (read before the copy, which covers
// it): the rounded corners show what lies under the card.
void drawCardPicture(Bitmap& target, const Bitmap& picture, const Corners& corners, Point at, int height,
                     const std::function<Colour(const CornerPixel&)>& beneath);

// The card shadow right of and under a picture lying at `image` on a surface: for one card the
// two shadow pictures (white is see-through), for a taller picture a band of every second pixel.
void drawCardShadow(Bitmap& surface, const CardPictures& pictures, const Rect& image);

// Redeals left: the deals so far are fewer than the game's deals, or they are unlimited.
bool redealsRemain(const RuleTable& rules, int dealCounter);

class TablePainter {
public:
    TablePainter(TableSurfaces surfaces, const TableScene& scene, int scrollOffset = 0);

    int scrollOffset() const { return m_scrollOffset; }
    // The lowest table row any card or mark reaches (table coordinates); the scroll bar follows it.
    int tableBottom() const { return m_tableBottom; }
    // The rightmost column any card or mark reaches (the shadows not counted).
    int tableRight() const { return m_tableRight; }
    void resetTableBottom()
    {
        m_tableBottom = 0;
        m_tableRight = 0;
    }

    // ---- primitives (x, y in window coordinates) ----
    // A face at (x, y); the empty slot "000" draws the slot mark in pairing games. overlapped: the
    // card lies in a fan over another card.
    void drawCard(int card, int x, int y, bool overlapped, Target target);
    // The top `height` rows of the back.
    void drawBack(int x, int y, int height, bool overlapped, Target target);
    void drawEmptyMark(EmptyKind kind, int x, int y, Target target, int pileIndex = 0);
    // The card shadow right of and under an image lying at rect (window coordinates).
    void drawShadow(const Rect& image, Target target);

    // ---- piles ----
    // A pile fanned by its group's layout code, bottom card first, or its empty mark.
    void drawPile(PileRef pile, Target target);
    // The whole table into the table buffer: the background, then foundations, reserves,
    // tableau piles and the stock group, then the decorations of the game type. The caller
    // shows the table buffer on the window.
    void paintTable();
    // After cards left a tableau or reserve pile whose text was oldText: the area they covered
    // is given back to the background and what lay under or beside it is redrawn.
    void repairPile(PileRef pile, std::string_view oldText, Target target);

    // The boxes over the foundations of a game whose foundations build by steps, showing the
    // rank each needs next.
    void drawFoundationLabels(Target target);

private:
    struct Placement {
        Bitmap* surface;
        Point at;
    };
    // The surfaces a primitive reaches, each with the window point turned into its coordinates.
    int placements(Target target, Point window, Placement (&out)[2]) const;
    void drawPicture(const Bitmap& picture, const Corners& corners, int x, int y, int height, bool overlapped,
                     Target target);
    // What a picture drawn at (x, y) reaches: the table bottom and right follow it.
    void extendReach(int x, int y, int width, int height);
    Point pileCorner(PileRef pile) const;
    FanStyle fanStyleOf(PileRef pile) const;
    // A pile's drawn extent in window coordinates, for a given pile text.
    Rect pileExtent(PileRef pile, std::string_view text) const;

    TableSurfaces m_surfaces;
    TableScene m_scene;
    int m_scrollOffset;
    int m_tableBottom = 0;
    int m_tableRight = 0;
};

} // namespace kst
