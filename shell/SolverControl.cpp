#include "shell/SolverControl.h"

#include "engine/Deal.h"
#include "engine/GameNumber.h"
#include "engine/Moves.h"
#include "shell/TfrmMain.h"
#include "storage/Routines.h"

#include <QAction>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <utility>

namespace kst {

namespace {

const QString Thinking = QStringLiteral("Solver: thinking\u2026");
const QString Winnable = QStringLiteral("Winnable");
const QString NoLineKnown = QStringLiteral("No winning line is known from here");
const QString DealNotProven = QStringLiteral("No winnable deal found in time; this deal is not proven");

// Between two moves of a solution played, so that the player can follow it.
constexpr int SolutionPauseMs = 300;
// While cards are moving, a search or a waiting command tries again this much later.
constexpr int RetryMs = 20;

// The automatic play after a deal, made on a deal being tried as the session will make it on the
// table, without sounds or pictures.
class SilentSteps : public StepMaker {
public:
    explicit SilentSteps(Game& game) : m_game(game) {}
    bool make(std::span<const Move> moves, AutoStep) override
    {
        bool made = false;
        for (const Move& m : moves)
            if (isLegal(m_game, m)) {
                apply(m_game, m);
                made = true;
            }
        return made;
    }

private:
    Game& m_game;
};

// Passes draws on and notes that there were some: a deal that draws on chance is not its number's
// alone, so a search of one such deal proves nothing about the next deal of the number.
class ChanceWatch : public RandomSource {
public:
    explicit ChanceWatch(RandomSource& source) : m_source(source) {}
    void seedFromClock() override { m_source.seedFromClock(); }
    std::uint32_t below(std::uint32_t n) override
    {
        asked = true;
        return m_source.below(n);
    }
    bool asked = false;

private:
    RandomSource& m_source;
};

} // namespace

SolverControl::SolverControl(TfrmMain& window, QAction* hint, QAction* playSolution, QStatusBar* bar)
    : m_window(window), m_hintAction(hint), m_playAction(playSolution), m_bar(bar),
      m_verdictLabel(new QLabel(bar)), m_noticeLabel(new QLabel(bar))
{
    m_verdictLabel->setObjectName(QStringLiteral("lblSolverVerdict"));
    m_noticeLabel->setObjectName(QStringLiteral("lblSolverNotice"));
    m_bar->addWidget(m_verdictLabel, 1);
    m_bar->addPermanentWidget(m_noticeLabel);
    refresh();
}

SolverControl::~SolverControl() = default;

void SolverControl::setSolverOn(bool on)
{
    m_on = on;
    m_bar->setVisible(on);
    positionChanged();
}

// ---- the position on the table ------------------------------------------------------------------

SolverControl::Position SolverControl::positionOf(Game game, AutomaticPlay play)
{
    game.elapsedSeconds = 0;
    game.score = 0;
    return {std::move(game), play};
}

bool SolverControl::samePosition(const Position& a, const Position& b)
{
    return a.play.turnUps == b.play.turnUps && a.play.autoplay == b.play.autoplay && a.game == b.game;
}

bool SolverControl::searchable() const
{
    const GameSession& session = m_window.session();
    return m_on && session.inProgress() && !session.game().won && solver::solvable(session.game());
}

void SolverControl::positionChanged()
{
    if (!searchable()) {
        if (m_position) {
            ++m_positionId;
            m_thread.cancel();
        }
        m_position.reset();
        m_result.reset();
        m_request = Request::None;
        m_positionNotice.clear();
        refresh();
        return;
    }
    Position now = positionOf(m_window.session().game(), m_window.session().automaticPlay());
    if (m_position && samePosition(*m_position, now))
        return;
    ++m_positionId;
    m_position = std::move(now);
    m_request = Request::None; // a command waiting was about the position that went
    m_positionNotice.clear();
    m_thread.cancel();
    m_result.reset();
    if (m_known && samePosition(m_known->position, *m_position))
        m_result = m_known->result;
    else if (!m_followingLine)
        armSearch();
    refresh();
}

// Started once the window is through with the change: a move with automatic steps after it
// changes the game several times in a row.
void SolverControl::armSearch()
{
    if (m_searchArmed)
        return;
    m_searchArmed = true;
    QTimer::singleShot(0, this, &SolverControl::startSearch);
}

void SolverControl::startSearch()
{
    m_searchArmed = false;
    if (!m_position || m_result || m_choosingDeal)
        return;
    if (m_window.animating()) {
        m_searchArmed = true;
        QTimer::singleShot(RetryMs, this, &SolverControl::startSearch);
        return;
    }
    const std::uint64_t id = m_positionId;
    m_thread.start(m_position->game, m_position->play, m_budget.position,
                   [this, id](const solver::Result& result) { searched(id, result); });
}

void SolverControl::searched(std::uint64_t positionId, const solver::Result& result)
{
    if (positionId != m_positionId || !m_position)
        return; // about a position no longer on the table
    m_result = result;
    m_known = Known{*m_position, result};
    if (result.verdict == solver::Verdict::Won)
        m_unprovenDeal.reset();
    refresh();
    answerRequest();
}

// ---- the commands -------------------------------------------------------------------------------

bool SolverControl::ready() const
{
    return m_position && !m_playing && !m_window.session().paused() && !m_window.animating();
}

bool SolverControl::winningLineKnown() const
{
    return m_result && m_result->verdict == solver::Verdict::Won && !m_result->line.empty();
}

void SolverControl::answerRequest()
{
    const Request request = std::exchange(m_request, Request::None);
    if (request == Request::None)
        return;
    if (m_window.animating()) {
        m_request = request;
        QTimer::singleShot(RetryMs, this, &SolverControl::answerRequest);
        return;
    }
    if (request == Request::Hint)
        hint();
    else
        playSolution();
}

bool SolverControl::lineAtHand(Request request)
{
    if (!ready())
        return false;
    if (!m_result) {
        m_request = request; // answered when the search for this position ends
        refresh();
        return false;
    }
    if (!winningLineKnown()) {
        m_positionNotice = NoLineKnown;
        refresh();
        return false;
    }
    return true;
}

void SolverControl::hint()
{
    if (lineAtHand(Request::Hint))
        playLineMove();
}

void SolverControl::playSolution()
{
    if (!lineAtHand(Request::Play))
        return;
    // The cards move by themselves until the line is played out; the first key or press stops
    // it after the move under way. This filter comes after the one of the moving cards, so it
    // sees every input first.
    m_playing = true;
    m_stopPlaying = false;
    m_window.cardsMoving(true);
    m_window.installInputFilter(InputFilter::Kind::Solution, [this] { m_stopPlaying = true; });
    refresh();
    while (!m_stopPlaying && winningLineKnown() && playLineMove())
        if (!m_stopPlaying && winningLineKnown())
            fnDelay(m_window.ports().clock, m_window.ports().events, SolutionPauseMs);
    m_window.removeInputFilter(InputFilter::Kind::Solution);
    m_window.cardsMoving(false);
    m_playing = false;
    refresh();
}

bool SolverControl::playLineMove()
{
    solver::Result rest = *m_result;
    const Move move = rest.line.front();
    rest.line.erase(rest.line.begin());
    m_followingLine = true;
    const bool played = m_window.playSlowly(move);
    m_followingLine = false;
    positionChanged();
    if (!m_position)
        return played; // won, or the game ended meanwhile
    if (!played) {
        // The rules refused it: the line was not for this table after all.
        m_known.reset();
        m_result.reset();
        armSearch();
    } else if (!rest.line.empty()) {
        m_known = Known{*m_position, rest};
        m_result = std::move(rest);
    } else {
        armSearch(); // the line ended short of a win: search afresh
    }
    refresh();
    return played;
}

// ---- winnable deals -----------------------------------------------------------------------------

std::string SolverControl::dealNumber(const Game& game)
{
    RandomSource& random = m_window.ports().random;
    if (!m_on || !m_winnableOnly || !solver::solvable(game))
        return newRandomGameNumber(random);
    using Clock = std::chrono::steady_clock;
    // The budget is computing time, not the game's time: it is measured on the real clock.
    const Clock::time_point deadline =
        Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(m_budget.dealSeconds));
    const AutomaticPlay play = m_window.session().automaticPlay();
    m_choosingDeal = true;
    m_thread.cancel(); // the table's own search is of no use now
    m_window.cardsMoving(true);
    refresh();
    std::string number;
    bool proven = false;
    do {
        number = newRandomGameNumber(random);
        Game deal = game;
        deal.number = normalGameNumber(number);
        ChanceWatch chance(random);
        // A deal that fails is the session's to report; one that drew on chance cannot be proved.
        if (!dealGame(deal, chance).ok || chance.asked)
            break;
        if (play.autoplay) {
            SilentSteps steps(deal);
            runAutoplay(deal, play, steps);
        }
        const double left = std::chrono::duration<double>(deadline - Clock::now()).count();
        if (left <= 0)
            break;
        solver::Limits limits = m_budget.candidate;
        limits.seconds = limits.seconds > 0 ? std::min(limits.seconds, left) : left;
        const solver::Result result =
            m_thread.run(deal, play, limits, [this] { m_window.ports().events.processPendingEvents(0); });
        if (result.verdict == solver::Verdict::Won) {
            proven = true;
            // The verdict on the table after the deal is known already.
            m_known = Known{positionOf(deal, play), result};
        }
    } while (!proven && Clock::now() < deadline);
    m_window.cardsMoving(false);
    m_choosingDeal = false;
    if (proven)
        m_unprovenDeal.reset();
    else
        m_unprovenDeal.emplace(game.gameId, normalGameNumber(number));
    refresh();
    return number;
}

// ---- the status line and the commands' state ---------------------------------------------------

QString SolverControl::verdictText() const
{
    if (m_choosingDeal)
        return Thinking;
    if (!m_position)
        return {};
    // While a move of the known line is played, the rest of the line still wins.
    if (!m_result)
        return m_followingLine ? Winnable : Thinking;
    switch (m_result->verdict) {
    case solver::Verdict::Won: return Winnable;
    case solver::Verdict::Lost: return QStringLiteral("Not winnable from here");
    case solver::Verdict::Unknown: break;
    }
    return QStringLiteral("Solver: no answer in time");
}

QString SolverControl::noticeText() const
{
    if (!m_positionNotice.isEmpty())
        return m_positionNotice;
    const Game& game = m_window.session().game();
    if (m_position && m_unprovenDeal && m_unprovenDeal->first == game.gameId && m_unprovenDeal->second == game.number)
        return DealNotProven;
    return {};
}

void SolverControl::refresh()
{
    const bool usable = m_position && !m_playing;
    m_hintAction->setEnabled(usable);
    m_playAction->setEnabled(usable);
    m_verdictLabel->setText(verdictText());
    m_noticeLabel->setText(noticeText());
}

} // namespace kst
