#pragma once
// The system's clocks behind the program's Clock port.
#include "base/clock.h"

namespace corvane {

class SystemClock final : public Clock {
public:
    UnixTime UtcNow() override;
    std::int64_t LocalOffsetAt(UnixTime time) override;
    std::int32_t SecondsOfDay() override;
    std::int64_t MonotonicMilliseconds() override;
};

} // namespace corvane
