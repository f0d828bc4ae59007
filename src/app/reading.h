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

// The power manager's battery figures (its SYSTEM_BATTERY_STATE), summed over all batteries.
struct BatteryState {
    bool acOnLine = false;
    bool present = false;
    bool charging = false;
    bool discharging = false;
    std::int32_t rateMw = 0;        // signed: below 0 discharging; 0 or kUnknownRate unknown
    std::uint32_t remainingMwh = 0; // kUnknownCapacity where unknown
    std::uint32_t fullMwh = 0;
};
inline constexpr std::int32_t kUnknownRate = static_cast<std::int32_t>(0x80000000u); // BATTERY_UNKNOWN_RATE
inline constexpr std::uint32_t kUnknownCapacity = 0xFFFFFFFFu;

class PowerSource {
public:
    virtual ~PowerSource() = default;
    // False when the status could not be read.
    virtual bool Read(PowerStatus& status) = 0;
    // The battery's figures, where the system gives them.
    virtual std::optional<BatteryState> ReadBattery() { return std::nullopt; }
};

struct Reading {
    PowerStatus status;
    UnixTime utc = 0;                         // when it was taken
    std::int32_t secondsOfDay = kUnknownTime; // the local time of day then
    std::int64_t monotonicMs = 0;             // the clock that ignores adjustments and sleep
    std::optional<BatteryState> battery;      // none where the system does not give it

    // The charge in percent, or none where the system does not know it (255).
    std::optional<int> Percent() const noexcept {
        return status.BatteryLifePercent <= 100 ? std::optional<int>(status.BatteryLifePercent) : std::nullopt;
    }
    bool OnAc() const noexcept { return status.ACLineStatus == 1; }
};

// The power status and the clocks at one moment; none when the status cannot be read.
std::optional<Reading> TakeReading(PowerSource& source, Clock& clock);

} // namespace corvane::app
