#pragma once
// The process-wide random generator: a Mersenne twister, seeded from the clock on request.

#include "platform/Random.h"

#include <random>

namespace kst {

class QtRandom : public RandomSource {
public:
    void seedFromClock() override;
    std::uint32_t below(std::uint32_t n) override;

private:
    std::mt19937 m_engine;
};

} // namespace kst
