#pragma once
// The random generator of kestrane-cli: a Mersenne twister seeded from the clock on request.

#include "platform/Random.h"

#include <chrono>
#include <random>

namespace kst::cli {

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
