#include "history/history_chart.h"

#include <algorithm>
#include <array>
#include <optional>

namespace corvane::history {

namespace {

constexpr const char* kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

std::int64_t FloorMod(std::int64_t a, std::int64_t b) noexcept { return ((a % b) + b) % b; }

bool Shown(const ChargeRow& row, UnixTime now) noexcept { return row.time <= now + kFutureSlackSeconds; }

struct TimeSpan {
    UnixTime from, to;
};

// One run's rows of the range: the one in force when it starts, then those inside it. The run
// ends at `end`: now for the last run, its own last row for one a later run stepped back from.
struct RangeRun {
    std::optional<ChargeRow> carried;
    std::vector<ChargeRow> inside;
    UnixTime end = 0;
};

std::vector<RangeRun> RunsOfRange(const std::vector<ChargeRow>& rows, UnixTime start, UnixTime now) {
    std::vector<RangeRun> runs;
    std::optional<UnixTime> previous;
    for (const ChargeRow& row : rows) {
        if (!Shown(row, now)) {
            continue;
        }
        if (!previous || row.time < *previous) {
            if (!runs.empty()) {
                runs.back().end = *previous;
            }
            runs.emplace_back();
        }
        previous = row.time;
        if (row.time <= start) {
            runs.back().carried = row;
        } else {
            runs.back().inside.push_back(row);
        }
    }
    if (!runs.empty()) {
        runs.back().end = now;
    }
    // A run over before the range began shows nothing.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        if (runs[i].end > start) {
            if (kept != i) {
                runs[kept] = std::move(runs[i]);
            }
            ++kept;
        }
    }
    runs.resize(kept);
    return runs;
}

std::vector<TimeSpan> AcTimes(const std::vector<RangeRun>& runs, UnixTime start) {
    std::vector<TimeSpan> spans;
    for (const RangeRun& r : runs) {
        bool on = r.carried && r.carried->ac;
        UnixTime onSince = start;
        for (const ChargeRow& row : r.inside) {
            if (row.ac && !on) {
                onSince = row.time;
            } else if (!row.ac && on) {
                spans.push_back({onSince, row.time});
            }
            on = row.ac;
        }
        if (on) {
            spans.push_back({onSince, std::max(onSince, r.end)});
        }
    }
    return spans;
}

int ChartX(UnixTime time, UnixTime start, UnixTime span, Rect plot) noexcept {
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

void ChartRows::Add(const ChargeRow& row, UnixTime now) {
    if (!Shown(row, now)) {
        return;
    }
    const bool sameGroup = group_ < rows_.size() && row.time >= rows_.back().time &&
                           FloorDiv(row.time, kGroupSeconds) == FloorDiv(rows_.back().time, kGroupSeconds);
    if (!sameGroup) {
        group_ = rows_.size();
    }
    rows_.push_back(row);
    if (sameGroup) {
        Merge();
    }
    if (rows_.size() >= trimAt_) {
        Trim(now);
        trimAt_ = std::max<std::size_t>(2 * rows_.size(), 4096);
    }
}

void ChartRows::Merge() {
    // What is kept of a group that held more is the same as what would be kept of all its
    // rows: each pick is the earliest of its kind, and a later row replaces none but the last.
    const std::size_t n = rows_.size() - group_;
    const auto at = [&](std::size_t i) -> const ChargeRow& { return rows_[group_ + i]; };
    std::size_t lowest = 0, highest = 0, other = n - 1;
    for (std::size_t i = 1; i < n; ++i) {
        lowest = at(i).percent < at(lowest).percent ? i : lowest;
        highest = at(i).percent > at(highest).percent ? i : highest;
        if (other == n - 1 && at(i).ac != at(0).ac) {
            other = i;
        }
    }
    std::array<bool, 8> keep{};
    for (const std::size_t i : {std::size_t{0}, lowest, highest, other, n - 1}) {
        keep[i] = true;
    }
    std::size_t to = group_;
    for (std::size_t i = 0; i < n; ++i) {
        if (keep[i]) {
            rows_[to++] = at(i);
        }
    }
    rows_.resize(to);
}

void ChartRows::Trim(UnixTime now) {
    // A row is needed while it holds at some moment of the week: until the next row of its run,
    // or on to now for the very last.
    const UnixTime start = now - ChartRangeSeconds(ChartRange::Week);
    std::size_t to = 0;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const bool last = i + 1 == rows_.size();
        const bool runGoesOn = !last && rows_[i + 1].time >= rows_[i].time;
        if (last || rows_[i].time > start || (runGoesOn && rows_[i + 1].time > start)) {
            rows_[to++] = rows_[i];
        }
    }
    rows_.resize(to);
    if (rows_.size() > kMostRows) {
        rows_.erase(rows_.begin(), rows_.end() - static_cast<std::ptrdiff_t>(kMostRows * 3 / 4));
    }
    group_ = rows_.size();
}

int ChartY(int percent, Rect plot) noexcept { return plot.bottom - std::clamp(percent, 0, 100) * plot.Height() / 100; }

ChartLines ChartPoints(const std::vector<ChargeRow>& rows, ChartRange range, Rect plot, UnixTime now) {
    const UnixTime span = ChartRangeSeconds(range);
    const UnixTime start = now - span;
    ChartLines lines;
    std::size_t first = 0; // the current line's first point
    // A week has thousands of rows for a few hundred pixels: within one pixel column only the
    // turning points are kept, a point between its neighbours on the same vertical is dropped.
    const auto add = [&](ChartPoint p) {
        std::vector<ChartPoint>& points = lines.points;
        const std::size_t n = points.size() - first;
        if (n > 0 && points.back() == p) {
            return;
        }
        if (n >= 2 && points[points.size() - 1].x == p.x && points[points.size() - 2].x == p.x &&
            (points[points.size() - 1].y - points[points.size() - 2].y) * (p.y - points.back().y) >= 0) {
            points.back() = p;
            return;
        }
        points.push_back(p);
    };
    for (const RangeRun& r : RunsOfRange(rows, start, now)) {
        first = lines.points.size();
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
            add({ChartX(r.end, start, span, plot), *level});
        }
        if (lines.points.size() - first < 2) {
            lines.points.resize(first); // a lone row a clock stepped back from draws nothing
        } else {
            lines.counts.push_back(static_cast<unsigned long>(lines.points.size() - first));
        }
    }
    return lines;
}

std::vector<ChartSpan> AcSpans(const std::vector<ChargeRow>& rows, ChartRange range, Rect plot, UnixTime now) {
    const UnixTime span = ChartRangeSeconds(range);
    const UnixTime start = now - span;
    std::vector<ChartSpan> spans;
    std::vector<TimeSpan> times = AcTimes(RunsOfRange(rows, start, now), start);
    // Runs may overlap in time; the shading is one. In time order, by insertion: the spans of
    // each run are in order already, and a sort would add a kilobyte to the program.
    for (std::size_t i = 1; i < times.size(); ++i) {
        for (std::size_t j = i; j > 0 && times[j].from < times[j - 1].from; --j) {
            std::swap(times[j], times[j - 1]);
        }
    }
    for (const TimeSpan& t : times) {
        const ChartSpan s{ChartX(t.from, start, span, plot), ChartX(t.to, start, span, plot)};
        if (!spans.empty() && s.left <= spans.back().right) {
            spans.back().right = std::max(spans.back().right, s.right);
        } else {
            spans.push_back(s);
        }
    }
    return spans;
}

std::vector<ChartMark> ChartMarks(ChartRange range, Rect plot, UnixTime now, const UtcToLocalOffset& offset,
                                  MarkFormat& format) {
    const UnixTime span = ChartRangeSeconds(range);
    const UnixTime start = now - span;
    // Local hours begin on a quarter hour of UTC in every time zone there is; stepping through
    // those finds DST's skipped and repeated hours without asking the zone's rules.
    constexpr UnixTime kStep = 900;
    // Every mark gets its label first; those the space has no room for lose it after.
    std::vector<ChartMark> marks;
    std::vector<int> counts; // hours since local midnight, or days since the range began
    for (UnixTime t = start + FloorMod(-start, kStep); t <= now; t += kStep) {
        const UnixTime local = t + offset(t);
        const bool day = range == ChartRange::Day;
        if (FloorMod(local, day ? 3600 : 86400) == 0) {
            const CivilTime c = CivilFromSeconds(local);
            marks.push_back({ChartX(t, start, span, plot), day ? format.Hour(c) : format.Weekday(c)});
            counts.push_back(day ? c.hour : static_cast<int>(counts.size()));
        }
    }
    // Labels of a step must leave two digits' room between them.
    const int gapBetween = format.Width("00");
    const int daySteps[] = {6, 12, 24}, weekSteps[] = {1, 2, 7};
    const int* steps = range == ChartRange::Day ? daySteps : weekSteps;
    int every = steps[2];
    for (int k = 0; k < 3 && every == steps[2]; ++k) {
        int widest = 0;
        for (std::size_t i = 0; i < marks.size(); ++i) {
            widest = counts[i] % steps[k] == 0 ? std::max(widest, format.Width(marks[i].label)) : widest;
        }
        const long long apart = static_cast<long long>(plot.Width()) * steps[k] / (range == ChartRange::Day ? 24 : 7);
        every = widest + gapBetween <= apart ? steps[k] : every;
    }
    for (std::size_t i = 0; i < marks.size(); ++i) {
        if (counts[i] % every != 0) {
            marks[i].label.clear();
        }
    }
    return marks;
}

std::string ChartSentence(const std::vector<ChargeRow>& rows, ChartRange range, UnixTime now,
                          const UtcToLocalOffset& offset) {
    const UnixTime start = now - ChartRangeSeconds(range);
    const std::vector<RangeRun> runs = RunsOfRange(rows, start, now);
    const std::string name = ChartRangeName(range);
    if (runs.empty()) {
        return name + ": no readings yet.";
    }
    int lowest = 101;
    UnixTime lowestAt = start;
    for (const RangeRun& r : runs) {
        if (r.carried && r.carried->percent < lowest) {
            lowest = r.carried->percent;
            lowestAt = start;
        }
        for (const ChargeRow& row : r.inside) {
            if (row.percent < lowest) {
                lowest = row.percent;
                lowestAt = row.time;
            }
        }
    }
    const std::size_t ac = AcTimes(runs, start).size();
    std::string acText = ac == 0 ? "not on AC power"
                         : ac == 1 ? "once on AC power"
                         : ac == 2 ? "twice on AC power"
                                   : std::to_string(ac) + " times on AC power";
    const RangeRun& present = runs.back();
    const int latest = present.inside.empty() ? present.carried->percent : present.inside.back().percent;
    return name + ": lowest " + std::to_string(lowest) + "% " + (range == ChartRange::Day ? "at " : "on ") +
           LocalClock(lowestAt, range, offset) + ", " + acText + ", now " + std::to_string(latest) + "%.";
}

HistoryLayout LayoutHistory(Rect area, int dpi) noexcept {
    const auto s = [dpi](int v) { return ScaleDesign(v, dpi); };
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

Rect PlotRect(Rect client, int dpi) noexcept {
    return {client.left + ScaleDesign(34, dpi), client.top + ScaleDesign(7, dpi), client.right - ScaleDesign(8, dpi),
            client.bottom - ScaleDesign(16, dpi)};
}

} // namespace corvane::history
