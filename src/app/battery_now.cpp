#include "app/battery_now.h"

#include <cmath>

namespace corvane::app {

namespace {

constexpr std::uint8_t kFlagCharging = 8;
constexpr std::uint8_t kFlagNoBattery = 128;
constexpr std::uint8_t kFlagUnknown = 255;
constexpr std::uint8_t kBatterySaverOn = 1; // SystemStatusFlag, the record's fourth byte

BatteryActivity OnAcActivity(bool charging, std::optional<int> percent) noexcept {
    if (charging) {
        return BatteryActivity::Charging;
    }
    if (!percent) {
        return BatteryActivity::Unknown;
    }
    return *percent >= 100 ? BatteryActivity::Full : BatteryActivity::Held;
}

std::string Plural(long long n, const char* unit) {
    return std::to_string(n) + " " + unit + (n == 1 ? "" : "s");
}

// "7.4": watts to one decimal.
std::string Watts(double mw) {
    const long long tenths = std::llround(std::fabs(mw) / 100);
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

} // namespace

BatteryActivity ActivityOf(const Reading& reading) noexcept {
    const PowerStatus& s = reading.status;
    if (const std::optional<BatteryState>& b = reading.battery) {
        if (!b->present) {
            return BatteryActivity::NoBattery;
        }
        if (b->discharging || !b->acOnLine) {
            return BatteryActivity::Discharging;
        }
        return OnAcActivity(b->charging, reading.Percent());
    }
    if (s.BatteryFlag == kFlagNoBattery) {
        return BatteryActivity::NoBattery;
    }
    if (s.BatteryFlag == kFlagUnknown) {
        return BatteryActivity::Unknown;
    }
    switch (s.ACLineStatus) {
    case 0:
        return BatteryActivity::Discharging;
    case 1:
        return OnAcActivity((s.BatteryFlag & kFlagCharging) != 0, reading.Percent());
    default:
        return BatteryActivity::Unknown;
    }
}

std::optional<double> RateSmoother::Add(BatteryActivity activity, const std::optional<BatteryState>& battery,
                                        std::int64_t monotonicMs) {
    const bool flowing = activity == BatteryActivity::Charging || activity == BatteryActivity::Discharging;
    const std::int32_t rate = battery ? battery->rateMw : 0;
    const bool known = flowing && rate != 0 && rate != kUnknownRate &&
                       (activity == BatteryActivity::Charging) == (rate > 0);
    if (activity != activity_ || monotonicMs - lastMs_ > kLongestGapMs) {
        average_.reset();
    }
    activity_ = activity;
    if (!known) {
        return std::nullopt;
    }
    if (!average_) {
        average_ = rate;
    } else {
        const double weight = 1 - std::exp(-static_cast<double>(monotonicMs - lastMs_) / kTimeConstantMs);
        *average_ += weight * (rate - *average_);
    }
    lastMs_ = monotonicMs;
    return average_;
}

std::string TimeAtRateText(double seconds) {
    if (!(seconds >= 60) || seconds > 99 * 3600.0) {
        return std::string();
    }
    const long long minutes = std::llround(seconds / 60);
    if (minutes < 60) {
        return Plural(minutes, "minute");
    }
    const std::string hours = Plural(minutes / 60, "hour");
    return minutes % 60 == 0 ? hours : hours + " " + Plural(minutes % 60, "minute");
}

std::string BatteryNowText(const Reading& reading, std::optional<double> smoothedRateMw) {
    std::string text;
    const std::optional<BatteryState>& b = reading.battery;
    const bool capacities = b && b->fullMwh != 0 && b->fullMwh != kUnknownCapacity &&
                            b->remainingMwh != kUnknownCapacity && b->remainingMwh <= b->fullMwh;
    const BatteryActivity activity = ActivityOf(reading);
    switch (activity) {
    case BatteryActivity::Unknown:
        break;
    case BatteryActivity::NoBattery:
        text = "No battery found: this computer runs on AC power.";
        break;
    case BatteryActivity::Full:
        text = "Plugged in, fully charged.";
        break;
    case BatteryActivity::Held:
        text = "Plugged in, not charging: the charge is held at " + std::to_string(*reading.Percent()) + "%.";
        break;
    case BatteryActivity::Charging:
    case BatteryActivity::Discharging: {
        const bool charging = activity == BatteryActivity::Charging;
        text = charging ? "Charging" : "Discharging";
        if (!smoothedRateMw) {
            text += ".";
            break;
        }
        text += " at " + Watts(*smoothedRateMw) + " W.";
        // What is still missing, or what is left, at the rate it flows.
        const double mwh = capacities ? (charging ? b->fullMwh - b->remainingMwh : b->remainingMwh) : 0;
        if (const std::string time = TimeAtRateText(mwh * 3600.0 / std::fabs(*smoothedRateMw)); !time.empty()) {
            text += charging ? " Full in about " + time + " at this rate." : " About " + time + " left at this rate.";
        }
        break;
    }
    }
    if (reading.status.Reserved1 == kBatterySaverOn) {
        text += text.empty() ? "Battery saver is on." : " Battery saver is on.";
    }
    return text;
}

} // namespace corvane::app
