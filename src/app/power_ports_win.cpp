#include "app/power_ports_win.h"

#include <windows.h>

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

} // namespace corvane::app
