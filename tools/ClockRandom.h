#pragma once
// The clock and the random generator of kestrane-cli: the system's time of day, and a Mersenne
// twister seeded from the clock on request.

#include "platform/Clock.h"
#include "platform/Random.h"

#include <chrono>
#include <ctime>
#include <random>

namespace kst::cli {

class SystemClock : public Clock {
public:
    std::uint64_t tickMs() override
    {
        const auto since = std::chrono::steady_clock::now().time_since_epoch();
        return std::uint64_t(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
    }
    DateTime now() override
    {
        const auto at = std::chrono::system_clock::now();
        const std::time_t seconds = std::chrono::system_clock::to_time_t(at);
        std::tm local{};
        localtime_r(&seconds, &local);
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(at.time_since_epoch()).count() % 1000;
        return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                int(ms)};
    }
};

class ClockRandom : public RandomSource {
public:
    ClockRandom() { seedFromClock(); }
    void seedFromClock() override
    {
        m_engine.seed(std::uint32_t(std::chrono::steady_clock::now().time_since_epoch().count()));
    }
    std::uint32_t below(std::uint32_t n) override
    {
        return n == 0 ? 0 : std::uniform_int_distribution<std::uint32_t>(0, n - 1)(m_engine);
    }

private:
    std::mt19937 m_engine;
};

} // namespace kst::cli
