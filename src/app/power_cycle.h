#pragma once
// The power-status cycle: every tick's reading is shown, the time left estimated from how long
// the charge level took to move by its last step, and the alerts raised. The cycle talks to
// the world only through the small ports below, so it runs anywhere.
#include <cstdint>
#include <string>
#include <string_view>

#include <optional>

#include "app/reading.h"
#include "app/user_options.h"
#include "base/number.h"

namespace corvane::app {

// What the user sees of a run on the main window; how the controls show it is the window's.
class CycleView {
public:
    virtual ~CycleView() = default;
    // The charge level: the bar's value and the percent beside it ("57%").
    virtual void ShowCharge(std::int32_t barValue, std::string_view percentText) = 0;
    virtual void ShowPowerSource(std::string_view text) = 0;
    virtual void ShowTimeLeft(std::string_view text) = 0;
    // The modal "could not read the power status" box; returns when the user closes it.
    virtual void ShowPowerStatusError() = 0;
};

class TrayPort {
public:
    virtual ~TrayPort() = default;
    virtual void SetToolTip(std::string_view tip) = 0;
    virtual void ShowBalloonTip(std::string_view message, std::string_view title, std::int32_t icon,
                                std::int32_t timeOutMs) = 0;
};

class SoundPort {
public:
    virtual ~SoundPort() = default;
    virtual void PlayAlertSound(int slot) = 0;
};

inline constexpr std::int32_t kBalloonInfo = 1;
inline constexpr std::int32_t kBalloonError = 3;
inline constexpr std::int32_t kAlertTimeOutMs = 2000;

enum SoundSlot : int { kSlotChargingStartsOrStops = 0, kSlotBatteryFull = 1, kSlotLowCharge = 2 };

inline constexpr std::string_view kUnknownDuration = "-unknown-";
// lblTime's caption while no step has been measured yet.
inline constexpr std::string_view kCalculatingText = "(calculating ... please wait)";
inline constexpr std::string_view kPowerErrorText =
    "Sorry, but there was some error while reading the Power Status at Battery Interface.";
inline constexpr std::string_view kPowerErrorTitle = "Error in reading Battery Power Status.";

// The state kept between runs; program-wide, all zero at start.
struct CycleState {
    std::int32_t LastPercent = 0;
    std::int32_t LastChangeTime = 0;
    std::int32_t CurrentTime = 0;
    std::int32_t EstimatedSeconds = 0;
    std::int16_t AlertedLineStatus = 0;
    bool ChargeAlerted = false;
    // The monotonic reading taken with LastChangeTime; the step's length is measured on it.
    std::int64_t LastChangeMonotonicMs = 0;
};

// hour * 3600 + minute * 60 + second.
std::int32_t SecondsOfDay(int hour, int minute, int second) noexcept;

// "H Hour(s), M Minutes, S Seconds." (the hour part only when H > 0), or "-unknown-" when
// the arithmetic would overflow 32 bits.
std::string FormatDuration(std::int32_t seconds);

class PowerCycle {
public:
    PowerCycle(CycleView& view, TrayPort& tray, SoundPort& sounds) noexcept
        : view_(view), tray_(tray), sounds_(sounds) {}

    // One tick's reading (none when the power status could not be read), alerting by the
    // options as they are now; a tick that arrives while this one waits in a box is skipped.
    void RefreshPowerStatus(const std::optional<Reading>& reading, const AlertOptions& alerts);

    // Start-up clears the baseline just before the first run.
    void ClearBaseline() noexcept { state_.LastPercent = -1; }
    // The machine has slept: the time since the last change was not spent draining or charging
    // at the rate the next step would suggest, so the next known reading starts a new baseline.
    void Resumed() noexcept { rebasePending_ = true; }

    CycleState& State() noexcept { return state_; }
    const CycleState& State() const noexcept { return state_; }

private:
    void Refresh(const Reading& reading, const AlertOptions& alerts);
    void ShowPowerSource(const AlertOptions& alerts);
    void TakeBaseline(const Reading& reading, std::int32_t percent);
    void RaiseLevelAlerts(const AlertOptions& alerts, std::int32_t previous, std::int32_t percent);

    CycleView& view_;
    TrayPort& tray_;
    SoundPort& sounds_;
    PowerStatus status_{};
    CycleState state_{};
    // Ticks keep arriving while any box a tick opened is open (the read error, a sound file's
    // lookup error): a tick that starts inside another would stack boxes and repeat alerts.
    bool refreshing_ = false;
    bool rebasePending_ = false;
};

} // namespace corvane::app
