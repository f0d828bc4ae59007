#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "history/history_chart.h"

namespace corvane::history {
namespace {

constexpr UnixTime kHour = 3600;
constexpr UnixTime kNow = 1796754000; // 2026-12-08T18:20:00Z, a Tuesday
constexpr ChartRect kPlot{0, 0, 240, 100};

std::int64_t Utc(UnixTime) { return 0; }
std::int64_t PlusOne(UnixTime) { return kHour; }
// Central Europe in spring 2026: summer time from 2026-03-29T01:00:00Z.
std::int64_t CentralEurope(UnixTime t) { return t < 1774746000 ? kHour : 2 * kHour; }

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
        EXPECT_EQ(ChartPoints(kRows, c.range, kPlot, kNow), c.points) << ChartRangeName(c.range);
        EXPECT_EQ(AcSpans(kRows, c.range, kPlot, kNow), c.spans) << ChartRangeName(c.range);
    }
    // On AC since before the range and still: one span over all of it.
    EXPECT_EQ(AcSpans({{kNow - 30 * kHour, 90, true}}, ChartRange::Day, kPlot, kNow), (std::vector<ChartSpan>{{0, 240}}));
    EXPECT_TRUE(ChartPoints({}, ChartRange::Day, kPlot, kNow).empty());
    // Rows 10 s apart share a column: its turning points stay, the rest go.
    const std::vector<ChargeRow> dense{{kNow - 30 * kHour, 50, false}, {kNow - 12 * kHour, 40, false},
                                       {kNow - 12 * kHour + 10, 42, false}, {kNow - 12 * kHour + 20, 44, false},
                                       {kNow - 12 * kHour + 30, 41, false}};
    EXPECT_EQ(ChartPoints(dense, ChartRange::Day, kPlot, kNow),
              (std::vector<ChartPoint>{{0, 50}, {120, 50}, {120, 60}, {120, 56}, {120, 59}, {240, 59}}));
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
    const std::vector<ChartMark> marks = ChartMarks(ChartRange::Day, kPlot, noon, &CentralEurope);
    EXPECT_EQ(marks.size(), 25u); // every full hour, 02:00 never happened
    using Labels = std::vector<std::pair<int, std::string>>;
    // Local 06:00 is 04:00 UTC after the change (16 h into the day), not 05:00.
    EXPECT_EQ(labels(marks), (Labels{{50, "18:00"}, {110, "00:00"}, {160, "06:00"}, {220, "12:00"}}));
    EXPECT_EQ(labels(ChartMarks(ChartRange::Day, kPlot, noon, &PlusOne)),
              (Labels{{50, "18:00"}, {110, "00:00"}, {170, "06:00"}, {230, "12:00"}}));
    // Day marks at local midnights, named by the local day.
    const std::vector<ChartMark> days = ChartMarks(ChartRange::Week, kPlot, kNow, &PlusOne);
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
        const ChartRect area{0, 0, 384 * dpi / 96, 250 * dpi / 96};
        const HistoryLayout l = LayoutHistory(area, dpi);
        for (const ChartRect& r : {l.dayOption, l.weekOption, l.openLog, l.chart, l.sentence, l.health, l.refresh}) {
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
