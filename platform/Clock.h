#pragma once
// Port: the millisecond tick counter, the time of day and date, and the message pump that
// lets the window repaint while a handler waits.

#include "platform/Geometry.h"

#include <cstdint>
#include <string>

namespace kst {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since some fixed moment; never goes backwards.
    virtual std::uint64_t tickMs() = 0;
    // Local date and time of day.
    virtual DateTime now() = 0;
};

class EventPump {
public:
    virtual ~EventPump() = default;
    // Handles the window system's pending messages (paints, input through the filters) and
    // returns; may sleep up to maxWaitMs when nothing is pending.
    virtual void processPendingEvents(int maxWaitMs) = 0;
};

// The user's locale as far as fixed texts need it.
struct LocaleFormat {
    std::string decimalSeparator = ".";
    std::string timeSeparator = ":";
};

} // namespace kst
