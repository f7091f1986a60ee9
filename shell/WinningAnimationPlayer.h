#pragma once
// The winning display played on the main window's table by a timer of the user-interface thread.
// Each turn paints the cards up to the pattern's next wait onto the table buffer and the window
// picture, then the timer waits as long as the pattern asks while the event loop goes on: the
// window repaints, resizes and takes the key or click that stops the display.

#include "platform/Clock.h"
#include "platform/Random.h"
#include "shell/TableWidget.h"
#include "table/TableView.h"
#include "table/WinningAnimation.h"

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <optional>

namespace kst {

// A QObject for its timer and the calls it queues; it has no signals of its own.
class WinningAnimationPlayer : public QObject
{
public:
    // measures: the window's measures and top edge as they are now; a window that changed size
    // while the display plays gets its pattern afresh, laid over the new table.
    WinningAnimationPlayer(TableView& table, TableWidget& widget, Clock& clock, RandomSource& random,
                           std::function<TableWindow()> measures, QObject* parent = nullptr);

    // Plays the pattern for durationMs from now on the tick counter, its pauses set by
    // speedMoveCard (Speed_Move_Card). finished runs once when the time is up or after stop(),
    // from the event loop. False, running nothing, when there is nothing to play: no pattern (a
    // name that is none of the six) or no time.
    bool start(std::optional<WinningPattern> pattern, std::uint64_t durationMs, int speedMoveCard,
               std::function<void()> finished);
    // No card after this one; the cards painted stay until the table's next full paint.
    void stop();
    bool playing() const { return m_animation.has_value(); }

private:
    void turn();
    void finish();

    TableView& m_table;
    TableWidget& m_widget;
    Clock& m_clock;
    RandomSource& m_random;
    std::function<TableWindow()> m_measures;

    std::optional<WinningAnimation> m_animation; // the pattern under way; none between displays
    std::uint64_t m_startMs = 0;                 // tick count at the start
    std::uint64_t m_durationMs = 0;
    int m_speed = 0;                             // Speed_Move_Card read at the start
    std::function<void()> m_finished;            // still to run for the display under way
    QTimer m_timer;                              // the next turn
};

} // namespace kst
