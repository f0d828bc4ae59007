#pragma once
// The History tab's chart and sentence, decided without Windows: where each row lands in the
// plot, which spans were on AC power, where the hour or day marks fall in local time, and the
// sentence that says in words what the chart shows.
#include <functional>
#include <string>
#include <vector>

#include "history/charge_log.h"

namespace corvane::history {

enum class ChartRange { Day, Week };

// "Last 24 hours", "Last 7 days".
const char* ChartRangeName(ChartRange range) noexcept;
UnixTime ChartRangeSeconds(ChartRange range) noexcept;

struct ChartRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const noexcept { return right - left; }
    int Height() const noexcept { return bottom - top; }
    friend bool operator==(const ChartRect&, const ChartRect&) = default;
};
struct ChartPoint {
    int x = 0, y = 0;
    friend bool operator==(const ChartPoint&, const ChartPoint&) = default;
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

// rows are in time order. A percent holds until the next row, so the line is drawn in steps:
// the level before the range starts at the left edge, and the last one runs on to `now` at the
// right edge. Within a pixel column only the turning points are given.
std::vector<ChartPoint> ChartPoints(const std::vector<ChargeRow>& rows, ChartRange range, ChartRect plot, UnixTime now);
// The height of a percent in the plot.
int ChartY(int percent, ChartRect plot) noexcept;
// The stretches of the range spent on AC power, as x ranges of the plot, joined where they touch.
std::vector<ChartSpan> AcSpans(const std::vector<ChargeRow>& rows, ChartRange range, ChartRect plot, UnixTime now);
// A mark at each full local hour (labelled every 6 hours, "06:00") for the day, at each local
// midnight (labelled with the weekday, "Tue") for the week.
std::vector<ChartMark> ChartMarks(ChartRange range, ChartRect plot, UnixTime now, const UtcToLocalOffset& offset);

// "Last 24 hours: lowest 18% at 14:05, 3 times on AC power, now 57%."
std::string ChartSentence(const std::vector<ChargeRow>& rows, ChartRange range, UnixTime now,
                          const UtcToLocalOffset& offset);

// Where the History tab's controls sit in its page area, at a DPI (designed at 96).
struct HistoryLayout {
    ChartRect dayOption, weekOption, openLog, chart, sentence, health, refresh;
};
HistoryLayout LayoutHistory(ChartRect area, int dpi) noexcept;
// The chart control's plot inside its client area, leaving room for the axis labels.
ChartRect PlotRect(ChartRect client, int dpi) noexcept;

} // namespace corvane::history
