#pragma once
// The battery's wear in words, from the figures each battery reports (the fields of Windows'
// BATTERY_INFORMATION that matter here), and BatteryHealth.csv, which keeps one row per battery
// per day on which its figures changed, so the tab can say how much capacity was lost since.
// Each battery is known there by what identifies it, not by its place in the system's list:
// with one of two batteries removed, the other's figures stay its own.
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
    std::string key;                       // how BatteryHealth.csv knows it (BatteryKeys)
};

// What the driver says a battery is; any of it may be missing (drivers answer what they do
// not support with an error).
struct BatteryIdentity {
    std::string uniqueId, manufacturer, name, serial;
};
// The keys of the batteries in the system's order: the unique ID, else the maker, name and
// serial number ("SMP DELL 7FHHV/1234"), else (no serial number: two of a model would be one)
// the place in the list ("2", what files before keys held). Made one CSV field: commas, quotes
// and control characters become '_'.
std::vector<std::string> BatteryKeys(const std::vector<BatteryIdentity>& batteries);

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
    std::string date;    // "2026-06-02", the local date
    std::string battery; // the battery's key
    std::uint32_t designMwh = 0, fullMwh = 0, cycles = 0;
    friend bool operator==(const HealthRow&, const HealthRow&) = default;
};

std::string HealthRowLine(const HealthRow& row);
// One line without its line end; nothing for the header or a garbled line.
std::optional<HealthRow> ParseHealthRow(std::string_view line);

// What the file says of each battery, read line by line: its first row and its last, all that
// the tab needs, so a file of any length takes the same memory.
class HealthHistory {
public:
    // Batteries beyond this many keys in one file are garbage and ignored.
    static constexpr std::size_t kMostBatteries = 64;

    void Line(std::string_view line);
    void Add(const HealthRow& row);

    struct Rows {
        const HealthRow* first = nullptr;
        const HealthRow* last = nullptr;
    };
    // The rows of the battery at `place` (0 for the first in the list); `last` only of its own.
    // A battery with a key also takes the rows a file before keys numbered as it was then.
    Rows Of(const BatteryFigures& battery, std::size_t place) const;

private:
    struct Battery {
        HealthRow first, last;
    };
    const Battery* Find(std::string_view key) const;

    std::vector<Battery> batteries_; // in the order of their first rows
};
// The same of a whole text.
HealthHistory ReadHealthHistory(std::string_view text);

// The rows today's figures add: one for each battery in mWh whose figures differ from its last
// row, unless that row is already today's.
std::vector<HealthRow> NewHealthRows(const HealthHistory& history, const std::vector<BatteryFigures>& batteries,
                                     const std::string& today);
// "Full charge capacity fell 4% since 2026-06-02." against the battery's first row; empty when
// that row is today's or there is none. With several batteries, "Battery 2: " comes first.
std::string CapacityChangeLine(const HealthHistory& history, const std::vector<BatteryFigures>& batteries,
                               const std::string& today);

} // namespace corvane::history
