#include "history/history_chart.h"

#include <algorithm>
#include <optional>

namespace corvane::history {

namespace {

constexpr const char* kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

int Design(int value, int dpi) noexcept { return (value * dpi + 48) / 96; }

std::int64_t FloorMod(std::int64_t a, std::int64_t b) noexcept { return ((a % b) + b) % b; }

struct TimeSpan {
    UnixTime from, to;
};

// The range's rows: the one in force when it starts, then those inside it, none after `now`.
struct RangeRows {
    std::optional<ChargeRow> carried;
    std::vector<ChargeRow> inside;
};

RangeRows RowsOfRange(const std::vector<ChargeRow>& rows, UnixTime start, UnixTime now) {
    RangeRows result;
    for (const ChargeRow& row : rows) {
        if (row.time > now) {
            break;
        }
        if (row.time <= start) {
            result.carried = row;
        } else {
            result.inside.push_back(row);
        }
    }
    return result;
}

std::vector<TimeSpan> AcTimes(const RangeRows& r, UnixTime start, UnixTime now) {
    std::vector<TimeSpan> spans;
    bool on = r.carried && r.carried->ac;
    UnixTime onSince = start;
    for (const ChargeRow& row : r.inside) {
        if (row.ac && !on) {
            on = true;
            onSince = row.time;
        } else if (!row.ac && on) {
            on = false;
            spans.push_back({onSince, row.time});
        }
    }
    if (on) {
        spans.push_back({onSince, now});
    }
    return spans;
}

int ChartX(UnixTime time, UnixTime start, UnixTime span, ChartRect plot) noexcept {
    const UnixTime at = std::clamp<UnixTime>(time - start, 0, span);
    return plot.left + static_cast<int>(at * plot.Width() / span);
}

std::string LocalClock(UnixTime time, ChartRange range, const UtcToLocalOffset& offset) {
    const CivilTime c = CivilFromSeconds(time + offset(time));
    const std::string clock = ZeroPadded(c.hour, 2) + ":" + ZeroPadded(c.minute, 2);
    return range == ChartRange::Day ? clock : std::string(kWeekdays[c.weekday]) + " " + clock;
}

} // namespace

const char* ChartRangeName(ChartRange range) noexcept {
    return range == ChartRange::Day ? "Last 24 hours" : "Last 7 days";
}

UnixTime ChartRangeSeconds(ChartRange range) noexcept { return range == ChartRange::Day ? 86400 : 7 * 86400; }

int ChartY(int percent, ChartRect plot) noexcept {
    return plot.bottom - std::clamp(percent, 0, 100) * plot.Height() / 100;
}

std::vector<ChartPoint> ChartPoints(const std::vector<ChargeRow>& rows, ChartRange range, ChartRect plot,
                                    UnixTime now) {
    const UnixTime span = ChartRangeSeconds(range);
    const UnixTime start = now - span;
    const RangeRows r = RowsOfRange(rows, start, now);
    std::vector<ChartPoint> points;
    // A week has thousands of rows for a few hundred pixels: within one pixel column only the
    // turning points are kept, a point between its neighbours on the same vertical is dropped.
    const auto add = [&points](ChartPoint p) {
        const std::size_t n = points.size();
        if (n > 0 && points[n - 1] == p) {
            return;
        }
        if (n >= 2 && points[n - 1].x == p.x && points[n - 2].x == p.x &&
            (points[n - 1].y - points[n - 2].y) * (p.y - points[n - 1].y) >= 0) {
            points[n - 1] = p;
            return;
        }
        points.push_back(p);
    };
    std::optional<int> level;
    if (r.carried) {
        level = ChartY(r.carried->percent, plot);
        add({plot.left, *level});
    }
    for (const ChargeRow& row : r.inside) {
        const int x = ChartX(row.time, start, span, plot);
        if (level) {
            add({x, *level});
        }
        level = ChartY(row.percent, plot);
        add({x, *level});
    }
    if (level) {
        add({plot.right, *level});
    }
    return points;
}

std::vector<ChartSpan> AcSpans(const std::vector<ChargeRow>& rows, ChartRange range, ChartRect plot, UnixTime now) {
    const UnixTime span = ChartRangeSeconds(range);
    const UnixTime start = now - span;
    std::vector<ChartSpan> spans;
    for (const TimeSpan& t : AcTimes(RowsOfRange(rows, start, now), start, now)) {
        const ChartSpan s{ChartX(t.from, start, span, plot), ChartX(t.to, start, span, plot)};
        if (!spans.empty() && s.left <= spans.back().right) {
            spans.back().right = std::max(spans.back().right, s.right);
        } else {
            spans.push_back(s);
        }
    }
    return spans;
}

std::vector<ChartMark> ChartMarks(ChartRange range, ChartRect plot, UnixTime now, const UtcToLocalOffset& offset) {
    const UnixTime span = ChartRangeSeconds(range);
    const UnixTime start = now - span;
    // Local hours begin on a quarter hour of UTC in every time zone there is; stepping through
    // those finds DST's skipped and repeated hours without asking the zone's rules.
    constexpr UnixTime kStep = 900;
    std::vector<ChartMark> marks;
    for (UnixTime t = start + FloorMod(-start, kStep); t <= now; t += kStep) {
        const UnixTime local = t + offset(t);
        const int x = ChartX(t, start, span, plot);
        if (range == ChartRange::Day && FloorMod(local, 3600) == 0) {
            const int hour = static_cast<int>(FloorMod(local, 86400) / 3600);
            marks.push_back({x, hour % 6 == 0 ? ZeroPadded(hour, 2) + ":00" : ""});
        } else if (range == ChartRange::Week && FloorMod(local, 86400) == 0) {
            marks.push_back({x, kWeekdays[CivilFromSeconds(local).weekday]});
        }
    }
    return marks;
}

std::string ChartSentence(const std::vector<ChargeRow>& rows, ChartRange range, UnixTime now,
                          const UtcToLocalOffset& offset) {
    const UnixTime start = now - ChartRangeSeconds(range);
    const RangeRows r = RowsOfRange(rows, start, now);
    const std::string name = ChartRangeName(range);
    if (!r.carried && r.inside.empty()) {
        return name + ": no readings yet.";
    }
    int lowest = 101;
    UnixTime lowestAt = start;
    if (r.carried) {
        lowest = r.carried->percent;
    }
    for (const ChargeRow& row : r.inside) {
        if (row.percent < lowest) {
            lowest = row.percent;
            lowestAt = row.time;
        }
    }
    const std::size_t ac = AcTimes(r, start, now).size();
    std::string acText = ac == 0 ? "not on AC power"
                         : ac == 1 ? "once on AC power"
                         : ac == 2 ? "twice on AC power"
                                   : std::to_string(ac) + " times on AC power";
    const int latest = r.inside.empty() ? r.carried->percent : r.inside.back().percent;
    return name + ": lowest " + std::to_string(lowest) + "% " + (range == ChartRange::Day ? "at " : "on ") +
           LocalClock(lowestAt, range, offset) + ", " + acText + ", now " + std::to_string(latest) + "%.";
}

HistoryLayout LayoutHistory(ChartRect area, int dpi) noexcept {
    const auto s = [dpi](int v) { return Design(v, dpi); };
    HistoryLayout l;
    const int top = area.top, left = area.left, right = area.right, bottom = area.bottom;
    l.dayOption = {left, top, left + s(105), top + s(20)};
    l.weekOption = {left + s(110), top, left + s(200), top + s(20)};
    l.openLog = {right - s(80), top, right, top + s(23)};
    l.health = {left, bottom - s(58), right - s(88), bottom};
    l.refresh = {right - s(80), l.health.top, right, l.health.top + s(23)};
    l.sentence = {left, l.health.top - s(4) - s(40), right, l.health.top - s(4)};
    l.chart = {left, top + s(27), right, l.sentence.top - s(3)};
    return l;
}

ChartRect PlotRect(ChartRect client, int dpi) noexcept {
    return {client.left + Design(34, dpi), client.top + Design(7, dpi), client.right - Design(8, dpi),
            client.bottom - Design(16, dpi)};
}

} // namespace corvane::history
