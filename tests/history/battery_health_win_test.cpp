#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "history/battery_health_win.h"
#include "support/dialog_driver_win.h"

namespace corvane::history {
namespace {

BatteryRecord Battery(ULONG capabilities, ULONG design, ULONG full, ULONG cycles, std::wstring uniqueId = L"") {
    BatteryRecord record;
    record.info.Capabilities = capabilities;
    record.info.DesignedCapacity = design;
    record.info.FullChargedCapacity = full;
    record.info.CycleCount = cycles;
    record.uniqueId = std::move(uniqueId);
    return record;
}

TEST(BatteryHealthFile, TwoBatteriesInWordsAndTheirDailyRow) {
    test::TempDir folder;
    const std::string csv = folder.File("BatteryHealth.csv");
    // A file from before keys: the battery numbered by its place.
    test::WriteWholeFile(csv, std::string(kBatteryHealthHeader) + "\r\n2026-06-02,1,57000,51900,120\r\n");
    const std::vector<BatteryRecord> batteries{Battery(BATTERY_SYSTEM_BATTERY, 57000, 49800, 312, L"SMP5B10W1"),
                                               Battery(BATTERY_CAPACITY_RELATIVE, 100, 90, 0)};
    const std::string expected =
        "Battery 1\r\nDesign capacity: 57,000 mWh\r\nFull charge capacity: 49,800 mWh (87% of design)\r\n"
        "Charge cycles: 312\r\nBattery 2\r\nDesign capacity: not reported\r\nFull charge capacity: not reported\r\n"
        "Charge cycles: not reported\r\nBattery 1: Full charge capacity fell 4% since 2026-06-02.\r\n";
    EXPECT_EQ(ReadBatteryHealth(csv, "2026-12-08", batteries), expected);
    EXPECT_EQ(ReadBatteryHealth(csv, "2026-12-08", batteries), expected); // the same day: no second row
    EXPECT_EQ(test::ReadWholeFile(csv), std::string(kBatteryHealthHeader) +
                                            "\r\n2026-06-02,1,57000,51900,120\r\n2026-12-08,SMP5B10W1,57000,49800,312\r\n");
}

} // namespace
} // namespace corvane::history
