#pragma once
// The solver's searches on a thread of their own, so that the window never waits for one. One
// search runs at a time: a new one cancels the one under way, which stops within a millisecond,
// and its result comes back on the window's thread.

#include "engine/AfterMove.h"
#include "engine/Game.h"
#include "solver/Solver.h"

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace kst {

class SolverThread : public QObject
{
    Q_OBJECT

public:
    using Done = std::function<void(const solver::Result&)>;

    explicit SolverThread(QObject* parent = nullptr);
    // Cancels the search under way and waits the moment it takes to stop.
    ~SolverThread() override;

    // Searches a copy of the game; any search under way or waiting is cancelled for it. `done`
    // runs later on this object's thread, unless the search was cancelled.
    void start(const Game& game, AutomaticPlay play, const solver::Limits& limits, Done done);
    // The same, waited for: `pump` runs every few milliseconds meanwhile, so that the window goes
    // on painting. A cancelled search returns its result marked so.
    solver::Result run(const Game& game, AutomaticPlay play, const solver::Limits& limits,
                       const std::function<void()>& pump);
    // Stops the search under way and drops the one waiting; neither reports.
    void cancel();

private:
    struct Job {
        Game game;
        AutomaticPlay play;
        solver::Limits limits;
        std::function<void(const solver::Result&)> finish; // on the search's thread
    };
    void submit(std::unique_ptr<Job> job);
    void work();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::unique_ptr<Job> m_waiting; // the next search; the thread takes it
    std::atomic<bool> m_cancel{false};
    bool m_quit = false;
    solver::Solver m_solver; // only the thread uses it
    std::thread m_thread;    // last: it starts once everything above is ready
};

} // namespace kst
