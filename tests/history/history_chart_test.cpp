#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "history/history_chart.h"

namespace corvane::history {
namespace {

constexpr UnixTime kHour = 3600;
constexpr UnixTime kNow = 1796754000; // 2026-12-08T18:20:00Z, a Tuesday
constexpr Rect kPlot{0, 0, 240, 100};

std::int64_t Utc(UnixTime) { return 0; }
std::int64_t PlusOne(UnixTime) { return kHour; }
// Central Europe in spring 2026: summer time from 2026-03-29T01:00:00Z.
std::int64_t CentralEurope(UnixTime t) { return t < 1774746000 ? kHour : 2 * kHour; }

// Marks as an English locale writes them, 6 pixels a character.
class EnglishMarks final : public MarkFormat {
public:
    std::string Weekday(const CivilTime& c) override { return kDays[c.weekday]; }
    std::string Hour(const CivilTime& c) override { return ZeroPadded(c.hour, 2) + ":00"; }
    int Width(std::string_view label) override { return 6 * static_cast<int>(label.size()); }

private:
    static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
};

// Carried in from before the day: 50%; on AC from -12 h to -6 h, then 60%.
const std::vector<ChargeRow> kRows{
    {kNow - 30 * kHour, 50, false}, {kNow - 12 * kHour, 40, true}, {kNow - 6 * kHour, 60, false},
    {kNow + kHour, 5, true}, // after now (a clock set back): not drawn
};

TEST(HistoryChart, RowsBecomeStepsAndAcSpansForBothRanges) {
    struct Case {
        ChartRange range;
        std::vector<ChartPoint> points;
        std::vector<ChartSpan> spans;
    } cases[] = {
        // 360 s a pixel: the level before the range starts at the left edge.
        {ChartRange::Day, {{0, 50}, {120, 50}, {120, 60}, {180, 60}, {180, 40}, {240, 40}}, {{120, 180}}},
        // 2520 s a pixel: all three rows inside.
        {ChartRange::Week, {{197, 50}, {222, 50}, {222, 60}, {231, 60}, {231, 40}, {240, 40}}, {{222, 231}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChartPoints(kRows, c.range, kPlot, kNow), (ChartLines{c.points, {6}})) << ChartRangeName(c.range);
        EXPECT_EQ(AcSpans(kRows, c.range, kPlot, kNow), c.spans) << ChartRangeName(c.range);
    }
    // On AC since before the range and still: one span over all of it.
    EXPECT_EQ(AcSpans({{kNow - 30 * kHour, 90, true}}, ChartRange::Day, kPlot, kNow), (std::vector<ChartSpan>{{0, 240}}));
    EXPECT_TRUE(ChartPoints({}, ChartRange::Day, kPlot, kNow).points.empty());
    // Rows 10 s apart share a column: its turning points stay, the rest go.
    const std::vector<ChargeRow> dense{{kNow - 30 * kHour, 50, false}, {kNow - 12 * kHour, 40, false},
                                       {kNow - 12 * kHour + 10, 42, false}, {kNow - 12 * kHour + 20, 44, false},
                                       {kNow - 12 * kHour + 30, 41, false}};
    EXPECT_EQ(ChartPoints(dense, ChartRange::Day, kPlot, kNow).points,
              (std::vector<ChartPoint>{{0, 50}, {120, 50}, {120, 60}, {120, 56}, {120, 59}, {240, 59}}));
}

// Logs as clocks leave them. What is later than now (past a few minutes' slack) is not shown,
// and a row earlier than the one before it starts a line of its own; "now" is the last row.
TEST(HistoryChart, LogsOfAClockThatJumpedEndWithThePresent) {
    const auto at = [](UnixTime t, int percent, bool ac = false) { return ChargeRowLine({t, percent, ac}); };
    const UnixTime k2099 = 4070908800, kMin = 60;
    const std::string header = "time,percent,ac\r\n";
    struct Case {
        const char* what;
        std::string log;
        const char* sentence;
        std::vector<ChartPoint> points; // none: not checked
        std::vector<unsigned long> counts;
    } cases[] = {
        {"a row dated 2099 among today's",
         header + at(kNow - 3 * kHour, 50) + at(k2099, 99, true) + at(kNow - 2 * kHour, 40) + at(kNow - kHour, 30),
         "Last 24 hours: lowest 30% at 17:20, not on AC power, now 30%.",
         {{210, 50}, {220, 50}, {220, 60}, {230, 60}, {230, 70}, {240, 70}},
         {6}},
        {"a clock set back 40 minutes",
         header + at(kNow - 2 * kHour, 60) + at(kNow - 30 * kMin, 55) + at(kNow - 50 * kMin, 50) + at(kNow - 20 * kMin, 40),
         "Last 24 hours: lowest 40% at 18:00, not on AC power, now 40%.",
         {{220, 40}, {235, 40}, {235, 45}, {231, 50}, {236, 50}, {236, 60}, {240, 60}},
         {3, 4}},
        {"both, with the plug in between",
         header + at(kNow - 3 * kHour, 70) + at(kNow + 2 * kHour, 99, true) + at(kNow - 2 * kHour, 65, true) +
             at(kNow - kHour, 60) + at(kNow - 90 * kMin, 58) + at(kNow - 10 * kMin, 55),
         "Last 24 hours: lowest 55% at 18:10, once on AC power, now 55%.",
         {},
         {}},
        {"a row four minutes ahead is the present",
         header + at(kNow - kHour, 50) + at(kNow + 4 * kMin, 45),
         "Last 24 hours: lowest 45% at 18:24, not on AC power, now 45%.",
         {},
         {}},
        {"six minutes ahead is not",
         header + at(kNow - kHour, 50) + at(kNow + 6 * kMin, 45),
         "Last 24 hours: lowest 50% at 17:20, not on AC power, now 50%.",
         {},
         {}},
    };
    for (const Case& c : cases) {
        const std::vector<ChargeRow> rows = ReadChargeRows(c.log);
        EXPECT_EQ(ChartSentence(rows, ChartRange::Day, kNow, &Utc), c.sentence) << c.what;
        if (!c.points.empty()) {
            EXPECT_EQ(ChartPoints(rows, ChartRange::Day, kPlot, kNow), (ChartLines{c.points, c.counts})) << c.what;
        }
    }
    // Shading: the stretch on AC ends where its run does, not at now.
    EXPECT_EQ(AcSpans(ReadChargeRows(cases[2].log), ChartRange::Day, kPlot, kNow), (std::vector<ChartSpan>{{220, 230}}));
}

// For each pixel column of the lines, the highest and lowest y drawn in it: the picture of a
// step line, whose segments are all level or upright.
std::map<int, std::pair<int, int>> Columns(const ChartLines& lines) {
    std::map<int, std::pair<int, int>> columns;
    const auto mark = [&](int x, int y) {
        const auto [it, fresh] = columns.try_emplace(x, y, y);
        it->second = {std::min(it->second.first, y), std::max(it->second.second, y)};
    };
    std::size_t at = 0;
    for (const unsigned long count : lines.counts) {
        for (std::size_t i = at; i + 1 < at + count; ++i) {
            const ChartPoint a = lines.points[i], b = lines.points[i + 1];
            for (int x = a.x; x <= b.x; ++x) {
                mark(x, a.x == b.x ? std::min(a.y, b.y) : a.y);
                mark(x, a.x == b.x ? std::max(a.y, b.y) : a.y);
            }
        }
        at += count;
    }
    return columns;
}

// A gauge that flickers between two percents every few seconds, for eight days, falling
// slowly and plugged in every six hours: the tab keeps a few rows a minute of it, and says the
// same as from every row. The picture is the same but where a minute straddles two pixel
// columns (narrower than a minute at 1000 px): there one column may show a percent more or less.
TEST(HistoryChart, AFlickeringWeekIsKeptBoundedWithTheSameSentenceAndAPictureWithinAPercent) {
    std::vector<ChargeRow> all;
    ChartRows kept;
    for (UnixTime t = kNow - 8 * 86400; t <= kNow; t += 6) {
        const UnixTime since = t - (kNow - 8 * 86400);
        const bool ac = since / 3600 % 6 == 5;
        const ChargeRow row{t, static_cast<int>(90 - since % 21600 / 400 + (since / 6) % 2), ac};
        if (all.empty() || MakesRow(all.back(), row.percent, row.ac)) {
            all.push_back(row);
            kept.Add(row, kNow); // as the tab reads the log: at one moment
        }
    }
    EXPECT_GT(all.size(), 100000u);
    EXPECT_LE(kept.Rows().size(), 7u * 1440 * 5 + 2);
    for (const ChartRange range : {ChartRange::Day, ChartRange::Week}) {
        EXPECT_EQ(ChartSentence(kept.Rows(), range, kNow, &Utc), ChartSentence(all, range, kNow, &Utc));
        for (const Rect plot : {kPlot, Rect{0, 0, 513, 195}, Rect{0, 0, 1000, 300}}) {
            const auto a = Columns(ChartPoints(kept.Rows(), range, plot, kNow)), b = Columns(ChartPoints(all, range, plot, kNow));
            ASSERT_EQ(a.size(), b.size());
            std::size_t differ = 0;
            for (const auto& [x, full] : b) {
                const std::pair<int, int> k = a.at(x);
                differ += k != full;
                EXPECT_LE(std::max(std::abs(k.first - full.first), std::abs(k.second - full.second)), plot.Height() / 100 + 1)
                    << ChartRangeName(range) << " " << plot.Width() << " x=" << x;
            }
            EXPECT_LE(differ, b.size() / 50) << ChartRangeName(range) << " " << plot.Width();
            EXPECT_EQ(AcSpans(kept.Rows(), range, plot, kNow), AcSpans(all, range, plot, kNow));
        }
    }
}

TEST(HistoryChart, HourMarksFollowLocalTimeAcrossTheDstChange) {
    const UnixTime noon = 1774785600; // 2026-03-29T12:00:00Z
    const auto labels = [](const std::vector<ChartMark>& marks) {
        std::vector<std::pair<int, std::string>> out;
        for (const ChartMark& m : marks) {
            if (!m.label.empty()) {
                out.emplace_back(m.x, m.label);
            }
        }
        return out;
    };
    EnglishMarks english;
    const std::vector<ChartMark> marks = ChartMarks(ChartRange::Day, kPlot, noon, &CentralEurope, english);
    EXPECT_EQ(marks.size(), 25u); // every full hour, 02:00 never happened
    using Labels = std::vector<std::pair<int, std::string>>;
    // Local 06:00 is 04:00 UTC after the change (16 h into the day), not 05:00.
    EXPECT_EQ(labels(marks), (Labels{{50, "18:00"}, {110, "00:00"}, {160, "06:00"}, {220, "12:00"}}));
    EXPECT_EQ(labels(ChartMarks(ChartRange::Day, kPlot, noon, &PlusOne, english)),
              (Labels{{50, "18:00"}, {110, "00:00"}, {170, "06:00"}, {230, "12:00"}}));
    // Day marks at local midnights, named by the local day.
    const std::vector<ChartMark> days = ChartMarks(ChartRange::Week, kPlot, kNow, &PlusOne, english);
    ASSERT_EQ(days.size(), 7u);
    EXPECT_EQ(days.front().label, "Wed");
    EXPECT_EQ(days.back().label, "Tue");
}

TEST(HistoryChart, SentenceSaysLowestAcAndNowInLocalTime) {
    struct Case {
        std::vector<ChargeRow> rows;
        ChartRange range;
        std::int64_t (*offset)(UnixTime);
        const char* sentence;
    } cases[] = {
        {kRows, ChartRange::Day, &Utc, "Last 24 hours: lowest 40% at 06:20, once on AC power, now 60%."},
        // Lowest just before midnight UTC is just after it an hour east.
        {{{kNow - 19 * kHour - 1200, 18, false}, {kNow - 18 * kHour, 57, true}, {kNow - 17 * kHour, 57, false},
          {kNow - 10 * kHour, 57, true}, {kNow - 9 * kHour, 57, false}, {kNow - kHour, 30, true}},
         ChartRange::Day, &PlusOne, "Last 24 hours: lowest 18% at 00:00, 3 times on AC power, now 30%."},
        {kRows, ChartRange::Week, &Utc, "Last 7 days: lowest 40% on Tue 06:20, once on AC power, now 60%."},
        {{{kNow - 30 * kHour, 80, false}}, ChartRange::Day, &Utc,
         "Last 24 hours: lowest 80% at 18:20, not on AC power, now 80%."},
        {{}, ChartRange::Week, &Utc, "Last 7 days: no readings yet."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChartSentence(c.rows, c.range, kNow, c.offset), c.sentence);
    }
}

TEST(HistoryChart, LayoutKeepsEveryControlInsideThePageAtEachDpi) {
    for (const int dpi : {96, 144}) {
        const Rect area{0, 0, 384 * dpi / 96, 250 * dpi / 96};
        const HistoryLayout l = LayoutHistory(area, dpi);
        for (const Rect& r : {l.dayOption, l.weekOption, l.openLog, l.chart, l.sentence, l.health, l.refresh}) {
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= area.right && r.bottom <= area.bottom && r.Width() > 0 &&
                        r.Height() > 0)
                << dpi;
        }
        EXPECT_LE(l.weekOption.right, l.openLog.left);
        EXPECT_LE(l.chart.bottom, l.sentence.top);
        EXPECT_LE(l.sentence.bottom, l.health.top);
        EXPECT_LE(l.health.right, l.refresh.left);
        EXPECT_GE(l.chart.Height(), 100 * dpi / 96);
    }
}

} // namespace
} // namespace corvane::history
