#pragma once
// The one clock of the program: what every reading is stamped with, what the charge history
// draws by, and what the estimate measures its steps on. A port, so tests can move time.
#include <cstdint>

#include "base/civil_time.h"

namespace corvane {

// SecondsOfDay's answer when the clock cannot be read.
inline constexpr std::int32_t kUnknownTime = -1;

class Clock {
public:
    virtual ~Clock() = default;
    virtual UnixTime UtcNow() = 0;
    // Seconds to add to a UTC time to get the local time at that moment (DST as the system knows it).
    virtual std::int64_t LocalOffsetAt(UnixTime time) = 0;
    // Local time of day in seconds, or kUnknownTime.
    virtual std::int32_t SecondsOfDay() = 0;
    // Milliseconds on a clock that only moves forward and does not count time asleep: a
    // daylight-saving change, a clock adjustment or a night asleep cannot bend a measured step.
    virtual std::int64_t MonotonicMilliseconds() = 0;
};

} // namespace corvane
