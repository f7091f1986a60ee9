#pragma once
// The card table as the main window shows it: the layout of the game for the window's size, the
// background and table buffers, the vertical scrolling, and the painting. It reads the game it is
// shown and never changes it. The window hands it its sizes and shows its picture; nothing here
// knows about windows.

#include "cards/Piles.h"
#include "cards/RuleTable.h"
#include "engine/Game.h"
#include "table/Appearance.h"
#include "table/Fans.h"
#include "table/Layout.h"
#include "table/Motion.h"
#include "table/Painter.h"

#include <memory>
#include <string>

namespace kst {

// The window's measures in table pixels, as the layout and the scrolling read them.
struct TableWindow {
    int width = 0;        // outer window width
    int height = 0;       // outer window height
    int clientWidth = 0;  // the table area
    int clientHeight = 0;
    int top = 5;          // bottom of the visible toolbar (5 when none)
    int scrollBarWidth = 16;
    bool operator==(const TableWindow&) const = default;
};

class TableView {
public:
    explicit TableView(AppearanceContext& context);

    // ---- the game on the table ----
    // The game to show; it stays its owner's (the session's), which changes it, and must outlive
    // the table. Null: no game.
    void showGame(const Game* game);
    // No game: the table shows only its background.
    void clearGame();
    bool gameOnTable() const { return m_game != nullptr; }
    const Game* game() const { return m_game; }
    // The game's rules and cards; empty ones without a game.
    const RuleTable& rules() const;
    const CardTable& cards() const;
    const PilePositions& positions() const { return m_positions; }
    const FanSteps& steps() const { return m_steps; }
    CardPictures& pictures() { return m_pictures; }
    const CardPictures& pictures() const { return m_pictures; }
    // The top card of a pile named as the piles are ("Mazzo", "Mazzo_Vis", "Fila3" ...); 0 for an
    // empty pile or a name that is no pile.
    int topCardOf(std::string_view pileName) const;
    // Whether the card lies on top of one of the tableau piles in use.
    bool isTableauTop(int card) const;

    // Gets the table ready for the rules of the game shown: the card size the screen allows, the
    // pictures of that size, the fan steps and the layout. screenMessage gets the small-screen
    // notice, when one is due.
    void prepareTable(std::string& screenMessage);
    // The arguments of the screen-size rule that live for the run.
    ScreenSizeFlags& screenFlags() { return m_screenFlags; }

    // (Re)loads the card pictures for the session's card size.
    void applyCardSize();
    // Device pixels per table pixel of the screen the table is shown on: the buffers, the pictures
    // and every position and step the table hands out are in device pixels, the window's measures
    // in table pixels. Takes effect at the next preparation or layout.
    void setDeviceScale(double scale);
    // The scale the table is drawn at (1 where the pictures cannot be drawn finer).
    double deviceScale() const { return m_pictures.scale(); }

    // ---- the window ----
    // After the window changed size: buffers as large as the screen and more, the layout, the
    // scroll bar and the full paint.
    void resized(const TableWindow& window);
    // The layout again, the background and every pile into the buffers, then the scroll bar.
    void relayoutAndRepaint();
    // The background only (a new background chosen, a demo starting or ending).
    void repaintBackground();
    // At a new game: the random background, card set and back the preferences ask for.
    void drawRandomLook();
    void setDemoPlaying(bool demo) { m_demoPlaying = demo; }

    // The window's measures in device pixels, the units of the table's pictures and positions.
    TableWindow deviceWindow() const;

    const ScrollBarState& scrollBar() const { return m_bar; }
    int scrollOffset() const { return m_scrollOffset; }
    // The bar was moved: the table follows.
    void scrollTo(int position);

    // Copies the visible part of the table buffer onto the window picture.
    void showOn(Bitmap& window) const;
    // A painter for the table and the window picture (null: the table buffer only).
    TablePainter painter(Bitmap* window);
    TableScene scene() const;
    // A painter of other cards than the game's (cards lifted off the table, a deal on its way);
    // the cards must outlive the painter.
    TablePainter painter(Bitmap* window, const CardTable& shown);
    // Where a card dropped on the pile would lie: its top card's place on the window (the pile's
    // place when empty); empty for a pile not on the table.
    Rect pileArea(PileRef pile) const;
    // The pile and card under a window point.
    PileHit hitAt(Point at) const;
    // Where the card at `position` of a pile lies on the window when the table holds `shown` (the
    // pile's own place for a position past its cards).
    Point cardCorner(const CardTable& shown, PileRef pile, int position) const;
    // The picture of the cards of a pile of `shown` from `position` up, fanned downward as the pile
    // shows them (a pile spread otherwise shows its top card).
    std::vector<MovingCard> runPicture(const CardTable& shown, PileRef pile, int position) const;
    int tableBottom() const { return m_tableBottom; }

    // ---- the preview ----
    // Preview mode: the game shown is laid out and painted into `picture` instead of the window,
    // the table as large as the picture and starting PreviewTop rows down, on the background the
    // preferences choose, with the current cards. The window's own layout and buffers stay as
    // they were. Returns how far right and down the cards and marks reach, which may lie past
    // the picture (the layout does not shrink a table to fit).
    Size paintPreview(Bitmap& picture);
    static constexpr int PreviewTop = 3;

    Bitmap& tableBuffer() { return *m_table; }
    Bitmap& backgroundBuffer() { return *m_background; }

private:
    LayoutInputs layoutInputs() const;
    // Asks the pictures for the size the letter and the window call for, and loads them when they
    // are not that size yet; true when they were loaded.
    bool fitPictures();
    // The fan steps and the pile positions, in device pixels.
    void computeLayout();
    void sizeBuffers();
    TableScene sceneOf(const CardTable& shown) const;
    FanStyle fanStyleOf(PileRef pile) const;
    // Grows the buffers or resets the bar as the table bottom asks; true when the table has to
    // be laid out and painted again.
    bool updateScrollBar();

    AppearanceContext& m_context;
    const Game* m_game = nullptr;
    PilePositions m_positions;
    FanSteps m_steps;
    CardPictures m_pictures;
    ScreenSizeFlags m_screenFlags;
    bool m_demoPlaying = false;
    double m_deviceScale = 1;

    TableWindow m_window;
    std::unique_ptr<Bitmap> m_background;
    std::unique_ptr<Bitmap> m_table;
    ScrollBarState m_bar;
    int m_scrollOffset = 0;
    int m_tableBottom = 0;
};

} // namespace kst
