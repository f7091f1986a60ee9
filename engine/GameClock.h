#pragma once
// The game clock reads the time of day: a game that runs past midnight goes on counting.

#include "platform/Geometry.h"

namespace kst {

// Whole seconds of the day of a time (the date is not looked at).
constexpr long secondOfDay(const DateTime& t)
{
    return long(t.hour) * 3600 + long(t.minute) * 60 + t.second;
}

// Seconds from start to now, both times of day; a now earlier than start means midnight came
// in between.
constexpr long elapsedSeconds(const DateTime& start, const DateTime& now)
{
    const long from = secondOfDay(start), to = secondOfDay(now);
    return to >= from ? to - from : (24L * 3600 - from) + to;
}

} // namespace kst
