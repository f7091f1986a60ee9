#pragma once
// The pointer on the card table. Presses, drags and releases become moves of the game session:
// the cards picked up follow the pointer as a picture while the game stays as it was; dropped where
// the rules take them, the session makes the move; refused, they travel back. Nothing here knows
// about windows: the window hands every event over unchanged and shows what is drawn.

#include <functional>
#include <memory>
#include <vector>

#include "engine/GameSession.h"
#include "engine/Moves.h"
#include "platform/Canvas.h"
#include "platform/Clock.h"
#include "platform/MessageBoxes.h"
#include "platform/Sound.h"
#include "table/Motion.h"
#include "table/TableView.h"

namespace kst {

enum class PointerButton { Left, Right, Middle };

struct PointerEvent {
    PointerButton button = PointerButton::Left;
    bool shift = false;
    bool ctrl = false;
    Point at; // window coordinates
};

// What the pointer works with.
struct PointerContext {
    TableView& table;
    GameSession& session;
    AppearanceContext& look;   // graphics, store (preferences), messages (the beep)
    SoundPlayer& sound;
    Clock& clock;
    EventPump& events;
    Bitmap& window;            // the window's picture of the table
    int frameMs = 16;          // the display's frame interval: motion draws at most once a frame
    std::function<void(const Rect&)> showArea; // a window area was drawn: show it on the screen
    std::function<void()> showTable;           // the table buffer onto the window picture, all of it
};

// The piles a dragged card could land on, by the area they share with it, largest first: every
// foundation, tableau pile and reserve in use and the waste, each by the place of its top card.
std::vector<PileRef> dropCandidates(const TableView& table, const Rect& dragged, std::size_t most = 4);

class TablePointer {
public:
    explicit TablePointer(PointerContext context);
    ~TablePointer();

    void pointerDown(const PointerEvent& event);
    void pointerMove(const PointerEvent& event);
    void pointerUp(const PointerEvent& event);
    void doubleClick(const PointerEvent& event);
    // The table scrolled under cards being dragged: they are drawn again where they were.
    void tableScrolled();

    bool holding() const { return bool(m_held); }
    bool stockPressed() const { return m_stockPressed; }

    // The main popup menu (a right press with Ctrl away from the cards), shown by the window.
    std::function<void(Point)> onPopupMenu;

private:
    bool pref(Field field) const;
    void lift(const PickUp& carried, const PileHit& hit, Point at);
    bool dropHeld();
    void travelBack();
    void release();
    void peek(const PileHit& hit);

    PointerContext m_c;
    PickUp m_held;
    Point m_grab;                       // the pointer within the picked card
    Point m_origin;                     // where the picked card lay (window coordinates)
    bool m_moved = false;
    bool m_stockPressed = false;
    bool m_peeking = false;
    CardTable m_shown;                  // the table as drawn while cards are lifted off it
    std::unique_ptr<MovingImage> m_image;
};

} // namespace kst
