#pragma once
// One reading of the power status, taken once per tick and handed on from there: to the
// cycle, the care reminder, the tray icon, the charge log and the History tab, in that order.
// Each takes what it needs from it; none reads the system or the clock for itself.
#include <cstdint>
#include <optional>

#include "base/clock.h"

namespace corvane::app {

// The operating system's power-status record, field for field.
struct PowerStatus {
    std::uint8_t ACLineStatus = 0;
    std::uint8_t BatteryFlag = 0;
    std::uint8_t BatteryLifePercent = 0;
    std::uint8_t Reserved1 = 0;
    std::uint32_t BatteryLifeTime = 0;
    std::uint32_t BatteryFullLifeTime = 0;
};

class PowerSource {
public:
    virtual ~PowerSource() = default;
    // False when the status could not be read.
    virtual bool Read(PowerStatus& status) = 0;
};

struct Reading {
    PowerStatus status;
    UnixTime utc = 0;                         // when it was taken
    std::int32_t secondsOfDay = kUnknownTime; // the local time of day then
    std::int64_t monotonicMs = 0;             // the clock that ignores adjustments and sleep

    // The charge in percent, or none where the system does not know it (255).
    std::optional<int> Percent() const noexcept {
        return status.BatteryLifePercent <= 100 ? std::optional<int>(status.BatteryLifePercent) : std::nullopt;
    }
    bool OnAc() const noexcept { return status.ACLineStatus == 1; }
};

// The power status and the clocks at one moment; none when the status cannot be read.
std::optional<Reading> TakeReading(PowerSource& source, Clock& clock);

} // namespace corvane::app
