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

bool IsPlace(std::string_view key) noexcept { return Digits(key).has_value(); }

// One CSV field of printable characters, at most 64 of them.
std::string FieldText(std::string_view text) {
    std::string field;
    for (const char c : text.substr(0, 64)) {
        const auto u = static_cast<unsigned char>(c);
        field += u < 0x20 || u == 0x7F || c == ',' || c == '"' ? '_' : c;
    }
    return field;
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

std::vector<std::string> BatteryKeys(const std::vector<BatteryIdentity>& batteries) {
    std::vector<std::string> keys;
    for (std::size_t i = 0; i < batteries.size(); ++i) {
        const BatteryIdentity& b = batteries[i];
        std::string key = FieldText(b.uniqueId);
        if (key.empty() && !b.serial.empty()) {
            key = FieldText((b.manufacturer.empty() ? b.name : b.manufacturer + " " + b.name) + "/" + b.serial);
        }
        // A key of digits alone would read as a place.
        keys.push_back(key.empty() ? std::to_string(i + 1) : IsPlace(key) ? "#" + key : key);
    }
    return keys;
}

std::string HealthRowLine(const HealthRow& row) {
    return row.date + "," + row.battery + "," + std::to_string(row.designMwh) + "," + std::to_string(row.fullMwh) +
           "," + std::to_string(row.cycles) + "\r\n";
}

std::optional<HealthRow> ParseHealthRow(std::string_view line) {
    const std::vector<std::string_view> f = Fields(line);
    if (f.size() != 5 || !IsDate(f[0]) || f[1].empty() || f[1].size() > 80) {
        return std::nullopt;
    }
    const auto design = Digits(f[2]), full = Digits(f[3]), cycles = Digits(f[4]);
    if (!design || !full || !cycles) {
        return std::nullopt;
    }
    // Files before keys numbered the batteries 1 to 64.
    const auto place = Digits(f[1]);
    if (place && (*place < 1 || *place > 64 || f[1][0] == '0')) {
        return std::nullopt;
    }
    return HealthRow{std::string(f[0]), std::string(f[1]), *design, *full, *cycles};
}

void HealthHistory::Line(std::string_view line) {
    if (const std::optional<HealthRow> row = ParseHealthRow(line)) {
        Add(*row);
    }
}

void HealthHistory::Add(const HealthRow& row) {
    for (Battery& b : batteries_) {
        if (b.first.battery == row.battery) {
            b.last = row;
            return;
        }
    }
    if (batteries_.size() < kMostBatteries) {
        batteries_.push_back({row, row});
    }
}

const HealthHistory::Battery* HealthHistory::Find(std::string_view key) const {
    for (const Battery& b : batteries_) {
        if (b.first.battery == key) {
            return &b;
        }
    }
    return nullptr;
}

HealthHistory::Rows HealthHistory::Of(const BatteryFigures& battery, std::size_t place) const {
    const Battery* own = Find(battery.key);
    if (IsPlace(battery.key)) {
        return own ? Rows{&own->first, &own->last} : Rows{};
    }
    if (!own) {
        const Battery* old = Find(std::to_string(place + 1));
        return {old ? &old->first : nullptr, nullptr};
    }
    // The day keys came, every battery wrote its first keyed row, in the order of their places
    // then: the n-th key to appear took over the rows numbered n.
    std::size_t order = 1;
    for (const Battery* b = batteries_.data(); b != own; ++b) {
        order += IsPlace(b->first.battery) ? 0 : 1;
    }
    const Battery* old = Find(std::to_string(order));
    return {old && old < own ? &old->first : &own->first, &own->last};
}

std::vector<HealthRow> NewHealthRows(const HealthHistory& history, const std::vector<BatteryFigures>& batteries,
                                     const std::string& today) {
    std::vector<HealthRow> added;
    for (std::size_t i = 0; i < batteries.size(); ++i) {
        const BatteryFigures& f = batteries[i];
        if (!InMwh(f) || !Known(f.fullChargedCapacity)) {
            continue;
        }
        const HealthRow row{today, f.key, Known(f.designedCapacity) ? f.designedCapacity : 0, f.fullChargedCapacity,
                            f.cycleCount};
        // With no row of its own yet a battery writes one, though an older file's row may match.
        const HealthRow* last = history.Of(f, i).last;
        if (!last || (last->date != today && (last->designMwh != row.designMwh || last->fullMwh != row.fullMwh ||
                                              last->cycles != row.cycles))) {
            added.push_back(row);
        }
    }
    return added;
}

std::string CapacityChangeLine(const HealthHistory& history, const std::vector<BatteryFigures>& batteries,
                               const std::string& today) {
    std::string text;
    for (std::size_t i = 0; i < batteries.size(); ++i) {
        const BatteryFigures& f = batteries[i];
        const HealthRow* first = history.Of(f, i).first;
        if (!first || first->date == today || first->fullMwh == 0 || !InMwh(f) || !Known(f.fullChargedCapacity)) {
            continue;
        }
        const long long change = static_cast<long long>(f.fullChargedCapacity) - first->fullMwh;
        const long long percent = (std::llabs(change) * 100 + first->fullMwh / 2) / first->fullMwh;
        std::string line = batteries.size() > 1 ? "Battery " + std::to_string(i + 1) + ": " : "";
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
