#include "shell/WinningAnimationPlayer.h"

#include <utility>

namespace kst {

WinningAnimationPlayer::WinningAnimationPlayer(TableView& table, TableWidget& widget, Clock& clock,
                                               RandomSource& random, std::function<TableWindow()> measures,
                                               QObject* parent)
    : QObject(parent), m_table(table), m_widget(widget), m_clock(clock), m_random(random),
      m_measures(std::move(measures))
{
    m_timer.setSingleShot(true);
    // Some patterns wait only a few milliseconds after each card.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &WinningAnimationPlayer::turn);
}

bool WinningAnimationPlayer::start(std::optional<WinningPattern> pattern, std::uint64_t durationMs,
                                   int speedMoveCard, std::function<void()> finished)
{
    finish(); // a display stopped a moment ago ends before the next begins
    if (!pattern || durationMs == 0)
        return false;
    m_speed = speedMoveCard;
    m_animation.emplace(pattern, m_measures(), m_table.pictures().size(), m_speed, m_random);
    m_startMs = m_clock.tickMs();
    m_durationMs = durationMs;
    m_finished = std::move(finished);
    m_timer.start(0); // the first cards once the handler that started it is done
    return true;
}

void WinningAnimationPlayer::stop()
{
    if (!m_animation)
        return;
    m_timer.stop();
    m_animation.reset();
    // Stopped from an input filter or a close, the end runs once the event is done with; unless
    // another display has started by then, which has run this one's end first.
    QTimer::singleShot(0, this, [this] {
        if (!m_animation)
            finish();
    });
}

// Cards up to the pattern's next wait, the time looked at before each one.
void WinningAnimationPlayer::turn()
{
    if (!m_animation)
        return;
    const TableWindow window = m_measures();
    const CardSize card = m_table.pictures().size();
    if (!(window == m_animation->window()) || !(card == m_animation->cardSize()))
        m_animation.emplace(m_animation->pattern(), window, card, m_speed, m_random);
    TablePainter painter = m_table.painter(&m_widget.picture());
    for (;;) {
        if (m_clock.tickMs() - m_startMs >= m_durationMs) {
            m_animation.reset();
            finish();
            return;
        }
        const WinningStep step = m_animation->next();
        switch (step.kind) {
        case WinningStep::Kind::Card:
            painter.drawCard(step.card, step.at.x, step.at.y, false, Target::Both);
            m_widget.showChanged({step.at.x, step.at.y, card.width, card.height});
            break;
        case WinningStep::Kind::Wait: m_timer.start(step.ms); return;
        case WinningStep::Kind::End:
            m_animation.reset();
            finish();
            return;
        }
    }
}

void WinningAnimationPlayer::finish()
{
    m_animation.reset();
    m_timer.stop();
    // Taken out first: what it runs may start the next display.
    if (std::function<void()> finished = std::exchange(m_finished, {}))
        finished();
}

} // namespace kst
