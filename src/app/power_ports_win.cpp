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

std::int32_t SystemClock::SecondsOfDay() {
    // One reading: hour, minute and second of the same instant, even at a minute's turn.
    SYSTEMTIME t{};
    ::GetLocalTime(&t);
    if (t.wHour > 23 || t.wMinute > 59 || t.wSecond > 59) {
        return kUnknownTime;
    }
    return app::SecondsOfDay(t.wHour, t.wMinute, t.wSecond);
}

std::int64_t SystemClock::MonotonicMilliseconds() {
    // Time asleep does not count: whether a tick or the resume broadcast comes first after a
    // sleep, the hours asleep never become one step of the estimate.
    ULONGLONG hundredsOfNs = 0;
    if (!::QueryUnbiasedInterruptTime(&hundredsOfNs)) {
        return static_cast<std::int64_t>(::GetTickCount64());
    }
    return static_cast<std::int64_t>(hundredsOfNs / 10000);
}

} // namespace corvane::app
