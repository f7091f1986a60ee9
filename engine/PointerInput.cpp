#include "engine/PointerInput.h"

namespace kst {

PileHit pileUnder(TableView& table, Point at)
{
    const HitTestTable view{table.rules(), table.cards(), table.positions(), table.steps(),
                            table.pictures().size(), table.scrollOffset()};
    return hitTest(view, at);
}

void pointerDown(PointerTarget& target, const PointerEvent& event)
{
    if (!target.table.gameOnTable())
        return;
    if (pileUnder(target.table, event.at).card > 0)
        target.messages.beep();
}

void pointerMove(PointerTarget&, const PointerEvent&)
{
    // Nothing is being dragged until the moves themselves exist.
}

void pointerUp(PointerTarget&, const PointerEvent&)
{
}

void doubleClick(PointerTarget& target, const PointerEvent& event)
{
    pointerDown(target, event);
}

} // namespace kst
