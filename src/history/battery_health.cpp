#include "history/battery_health.h"

#include <cstdlib>

#include "base/number.h"

namespace corvane::history {

namespace {

constexpr std::uint32_t kUnknownCapacity = 0xFFFFFFFF; // BATTERY_UNKNOWN_CAPACITY

bool InMwh(const BatteryFigures& f) noexcept { return (f.capabilities & kBatteryCapacityRelative) == 0; }
bool Known(std::uint32_t capacity) noexcept { return capacity != 0 && capacity != kUnknownCapacity; }

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t comma = line.find(','); comma != std::string_view::npos; comma = line.find(',', start)) {
        fields.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
    fields.push_back(line.substr(start));
    return fields;
}

bool IsDate(std::string_view d) {
    if (d.size() != 10 || d[4] != '-' || d[7] != '-') {
        return false;
    }
    for (const std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (d[i] < '0' || d[i] > '9') {
            return false;
        }
    }
    return true;
}

const HealthRow* LastOf(const std::vector<HealthRow>& rows, int battery) {
    const HealthRow* last = nullptr;
    for (const HealthRow& row : rows) {
        if (row.battery == battery) {
            last = &row;
        }
    }
    return last;
}

} // namespace

std::string WithThousands(std::uint64_t value) {
    std::string digits = std::to_string(value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), ",");
    }
    return digits;
}

std::vector<std::string> BatteryLines(const BatteryFigures& f) {
    const bool mwh = InMwh(f);
    std::string design = "Design capacity: ";
    design += mwh && Known(f.designedCapacity) ? WithThousands(f.designedCapacity) + " mWh" : "not reported";
    std::string full = "Full charge capacity: ";
    if (mwh && Known(f.fullChargedCapacity)) {
        full += WithThousands(f.fullChargedCapacity) + " mWh";
        if (Known(f.designedCapacity)) {
            const std::uint64_t percent =
                (static_cast<std::uint64_t>(f.fullChargedCapacity) * 100 + f.designedCapacity / 2) / f.designedCapacity;
            full += " (" + std::to_string(percent) + "% of design)";
        }
    } else {
        full += "not reported";
    }
    const std::string cycles =
        "Charge cycles: " + (f.cycleCount != 0 ? WithThousands(f.cycleCount) : std::string("not reported"));
    return {design, full, cycles};
}

std::vector<std::string> HealthLines(const std::vector<BatteryFigures>& batteries) {
    if (batteries.empty()) {
        return {std::string(kNoBatteryText)};
    }
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < batteries.size(); ++i) {
        if (batteries.size() > 1) {
            lines.push_back("Battery " + std::to_string(i + 1));
        }
        for (std::string& line : BatteryLines(batteries[i])) {
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

std::string HealthRowLine(const HealthRow& row) {
    return row.date + "," + std::to_string(row.battery) + "," + std::to_string(row.designMwh) + "," +
           std::to_string(row.fullMwh) + "," + std::to_string(row.cycles) + "\r\n";
}

std::string_view LineEndBefore(std::string_view text) noexcept {
    return text.empty() || text.back() == '\n' ? std::string_view() : std::string_view("\r\n");
}

std::vector<HealthRow> ReadHealthRows(std::string_view text) {
    std::vector<HealthRow> rows;
    std::size_t start = 0;
    for (std::size_t end = text.find('\n'); end != std::string_view::npos; end = text.find('\n', start)) {
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const std::vector<std::string_view> f = Fields(line);
        if (f.size() != 5 || !IsDate(f[0])) {
            continue;
        }
        const auto battery = Digits(f[1]), design = Digits(f[2]), full = Digits(f[3]), cycles = Digits(f[4]);
        if (battery && *battery >= 1 && *battery <= 64 && design && full && cycles) {
            rows.push_back({std::string(f[0]), static_cast<int>(*battery), *design, *full, *cycles});
        }
    }
    return rows;
}

std::vector<HealthRow> NewHealthRows(const std::vector<HealthRow>& rows, const std::vector<BatteryFigures>& batteries,
                                     const std::string& today) {
    std::vector<HealthRow> added;
    for (std::size_t i = 0; i < batteries.size(); ++i) {
        const BatteryFigures& f = batteries[i];
        if (!InMwh(f) || !Known(f.fullChargedCapacity)) {
            continue;
        }
        const HealthRow row{today, static_cast<int>(i + 1), Known(f.designedCapacity) ? f.designedCapacity : 0,
                            f.fullChargedCapacity, f.cycleCount};
        const HealthRow* last = LastOf(rows, row.battery);
        if (!last || (last->date != today && (last->designMwh != row.designMwh || last->fullMwh != row.fullMwh ||
                                              last->cycles != row.cycles))) {
            added.push_back(row);
        }
    }
    return added;
}

std::string CapacityChangeLine(const std::vector<HealthRow>& rows, const std::vector<BatteryFigures>& batteries,
                               const std::string& today) {
    std::string text;
    for (std::size_t i = 0; i < batteries.size(); ++i) {
        const BatteryFigures& f = batteries[i];
        const int battery = static_cast<int>(i + 1);
        const HealthRow* first = nullptr;
        for (const HealthRow& row : rows) {
            if (row.battery == battery) {
                first = &row;
                break;
            }
        }
        if (!first || first->date == today || first->fullMwh == 0 || !InMwh(f) || !Known(f.fullChargedCapacity)) {
            continue;
        }
        const long long change = static_cast<long long>(f.fullChargedCapacity) - first->fullMwh;
        const long long percent = (std::llabs(change) * 100 + first->fullMwh / 2) / first->fullMwh;
        std::string line = batteries.size() > 1 ? "Battery " + std::to_string(battery) + ": " : "";
        if (percent == 0) {
            line += "Full charge capacity has not changed since " + first->date + ".";
        } else {
            line += std::string("Full charge capacity ") + (change < 0 ? "fell " : "rose ") + std::to_string(percent) +
                    "% since " + first->date + ".";
        }
        text += text.empty() ? line : " " + line;
    }
    return text;
}

} // namespace corvane::history
