#include "shell/SolverThread.h"

#include <chrono>
#include <future>
#include <utility>

namespace kst {

namespace {

solver::Result cancelledResult()
{
    solver::Result r;
    r.cancelled = true;
    return r;
}

} // namespace

SolverThread::SolverThread(QObject* parent) : QObject(parent), m_thread([this] { work(); }) {}

SolverThread::~SolverThread()
{
    std::unique_ptr<Job> dropped;
    {
        const std::lock_guard lock(m_mutex);
        m_quit = true;
        m_cancel = true;
        dropped = std::move(m_waiting);
    }
    m_wake.notify_one();
    if (dropped)
        dropped->finish(cancelledResult());
    m_thread.join();
}

void SolverThread::start(const Game& game, AutomaticPlay play, const solver::Limits& limits, Done done)
{
    submit(std::make_unique<Job>(Job{game, play, limits, [this, done = std::move(done)](const solver::Result& r) {
        if (!r.cancelled)
            QMetaObject::invokeMethod(this, [done, r] { done(r); }, Qt::QueuedConnection);
    }}));
}

solver::Result SolverThread::run(const Game& game, AutomaticPlay play, const solver::Limits& limits,
                                 const std::function<void()>& pump)
{
    auto promise = std::make_shared<std::promise<solver::Result>>();
    std::future<solver::Result> result = promise->get_future();
    submit(std::make_unique<Job>(
        Job{game, play, limits, [promise](const solver::Result& r) { promise->set_value(r); }}));
    while (result.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
        pump();
    return result.get();
}

void SolverThread::cancel()
{
    std::unique_ptr<Job> dropped;
    {
        const std::lock_guard lock(m_mutex);
        m_cancel = true;
        dropped = std::move(m_waiting);
    }
    if (dropped)
        dropped->finish(cancelledResult());
}

void SolverThread::submit(std::unique_ptr<Job> job)
{
    std::unique_ptr<Job> dropped;
    {
        const std::lock_guard lock(m_mutex);
        dropped = std::exchange(m_waiting, std::move(job));
        m_cancel = true; // the search under way, if any, makes room at once
    }
    m_wake.notify_one();
    if (dropped)
        dropped->finish(cancelledResult());
}

void SolverThread::work()
{
    for (;;) {
        std::unique_ptr<Job> job;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_quit || m_waiting; });
            if (m_quit)
                return;
            job = std::move(m_waiting);
            // Cleared only here, with the next job taken: a cancel meant for an earlier search
            // cannot reach this one.
            m_cancel = false;
        }
        solver::Limits limits = job->limits;
        limits.cancel = &m_cancel;
        m_solver.setLimits(limits);
        job->finish(m_solver.solve(job->game, job->play));
    }
}

} // namespace kst
