#pragma once
// The History tab's chart and sentence, decided without Windows: which rows are kept for it,
// where each row lands in the plot, which spans were on AC power, where the hour or day marks
// fall in local time, and the sentence that says in words what the chart shows.
//
// Rows come in the log's order, which is time order only while the clock behaved: a row earlier
// than the one before it starts a new run, drawn as a line of its own; a row later than now
// (past kFutureSlackSeconds) is not shown.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/geometry.h"
#include "history/charge_log.h"

namespace corvane::history {

enum class ChartRange { Day, Week };

// "Last 24 hours", "Last 7 days".
const char* ChartRangeName(ChartRange range) noexcept;
UnixTime ChartRangeSeconds(ChartRange range) noexcept;

struct ChartPoint {
    int x = 0, y = 0;
    friend bool operator==(const ChartPoint&, const ChartPoint&) = default;
};
// Lines drawn one after another: counts[i] points of `points` for the i-th, as PolyPolyline takes them.
struct ChartLines {
    std::vector<ChartPoint> points;
    std::vector<unsigned long> counts;
    friend bool operator==(const ChartLines&, const ChartLines&) = default;
};
struct ChartSpan {
    int left = 0, right = 0;
    friend bool operator==(const ChartSpan&, const ChartSpan&) = default;
};
struct ChartMark {
    int x = 0;
    std::string label; // empty for a mark without a label
    friend bool operator==(const ChartMark&, const ChartMark&) = default;
};

// Seconds to add to a UTC time to get the local time at that moment (DST included).
using UtcToLocalOffset = std::function<std::int64_t(UnixTime)>;

// The rows the tab keeps for its longest range, however large the log: within each minute of a
// run, the first row, the lowest, the highest, the first on the other power source and the last
// (at most 5 a minute, some 50,000 for the week). Every pixel column spans a minute or more at
// any DPI the tab is drawn at, so the picture is the same; the lowest and its time are too. A
// power source that came and went more than once within one minute counts as once.
class ChartRows {
public:
    static constexpr UnixTime kGroupSeconds = 60;
    // Room for the week and its rows reduced; past it (a clock stepping back at every row) the
    // oldest go.
    static constexpr std::size_t kMostRows = 7 * 1440 * 5 + 4096;

    // A row of the log, in the log's order, or a reading of this run.
    void Add(const ChargeRow& row, UnixTime now);
    const std::vector<ChargeRow>& Rows() const noexcept { return rows_; }
    std::optional<ChargeRow> Last() const { return rows_.empty() ? std::nullopt : std::optional<ChargeRow>(rows_.back()); }

private:
    void Merge();
    void Trim(UnixTime now);

    std::vector<ChargeRow> rows_;
    std::size_t group_ = 0; // where the rows of the last row's minute begin
    std::size_t trimAt_ = 4096;
};

// A percent holds until the next row of its run, so the line is drawn in steps: the level
// before the range starts at the left edge, and the last run's last level runs on to `now` at
// the right edge. Within a pixel column only the turning points are given.
ChartLines ChartPoints(const std::vector<ChargeRow>& rows, ChartRange range, Rect plot, UnixTime now);
// The height of a percent in the plot.
int ChartY(int percent, Rect plot) noexcept;
// The stretches of the range spent on AC power, as x ranges of the plot, joined where they touch.
std::vector<ChartSpan> AcSpans(const std::vector<ChargeRow>& rows, ChartRange range, Rect plot, UnixTime now);

// How a mark's local time reads in the user's language, and how wide its label is drawn.
class MarkFormat {
public:
    virtual std::string Weekday(const CivilTime& local) = 0; // "Tue"
    virtual std::string Hour(const CivilTime& local) = 0;    // "14:00", "2 PM"
    virtual int Width(std::string_view label) = 0;

protected:
    // Never owned through the port.
    ~MarkFormat() = default;
};
// A mark at each full local hour for the day, labelled every 6 hours (12 where those labels
// would touch), at each local midnight for the week, labelled with the weekday (every other day
// where they would touch).
std::vector<ChartMark> ChartMarks(ChartRange range, Rect plot, UnixTime now, const UtcToLocalOffset& offset,
                                  MarkFormat& format);

// "Last 24 hours: lowest 18% at 14:05, 3 times on AC power, now 57%." "now" is the last row
// shown: the latest reading of this run, once it has one.
std::string ChartSentence(const std::vector<ChargeRow>& rows, ChartRange range, UnixTime now,
                          const UtcToLocalOffset& offset);

// Where the History tab's controls sit in its page area, at a DPI (designed at 96).
struct HistoryLayout {
    Rect dayOption, weekOption, openLog, chart, sentence, health, refresh;
};
HistoryLayout LayoutHistory(Rect area, int dpi) noexcept;
// The chart control's plot inside its client area, leaving room for the axis labels.
Rect PlotRect(Rect client, int dpi) noexcept;

} // namespace corvane::history
