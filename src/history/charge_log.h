#pragma once
// ChargeLog.csv: one row at start and one for each change of the charge or of the power
// source, so a week of a laptop's life is a few thousand rows. Rows are appended whole, one write
// each; a row cut by a crash is the last line and has no line end, which is how it is recognised.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/civil_time.h"
#include "base/number.h"

namespace corvane::history {

struct ChargeRow {
    UnixTime time = 0;
    int percent = 0; // 0..100
    bool ac = false;

    friend bool operator==(const ChargeRow&, const ChargeRow&) = default;
};

inline constexpr std::string_view kChargeLogHeader = "time,percent,ac";
inline constexpr std::string_view kChargeLogName = "ChargeLog.csv";
// Rows older than this are dropped when the program starts.
inline constexpr UnixTime kChargeLogKeepSeconds = 31 * 86400;

// "2026-12-08T18:20:05Z"; ParseUtcTime accepts exactly that form.
std::string FormatUtcTime(UnixTime time);
std::optional<UnixTime> ParseUtcTime(std::string_view text);

// "2026-12-08T18:20:05Z,57,0" and its line end.
std::string ChargeRowLine(const ChargeRow& row);
// One line without its line end; nothing for the header or a garbled line.
std::optional<ChargeRow> ParseChargeRow(std::string_view line);
// The rows of a whole log. Only lines that end in a line feed count: the text after the last
// one is a row cut short, even when what is left of it happens to parse.
std::vector<ChargeRow> ReadChargeRows(std::string_view text);

// Whether a reading makes a row after `last` (the row written last by this run, none at start):
// the first known reading does, and then only a change of percent or power source. A percent
// above 100 is the system's "unknown" (255) and never does.
bool MakesRow(const std::optional<ChargeRow>& last, int percent, bool ac);

// Whether a row is kept at `now`: it is less than 31 days old.
bool IsKept(const ChargeRow& row, UnixTime now) noexcept;
// The row a line holds when it is still kept at `now`; nothing for the header, a garbled line
// or an old row. What a rewrite at start copies.
std::optional<ChargeRow> KeptRow(std::string_view line, UnixTime now);

// The check at start of a log read line by line, a piece of the file at a time: whether it must
// be written anew, because it holds rows to drop or lines that do not parse, lacks its header,
// or ends in a cut line (the next row appended would otherwise be glued to it).
class LogCheck {
public:
    explicit LogCheck(UnixTime now) noexcept : now_(now) {}
    // Each complete line, without its line end.
    void Line(std::string_view line);
    bool NeedsRewrite(bool endsInCutLine) const noexcept { return bad_ || endsInCutLine; }

private:
    UnixTime now_;
    bool first_ = true;
    bool bad_ = false;
};
// The same check of a whole log's text.
bool NeedsRewrite(std::string_view text, UnixTime now);
// A whole log: the header line and the rows.
std::string ChargeLogText(const std::vector<ChargeRow>& rows);

} // namespace corvane::history
