#include "app/power_ports_win.h"

#include <windows.h>

#include "base/system_calls_win.h"

namespace corvane::app {

bool SystemPowerSource::Read(PowerStatus& status) {
    SYSTEM_POWER_STATUS s{};
    if (!::GetSystemPowerStatus(&s)) {
        return false;
    }
    status.ACLineStatus = s.ACLineStatus;
    status.BatteryFlag = s.BatteryFlag;
    status.BatteryLifePercent = s.BatteryLifePercent;
    // The fourth byte's name differs between SDKs.
    status.Reserved1 = reinterpret_cast<const unsigned char*>(&s)[3];
    status.BatteryLifeTime = s.BatteryLifeTime;
    status.BatteryFullLifeTime = s.BatteryFullLifeTime;
    return true;
}

std::optional<BatteryState> SystemPowerSource::ReadBattery() {
    // The power manager's cached state: no driver is asked, so it is cheap enough for a tick.
    SYSTEM_BATTERY_STATE s{};
    if (sys::CallNtPowerInformation(SystemBatteryState, nullptr, 0, &s, sizeof s) != 0) {
        return std::nullopt;
    }
    BatteryState b;
    b.acOnLine = s.AcOnLine != 0;
    b.present = s.BatteryPresent != 0;
    b.charging = s.Charging != 0;
    b.discharging = s.Discharging != 0;
    b.rateMw = static_cast<std::int32_t>(s.Rate); // a DWORD that the system means as signed
    b.remainingMwh = s.RemainingCapacity;
    b.fullMwh = s.MaxCapacity;
    return b;
}

} // namespace corvane::app
