#pragma once
// Where the pointer's presses on the table enter the rules engine. The window hands every press,
// move and release over unchanged; the engine decides what they mean.

#include "platform/Geometry.h"
#include "platform/MessageBoxes.h"
#include "table/Layout.h"
#include "table/TableView.h"

namespace kst {

enum class PointerButton { Left, Right, Middle };

struct PointerEvent {
    PointerButton button = PointerButton::Left;
    bool shift = false;
    bool ctrl = false;
    Point at; // window coordinates
};

struct PointerTarget {
    TableView& table;
    MessageBoxes& messages;
};

// What lies under a window point of the table.
PileHit pileUnder(TableView& table, Point at);

// Until cards can be moved, a press on a card is answered as every refused action is: a beep.
void pointerDown(PointerTarget& target, const PointerEvent& event);
void pointerMove(PointerTarget& target, const PointerEvent& event);
void pointerUp(PointerTarget& target, const PointerEvent& event);
void doubleClick(PointerTarget& target, const PointerEvent& event);

} // namespace kst
