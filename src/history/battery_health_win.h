#pragma once
// The batteries' capacity as Windows reports it to any user: each battery device's interface
// opened for reading, its tag asked for, then its BATTERY_INFORMATION. setupapi is loaded at
// the first look, which happens only when the History tab is first shown or refreshed.
#include <windows.h>

#include <batclass.h>

#include <functional>
#include <string>
#include <vector>

#include "history/battery_health.h"
#include "history/charge_log.h"

namespace corvane::history {

BatteryFigures FiguresOf(const BATTERY_INFORMATION& info) noexcept;

// Every battery's record, in the order the system lists the devices; none on a desktop.
std::vector<BATTERY_INFORMATION> QueryBatteryInformation();

// While alive, QueryBatteryInformation answers with `records` instead of asking the devices
// (Wine has no battery device).
class BatteryInformationOverride {
public:
    explicit BatteryInformationOverride(std::vector<BATTERY_INFORMATION> records);
    BatteryInformationOverride(const BatteryInformationOverride&) = delete;
    BatteryInformationOverride& operator=(const BatteryInformationOverride&) = delete;
    ~BatteryInformationOverride();

    const std::vector<BATTERY_INFORMATION>& Records() const noexcept { return records_; }

private:
    std::vector<BATTERY_INFORMATION> records_;
    BatteryInformationOverride* previous_;
};

// Asks the batteries, keeps today's figures in BatteryHealth.csv (`csvPath`) and returns the
// tab's text: each battery's block and the change since the first row, lines ending "\r\n".
std::string ReadBatteryHealth(const std::string& csvPath, UnixTime now);

} // namespace corvane::history
