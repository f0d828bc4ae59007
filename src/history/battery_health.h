#pragma once
// The battery's wear in words, from the figures each battery reports (the fields of Windows'
// BATTERY_INFORMATION that matter here), and BatteryHealth.csv, which keeps one row per battery
// per day on which its figures changed, so the tab can say how much capacity was lost since.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::history {

struct BatteryFigures {
    std::uint32_t capabilities = 0;
    std::uint32_t designedCapacity = 0;    // mWh, or relative units (see kBatteryCapacityRelative)
    std::uint32_t fullChargedCapacity = 0; // the same unit
    std::uint32_t cycleCount = 0;          // 0: not reported
};

// BATTERY_CAPACITY_RELATIVE: the capacities are not in mWh and mean nothing to a person.
inline constexpr std::uint32_t kBatteryCapacityRelative = 0x40000000;

inline constexpr std::string_view kBatteryHealthHeader = "date,battery,design_mwh,full_mwh,cycles";
inline constexpr std::string_view kBatteryHealthName = "BatteryHealth.csv";
inline constexpr std::string_view kNoBatteryText = "This computer does not report its battery's capacity.";

// "57,000"
std::string WithThousands(std::uint64_t value);

// The block of one battery: "Design capacity: 57,000 mWh", "Full charge capacity: 49,800 mWh
// (87% of design)", "Charge cycles: 312", a figure that is not known saying "not reported".
std::vector<std::string> BatteryLines(const BatteryFigures& figures);
// Every battery's block, headed "Battery 1", "Battery 2" where there are several; the no-battery
// sentence where there is none.
std::vector<std::string> HealthLines(const std::vector<BatteryFigures>& batteries);

struct HealthRow {
    std::string date; // "2026-06-02", the local date
    int battery = 1;  // 1 for the first battery found
    std::uint32_t designMwh = 0, fullMwh = 0, cycles = 0;
    friend bool operator==(const HealthRow&, const HealthRow&) = default;
};

std::string HealthRowLine(const HealthRow& row);
// Complete, well-formed lines only, as with the charge log.
std::vector<HealthRow> ReadHealthRows(std::string_view text);
// What goes before the first row appended to a file holding `text`: a line end when its last
// line was cut, so that the row starts a line of its own instead of completing the cut one.
std::string_view LineEndBefore(std::string_view text) noexcept;
// The rows today's figures add: one for each battery in mWh whose figures differ from its last
// row, unless that row is already today's.
std::vector<HealthRow> NewHealthRows(const std::vector<HealthRow>& rows, const std::vector<BatteryFigures>& batteries,
                                     const std::string& today);
// "Full charge capacity fell 4% since 2026-06-02." against the battery's first row; empty when
// that row is today's or there is none. With several batteries, "Battery 2: " comes first.
std::string CapacityChangeLine(const std::vector<HealthRow>& rows, const std::vector<BatteryFigures>& batteries,
                               const std::string& today);

} // namespace corvane::history
