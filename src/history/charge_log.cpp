#include "history/charge_log.h"

namespace corvane::history {

namespace {

// The `count` digits at `at`, nothing else.
std::optional<int> Field(std::string_view text, std::size_t at, std::size_t count) {
    if (at + count > text.size()) {
        return std::nullopt;
    }
    const std::optional<std::uint32_t> value = Digits(text.substr(at, count));
    return value ? std::optional<int>(static_cast<int>(*value)) : std::nullopt;
}

std::vector<std::string_view> CompleteLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t end = text.find('\n'); end != std::string_view::npos; end = text.find('\n', start)) {
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

} // namespace

std::string FormatUtcTime(UnixTime time) {
    const CivilTime c = CivilFromSeconds(time);
    return ZeroPadded(c.year, 4) + "-" + ZeroPadded(c.month, 2) + "-" + ZeroPadded(c.day, 2) + "T" +
           ZeroPadded(c.hour, 2) + ":" + ZeroPadded(c.minute, 2) + ":" + ZeroPadded(c.second, 2) + "Z";
}

std::optional<UnixTime> ParseUtcTime(std::string_view text) {
    if (text.size() != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
        text[16] != ':' || text[19] != 'Z') {
        return std::nullopt;
    }
    const auto year = Field(text, 0, 4), month = Field(text, 5, 2), day = Field(text, 8, 2);
    const auto hour = Field(text, 11, 2), minute = Field(text, 14, 2), second = Field(text, 17, 2);
    if (!year || !month || !day || !hour || !minute || !second || *month < 1 || *month > 12 || *day < 1 ||
        *day > 31 || *hour > 23 || *minute > 59 || *second > 59) {
        return std::nullopt;
    }
    const UnixTime time = DaysFromCivil(*year, *month, *day) * 86400 + *hour * 3600 + *minute * 60 + *second;
    // A day that the month does not have (2026-02-30) comes back as another date.
    if (CivilFromSeconds(time).day != *day) {
        return std::nullopt;
    }
    return time;
}

std::string ChargeRowLine(const ChargeRow& row) {
    return FormatUtcTime(row.time) + "," + std::to_string(row.percent) + "," + (row.ac ? "1" : "0") + "\r\n";
}

std::optional<ChargeRow> ParseChargeRow(std::string_view line) {
    const std::size_t comma1 = line.find(',');
    if (comma1 == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t comma2 = line.find(',', comma1 + 1);
    if (comma2 == std::string_view::npos) {
        return std::nullopt;
    }
    const auto time = ParseUtcTime(line.substr(0, comma1));
    const std::string_view percentText = line.substr(comma1 + 1, comma2 - comma1 - 1);
    const std::string_view acText = line.substr(comma2 + 1);
    if (!time || percentText.empty() || percentText.size() > 3 || (acText != "0" && acText != "1")) {
        return std::nullopt;
    }
    const auto percent = Field(percentText, 0, percentText.size());
    if (!percent || *percent > 100) {
        return std::nullopt;
    }
    return ChargeRow{*time, *percent, acText == "1"};
}

std::vector<ChargeRow> ReadChargeRows(std::string_view text) {
    std::vector<ChargeRow> rows;
    for (const std::string_view line : CompleteLines(text)) {
        if (const auto row = ParseChargeRow(line)) {
            rows.push_back(*row);
        }
    }
    return rows;
}

bool MakesRow(const std::optional<ChargeRow>& last, int percent, bool ac) {
    if (percent < 0 || percent > 100) {
        return false;
    }
    return !last || last->percent != percent || last->ac != ac;
}

bool IsKept(const ChargeRow& row, UnixTime now) noexcept { return row.time > now - kChargeLogKeepSeconds; }

std::optional<ChargeRow> KeptRow(std::string_view line, UnixTime now) {
    std::optional<ChargeRow> row = ParseChargeRow(line);
    if (row && !IsKept(*row, now)) {
        row.reset();
    }
    return row;
}

void LogCheck::Line(std::string_view line) {
    bad_ = bad_ || (first_ ? line != kChargeLogHeader : !KeptRow(line, now_));
    first_ = false;
}

bool NeedsRewrite(std::string_view text, UnixTime now) {
    LogCheck check(now);
    for (const std::string_view line : CompleteLines(text)) {
        check.Line(line);
    }
    return check.NeedsRewrite(!text.empty() && text.back() != '\n');
}

std::string ChargeLogText(const std::vector<ChargeRow>& rows) {
    std::string text(kChargeLogHeader);
    text += "\r\n";
    for (const ChargeRow& row : rows) {
        text += ChargeRowLine(row);
    }
    return text;
}

} // namespace corvane::history
