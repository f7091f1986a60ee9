// The vertical scroll bar of a table whose fanned piles grow below the window.

#include "table/Layout.h"

namespace kst {

ScrollDecision fnUpdateScrollBar(const ScrollInputs& in, ScrollBarState bar)
{
    ScrollDecision d;
    d.bar = bar;
    const int code = in.tableauLayout;
    const bool wanted = in.vertScrollBar && (code == 1 || code == 8 || code == 9);
    const int twoH = 2 * in.cardHeight;
    const bool mustGrow = (!bar.visible && in.clientHeight < in.tableBottom)
        || (bar.visible && in.backBufferHeight - twoH < in.tableBottom);
    if (bar.visible && (!wanted || in.clientHeight >= in.tableBottom)) {
        // The reset re-runs the resize handling, which decides afresh; growing in the same step
        // would show the bar that was just hidden.
        d.action = ScrollDecision::Action::Reset;
        d.bar = {false, 0, 100};
        return d;
    }
    if (mustGrow && wanted) {
        const int extra = twoH + in.tableBottom - in.clientHeight;
        d.action = ScrollDecision::Action::Grow;
        d.bufferGrowth = extra;
        d.bar = {true, bar.position, bar.maximum + extra - 30};
    }
    return d;
}

ScrollSync fnSyncScrollOffset(int oldOffset, int barPosition)
{
    return {barPosition, barPosition - oldOffset};
}

Rect fnPlaceScrollBar(int clientWidth, int clientHeight, int barWidth, int toolbarBottom)
{
    const int top = toolbarBottom + 2;
    return {clientWidth - barWidth, top, barWidth, clientHeight - top};
}

} // namespace kst
