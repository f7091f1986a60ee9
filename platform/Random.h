#pragma once
// Port: the process-wide random generator, seeded from the clock at start-up.

#include <cstdint>

namespace kst {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void seedFromClock() = 0;
    // A uniform whole number 0 .. n-1; 0 when n is 0.
    virtual std::uint32_t below(std::uint32_t n) = 0;
};

} // namespace kst
