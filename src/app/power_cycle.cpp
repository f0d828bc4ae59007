#include "app/power_cycle.h"

#include <algorithm>
#include <limits>

#include "base/civil_time.h"
#include "base/reentry.h"

namespace corvane::app {

namespace {

constexpr std::string_view kOnBattery = "Working on battery power.";
constexpr std::string_view kOnAc = "AC Supply is connected to Unit.";
constexpr std::string_view kUnknownSource = "An unknown Source.";

constexpr std::string_view kResumedMessage = "AC Supply removed. Unit is working on Battery Power.";
constexpr std::string_view kResumedTitle = "Corvane :: Battery Supply Resumed.";
constexpr std::string_view kStartedMessage = "Battery charging started. Please see the Time Stats for details.";
constexpr std::string_view kStartedTitle = "Corvane :: Charging Started Alert.";
constexpr std::string_view kCriticalMessage =
    "Battery has reached the Critical Charge Level. You're requested to either put the Unit for "
    "Battery Charging or Save your work before power cut-off.";
constexpr std::string_view kCriticalTitle = "Battery Charge Level Critical";
constexpr std::string_view kFullMessage = "Battery has reached the 100% charge value. You may remove AC supply now.";
constexpr std::string_view kFullTitle = "Battery Charge Full.";

bool Fits32(std::int64_t v) noexcept {
    return v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max();
}

} // namespace

std::int32_t SecondsOfDay(int hour, int minute, int second) noexcept {
    return hour * 3600 + minute * 60 + second;
}

std::string FormatDuration(std::int32_t seconds) {
    const std::int64_t s = seconds;
    const std::int64_t h = FloorDiv(s, 3600);
    const std::int64_t hourPart = h * 3600;
    if (!Fits32(hourPart) || !Fits32(s - hourPart)) {
        return std::string(kUnknownDuration);
    }
    const std::int64_t m = FloorDiv(s - hourPart, 60);
    const std::int64_t rest = s - hourPart - m * 60;
    std::string text;
    if (h > 0) {
        text = std::to_string(h) + " Hour(s), ";
    }
    text += std::to_string(m) + " Minutes, " + std::to_string(rest) + " Seconds.";
    return text;
}

void PowerCycle::RefreshPowerStatus(const std::optional<Reading>& reading, const AlertOptions& alerts) {
    if (refreshing_) {
        return;
    }
    const ReentryGuard guard(refreshing_);
    if (!reading) {
        view_.ShowPowerStatusError();
        return;
    }
    Refresh(*reading, alerts);
}

void PowerCycle::Refresh(const Reading& reading, const AlertOptions& alerts) {
    status_ = reading.status;
    ShowPowerSource(alerts);

    if (status_.BatteryLifePercent > 100) {
        view_.ShowCharge(100, "100%");
        return;
    }
    const std::int32_t percent = status_.BatteryLifePercent;
    const std::string percentText = std::to_string(percent) + "%";
    view_.ShowCharge(percent, percentText);

    if (state_.LastPercent == -1) {
        TakeBaseline(reading, percent);
        tray_.SetToolTip("Charge: " + percentText);
        return;
    }
    const std::int32_t previous = state_.LastPercent;
    if (rebasePending_) {
        // First reading after a resume: whatever moved during the sleep is no step to measure.
        TakeBaseline(reading, percent);
        if (percent != previous) {
            view_.ShowTimeLeft(kCalculatingText);
            tray_.SetToolTip("Charge: " + percentText);
            RaiseLevelAlerts(alerts, previous, percent);
        }
        return;
    }
    if (percent == previous) {
        return;
    }

    state_.CurrentTime = reading.secondsOfDay;
    const std::int64_t nowMs = reading.monotonicMs;
    // Whole seconds, to the nearest, as the step's length was always counted.
    const std::int64_t elapsed = (nowMs - state_.LastChangeMonotonicMs + 500) / 1000;
    const std::int64_t factor = previous < percent ? 100 - percent : percent;
    const std::int64_t estimate = elapsed * factor;
    std::string duration;
    if (Fits32(estimate)) {
        state_.EstimatedSeconds = static_cast<std::int32_t>(estimate);
        duration = FormatDuration(state_.EstimatedSeconds);
    } else {
        // A step of months on a machine that never sleeps: no 32-bit figure to show.
        state_.EstimatedSeconds = kUnknownTime;
        duration = std::string(kUnknownDuration);
    }
    view_.ShowTimeLeft(duration);
    state_.LastChangeTime = state_.CurrentTime;
    state_.LastChangeMonotonicMs = nowMs;
    state_.LastPercent = percent;
    tray_.SetToolTip("Charge: " + percentText + " ; Time: " + duration);

    RaiseLevelAlerts(alerts, previous, percent);
}

void PowerCycle::TakeBaseline(const Reading& reading, std::int32_t percent) {
    rebasePending_ = false;
    state_.LastPercent = percent;
    state_.LastChangeTime = reading.secondsOfDay;
    state_.LastChangeMonotonicMs = reading.monotonicMs;
}

void PowerCycle::ShowPowerSource(const AlertOptions& alerts) {
    switch (status_.ACLineStatus) {
    case 0:
        view_.ShowPowerSource(kOnBattery);
        if (alerts.startCharging && state_.ChargeAlerted) {
            tray_.ShowBalloonTip(kResumedMessage, kResumedTitle, kBalloonInfo, kAlertTimeOutMs);
            sounds_.PlayAlertSound(kSlotChargingStartsOrStops);
        }
        state_.AlertedLineStatus = 0;
        state_.ChargeAlerted = false;
        break;
    case 1:
        view_.ShowPowerSource(kOnAc);
        if (alerts.startCharging && state_.AlertedLineStatus != 1) {
            tray_.ShowBalloonTip(kStartedMessage, kStartedTitle, kBalloonInfo, kAlertTimeOutMs);
            sounds_.PlayAlertSound(kSlotChargingStartsOrStops);
            state_.AlertedLineStatus = 1;
            state_.ChargeAlerted = true;
        }
        break;
    case 2:
        view_.ShowPowerSource(kUnknownSource);
        break;
    default:
        break;
    }
}

void PowerCycle::RaiseLevelAlerts(const AlertOptions& alerts, std::int32_t previous, std::int32_t percent) {
    // A user who unticks "Alert me when ..." expects no alert of that kind. A fall that jumps
    // over the critical level (12 -> 8 with 10, common after a resume) must not slip past it.
    if (const std::optional<int> level = alerts.CriticalLevel(); alerts.chargeLow && level) {
        if (*level == percent || (previous > *level && percent < *level)) {
            tray_.ShowBalloonTip(kCriticalMessage, kCriticalTitle, kBalloonError, kAlertTimeOutMs);
            sounds_.PlayAlertSound(kSlotLowCharge);
        }
    }
    if (alerts.endCharging && percent == 100) {
        tray_.ShowBalloonTip(kFullMessage, kFullTitle, kBalloonInfo, kAlertTimeOutMs);
        sounds_.PlayAlertSound(kSlotBatteryFull);
    }
}

} // namespace corvane::app
