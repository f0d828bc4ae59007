#include "app/charge_log.h"


namespace corvane::app {

namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) noexcept { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

std::optional<int> Digits(std::string_view text, std::size_t at, std::size_t count) {
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (i >= text.size() || text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
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

std::int64_t DaysFromCivil(int year, int month, int day) noexcept {
    const std::int64_t y = static_cast<std::int64_t>(year) - (month <= 2);
    const std::int64_t era = FloorDiv(y, 400);
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CivilTime CivilFromSeconds(std::int64_t seconds) noexcept {
    const std::int64_t days = FloorDiv(seconds, 86400);
    const std::int64_t secs = seconds - days * 86400;
    const std::int64_t z = days + 719468;
    const std::int64_t era = FloorDiv(z, 146097);
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int year = static_cast<int>(yoe + era * 400 + (month <= 2));
    const int weekday = static_cast<int>(((days + 4) % 7 + 7) % 7); // 1970-01-01 was a Thursday
    return {year, month, day, static_cast<int>(secs / 3600), static_cast<int>(secs / 60 % 60),
            static_cast<int>(secs % 60), weekday};
}

std::string ZeroPadded(long long value, int width) {
    std::string digits = std::to_string(value);
    return std::string(digits.size() < static_cast<std::size_t>(width) ? width - digits.size() : 0, '0') + digits;
}

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
    const auto year = Digits(text, 0, 4), month = Digits(text, 5, 2), day = Digits(text, 8, 2);
    const auto hour = Digits(text, 11, 2), minute = Digits(text, 14, 2), second = Digits(text, 17, 2);
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
    const auto percent = Digits(percentText, 0, percentText.size());
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

} // namespace corvane::app
