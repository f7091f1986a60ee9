#pragma once
// The solver as the main window offers it: the verdict on the position on the table, searched in
// the background after every change and shown in the status bar; the hint, which makes the next
// move of a winning line; playing that line to the end; and new random deals that the solver has
// proved winnable.

#include "engine/AfterMove.h"
#include "engine/Game.h"
#include "shell/SolverThread.h"
#include "solver/Solver.h"

#include <QObject>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

class QAction;
class QLabel;
class QStatusBar;

namespace kst {

class TfrmMain;

class SolverControl : public QObject
{
    Q_OBJECT

public:
    // The transposition table of a search in the window: small beside what the program needs.
    static constexpr std::size_t TableBytes = std::size_t(64) << 20;
    // How long the searches may go on.
    struct Budget {
        solver::Limits position{0, 10, TableBytes};  // the verdict on the table's position
        solver::Limits candidate{0, 0.5, TableBytes}; // one deal tried for "Winnable deals only"
        double dealSeconds = 2;                       // all the deals tried for one new game
    };

    // The verdict and the notices go into the status bar; the two commands are enabled while the
    // solver can serve them.
    SolverControl(TfrmMain& window, QAction* hint, QAction* playSolution, QStatusBar* bar);
    ~SolverControl() override;

    // The two preferences. With the solver off nothing is searched and the status bar goes.
    void setSolverOn(bool on);
    void setWinnableOnly(bool on) { m_winnableOnly = on; }
    void setBudget(const Budget& budget) { m_budget = budget; }

    // The window calls this whenever the game may have changed (a deal, a move, undo, a switch of
    // automatic play): a new position cancels the search under way and starts its own.
    void positionChanged();

    // The Hint command: the next move of the winning line, its cards gliding slowly; it waits
    // for a search under way, and says so when no winning line is known.
    void hint();
    // Plays the winning line move by move until the game is won; any key or press stops it.
    void playSolution();
    bool playingSolution() const { return m_playing; }

    // The number of a new random deal of the game (its rules loaded). With "Winnable deals only",
    // numbers are drawn until the solver proves one winnable, for about two seconds in all.
    std::string dealNumber(const Game& game);

    // The status line: the verdict on the position, and a notice beside it (either may be empty).
    QString verdictText() const;
    QString noticeText() const;

private:
    // What the solver searches: the game without its clock and score, and the player's settings
    // for the steps the rules make by themselves.
    struct Position {
        Game game;
        AutomaticPlay play;
    };
    // A search's result and the position it is about.
    struct Known {
        Position position;
        solver::Result result;
    };
    // A command that waits for the search under way.
    enum class Request { None, Hint, Play };

    static Position positionOf(Game game, AutomaticPlay play);
    static bool samePosition(const Position& a, const Position& b);
    // The game on the table is in progress and one the solver plays.
    bool searchable() const;
    // The commands may act now: a position to play from, and nothing else going on.
    bool ready() const;
    bool winningLineKnown() const;
    // Whether the command can go on with the winning line now: it waits for the search under way
    // (the request is kept), or tells the player that no line is known.
    bool lineAtHand(Request request);
    void armSearch();
    void startSearch();
    void searched(std::uint64_t positionId, const solver::Result& result);
    void answerRequest();
    // Plays the line's first move; what is left of the line wins from the new position. False
    // when the rules refused the move.
    bool playLineMove();
    void refresh();

    TfrmMain& m_window;
    QAction* m_hintAction;
    QAction* m_playAction;
    QStatusBar* m_bar;
    QLabel* m_verdictLabel;
    QLabel* m_noticeLabel;
    Budget m_budget;
    bool m_on = true;
    bool m_winnableOnly = false;

    std::optional<Position> m_position;     // the position on the table, when the solver serves it
    std::uint64_t m_positionId = 0;         // counts positions: a result for an older one is dropped
    std::optional<solver::Result> m_result; // the verdict on m_position, once known
    std::optional<Known> m_known;           // the latest result with its position, kept across changes
    Request m_request = Request::None;
    bool m_searchArmed = false;   // a search starts once the window is done with the change
    bool m_followingLine = false; // a move of the known line is being played
    bool m_playing = false;
    bool m_stopPlaying = false;
    bool m_choosingDeal = false;
    QString m_positionNotice; // about the position on the table; goes with it
    // A deal dealt for "Winnable deals only" that no search proved: game id and number.
    std::optional<std::pair<int, std::string>> m_unprovenDeal;

    SolverThread m_thread; // last: it stops before the rest goes
};

} // namespace kst
