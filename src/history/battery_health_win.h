#pragma once
// The batteries' capacity as Windows reports it to any user: each battery device's interface
// opened for reading, its tag asked for, then its BATTERY_INFORMATION and what identifies it.
// setupapi is loaded at the first look, which happens only when the History tab is first shown
// or refreshed.
#include <windows.h>

#include <batclass.h>

#include <functional>
#include <string>
#include <vector>

#include "history/battery_health.h"

namespace corvane::history {

// One battery as its driver answers: its figures, and the strings that identify it (empty where
// the driver does not support the level).
struct BatteryRecord {
    BATTERY_INFORMATION info{};
    std::wstring deviceName, serialNumber, uniqueId, manufacturer;
};
// The batteries in the order the system lists the devices; none on a desktop.
using BatteryQuery = std::function<std::vector<BatteryRecord>()>;
std::vector<BatteryRecord> QueryBatteries();

// Keeps today's figures in BatteryHealth.csv (`csvPath`, read a line at a time) and returns the
// tab's text: each battery's block and the change since its first row, lines ending "\r\n".
std::string ReadBatteryHealth(const std::string& csvPath, const std::string& today,
                              const std::vector<BatteryRecord>& batteries);

} // namespace corvane::history
