#pragma once
// What the battery is doing now, as one line of our own under the estimate: charging or
// discharging at how many watts and for how long at that rate, a charge held below full by a
// charge limit, full, or no battery at all.
#include <cstdint>
#include <optional>
#include <string>

#include "app/reading.h"

namespace corvane::app {

enum class BatteryActivity { Unknown, NoBattery, Discharging, Charging, Held, Full };

// From the power manager's figures where the reading has them, else from the power status.
// Held: on AC power, neither charging nor full (a charge limit, or Windows' smart charging).
BatteryActivity ActivityOf(const Reading& reading) noexcept;

// The rate averaged over about a minute, so that the time at this rate does not jump from tick
// to tick. An exponential average: one figure of state, the newest readings weigh most, a load
// that lasts shows fully within a minute or two while one odd reading moves the figure little,
// and readings that come late (a busy machine) are weighed by the time they stand for.
class RateSmoother {
public:
    static constexpr double kTimeConstantMs = 60'000;
    // A pause longer than this (the machine asleep, a read failing meanwhile) starts afresh.
    static constexpr std::int64_t kLongestGapMs = 5 * 60'000;

    // The reading's rate added; the average in mW, or none where the rate is unknown or of the
    // wrong sign for what the battery does. A change between charging and discharging starts
    // the average afresh.
    std::optional<double> Add(BatteryActivity activity, const std::optional<BatteryState>& battery,
                              std::int64_t monotonicMs);

private:
    BatteryActivity activity_ = BatteryActivity::Unknown;
    std::optional<double> average_;
    std::int64_t lastMs_ = 0;
};

// "2 hours 10 minutes", "40 minutes"; empty under a minute or over 99 hours.
std::string TimeAtRateText(double seconds);
// The line, from a reading and its smoothed rate (none: no watts, no time).
std::string BatteryNowText(const Reading& reading, std::optional<double> smoothedRateMw);

} // namespace corvane::app
