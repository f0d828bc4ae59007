#pragma once
// ChargeLog.csv: one row at start and one for each change of the charge or of the power
// source: a week of a laptop's life is a few thousand rows, of a gauge that flickers every tick
// some 300,000. Rows are appended whole, one write each; a row cut by a crash is the last line
// and has no line end, which is how it is recognised. Rows keep the clock's word: a clock set
// back, or another system's clock hours ahead, leaves rows out of time order.
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
// Rows older than this are dropped when the program starts, and once a day while it runs.
inline constexpr UnixTime kChargeLogKeepSeconds = 31 * 86400;
inline constexpr UnixTime kChargeLogPruneSeconds = 86400;
// A row later than now by more than this is from a clock that was wrong (or is wrong now): it is
// not shown and the next prune drops it. The slack spares the rows of a clock set back by a few
// minutes, as time synchronisation does.
inline constexpr UnixTime kFutureSlackSeconds = 5 * 60;

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

// Whether a row is kept at `now`: it is less than 31 days old and not in the future.
bool IsKept(const ChargeRow& row, UnixTime now) noexcept;
// Which lines hold rows kept at `now`: what a prune copies. Times are of one fixed width, so
// text order is time order, and the rows of the month before are passed over unparsed: a log of
// some hundred MB is mostly such rows.
class KeepRule {
public:
    explicit KeepRule(UnixTime now);
    // The row a line holds when it is kept; nothing for the header, a garbled line or an old row.
    std::optional<ChargeRow> Row(std::string_view line) const;
    // Whether a line's time is `time` or before, by its text alone.
    static bool TextAtOrBefore(std::string_view line, std::string_view time) noexcept {
        return line.size() > time.size() && line[time.size()] == ',' && line.compare(0, time.size(), time) <= 0;
    }

private:
    UnixTime now_;
    std::string oldest_; // the time of the newest row dropped for its age
};

// The check at start of a log read line by line, a piece of the file at a time: whether it must
// be written anew, because it holds rows to drop or lines that do not parse, lacks its header,
// or ends in a cut line (the next row appended would otherwise be glued to it).
class LogCheck {
public:
    explicit LogCheck(UnixTime now) : keep_(now) {}
    // Each complete line, without its line end: whether it is a row to keep.
    bool Line(std::string_view line);
    bool NeedsRewrite(bool endsInCutLine) const noexcept { return bad_ || endsInCutLine; }

private:
    KeepRule keep_;
    bool first_ = true;
    bool bad_ = false;
};
// The same check of a whole log's text.
bool NeedsRewrite(std::string_view text, UnixTime now);
// A whole log: the header line and the rows.
std::string ChargeLogText(const std::vector<ChargeRow>& rows);

// When a row that could not be written is tried again: at the next change, or at a tick a
// minute after the last try. After kPauseAfterFailures failures in a row logging is paused:
// then it is tried once a minute only, until a write succeeds.
class AppendRetry {
public:
    static constexpr int kPauseAfterFailures = 3;
    static constexpr UnixTime kRetrySeconds = 60;

    // Whether a row waiting to be written is tried now: `changed` when this reading made a row.
    bool Due(UnixTime now, bool changed) const noexcept;
    void Failed(UnixTime now) noexcept {
        ++failures_;
        lastTry_ = now;
    }
    void Succeeded() noexcept { failures_ = 0; }
    bool Paused() const noexcept { return failures_ >= kPauseAfterFailures; }

private:
    int failures_ = 0;
    UnixTime lastTry_ = 0;
};

} // namespace corvane::history
