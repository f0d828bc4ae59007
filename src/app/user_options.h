#pragma once
// The user's choices as one value. The main window owns it: a control's handler updates it
// and then applies it, the settings file keeps it between runs, and each run of the power
// cycle is handed the alert options it needs.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/sounds.h"
#include "base/number.h"

namespace corvane::app {

// The critical level of the box's text, read as the cycle has always read it (its leading
// number; an empty box is 0), when it is a charge the battery can reach. The critical alert,
// the tray icon's warning colour and the chart's dashed line all go by it: none can warn of a
// level at which another never would.
inline std::optional<int> CriticalLevelOf(std::string_view chargeAlertText) noexcept {
    const std::int64_t level = LeadingNumber(chargeAlertText);
    return level >= 0 && level <= 100 ? std::optional<int>(static_cast<int>(level)) : std::nullopt;
}

// What one run of the power cycle alerts by.
struct AlertOptions {
    bool startCharging = false;      // charging starts or stops
    bool endCharging = true;         // the battery is full
    bool chargeLow = true;           // the charge reaches the critical level
    std::string chargeAlertText = "10"; // the critical level, as typed

    std::optional<int> CriticalLevel() const noexcept { return CriticalLevelOf(chargeAlertText); }
};

// Starts as the controls are designed; start-up loads the stored choices over it.
struct UserOptions {
    bool startChargingAlert = false; // chkStartCharging
    bool endChargingAlert = true;    // chkEndCharging
    bool chargeLowAlert = true;      // chkChargeLow
    std::string chargeAlertText = "10"; // txtChargeAlert
    std::array<std::string, sounds::kSlotCount> soundFiles; // each slot's full path, empty for none
    bool onTop = false;   // chkOnTop
    bool startup = false; // chkStartup
    // The bar colour's entry in the colour menu; none until one was chosen or loaded.
    std::optional<std::int32_t> barColour;
    bool trayCharge = false; // chkTrayCharge: the charge drawn in the tray icon
    bool careOn = false;     // chkCareOn: the battery care reminder
    std::int32_t careLevel = 80; // txtCareVal's last accepted level

    AlertOptions Alerts() const { return {startChargingAlert, endChargingAlert, chargeLowAlert, chargeAlertText}; }
    bool operator==(const UserOptions&) const = default;
};

} // namespace corvane::app
