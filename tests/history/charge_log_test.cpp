#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "history/charge_log.h"

namespace corvane::history {
namespace {

constexpr UnixTime kT = 1796754005; // 2026-12-08T18:20:05Z

TEST(ChargeLog, TimesAreUtcInOneStrictForm) {
    EXPECT_EQ(FormatUtcTime(kT), "2026-12-08T18:20:05Z");
    EXPECT_EQ(FormatUtcTime(0), "1970-01-01T00:00:00Z");
    EXPECT_EQ(FormatUtcTime(1709164800), "2024-02-29T00:00:00Z");
    for (const UnixTime t : {UnixTime{0}, kT, UnixTime{1709164800}, UnixTime{951782399}}) {
        EXPECT_EQ(ParseUtcTime(FormatUtcTime(t)), t) << t;
    }
    for (const char* bad : {"2026-12-08 18:20:05Z", "2026-12-08T18:20:05", "2026-02-30T00:00:00Z",
                            "2026-13-01T00:00:00Z", "2026-12-08T24:00:00Z", "2026-1x-08T18:20:05Z", ""}) {
        EXPECT_FALSE(ParseUtcTime(bad)) << bad;
    }
}

TEST(ChargeLog, OnlyTheFirstKnownReadingAndChangesMakeRows) {
    const ChargeRow last{kT, 57, false};
    struct Case {
        std::optional<ChargeRow> last;
        int percent;
        bool ac;
        bool row;
    } cases[] = {
        {std::nullopt, 57, false, true}, // the row at start
        {std::nullopt, 255, true, false}, // unknown is never logged
        {last, 57, false, false},        // an unchanged tick
        {last, 56, false, true},         // the percent moved
        {last, 57, true, true},          // the plug went in
        {last, 255, false, false},
        {last, 101, false, false},
        {last, 0, false, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MakesRow(c.last, c.percent, c.ac), c.row) << c.percent << " " << c.ac;
    }
}

TEST(ChargeLog, RowsReadBackAndCutOrGarbledLinesAreSkipped) {
    EXPECT_EQ(ChargeRowLine({kT, 57, true}), "2026-12-08T18:20:05Z,57,1\r\n");
    const std::string good = ChargeLogText({{kT, 57, false}, {kT + 60, 56, true}});
    EXPECT_EQ(good, "time,percent,ac\r\n2026-12-08T18:20:05Z,57,0\r\n2026-12-08T18:21:05Z,56,1\r\n");
    const std::vector<ChargeRow> both{{kT, 57, false}, {kT + 60, 56, true}};
    EXPECT_EQ(ReadChargeRows(good), both);
    // A last row without its line end was cut short, even where what is left parses.
    EXPECT_EQ(ReadChargeRows(good + "2026-12-08T18:22:05Z,55,1"), both);
    EXPECT_EQ(ReadChargeRows(good + "2026-12-08T18:22:05Z,5"), both);
    EXPECT_EQ(ReadChargeRows("time,percent,ac\n2026-12-08T18:20:05Z,57,0\n\x01\xff,,\n2026-12-08T18:2"
                             "\n2026-12-08T18:21:05Z,56,1\n2026-12-08T18:21:05Z,101,1\n2026-12-08T18:21:05Z,5,2\n"),
              both);
}

TEST(ChargeLog, StartRewritesOnlyToDropOldRowsOrBadLines) {
    const UnixTime now = kT;
    const UnixTime keep = kChargeLogKeepSeconds;
    const std::vector<ChargeRow> rows{{now - keep, 10, false}, {now - keep + 1, 20, true}, {now, 30, false}};
    const auto line = [](const ChargeRow& r) { return ChargeRowLine(r).substr(0, ChargeRowLine(r).size() - 2); };
    EXPECT_EQ(KeptRow(line(rows[0]), now), std::nullopt);
    EXPECT_EQ(KeptRow(line(rows[1]), now), rows[1]);
    EXPECT_EQ(KeptRow(kChargeLogHeader, now), std::nullopt);
    EXPECT_TRUE(NeedsRewrite(ChargeLogText(rows), now));
    EXPECT_FALSE(NeedsRewrite(ChargeLogText({rows[1], rows[2]}), now));
    EXPECT_FALSE(NeedsRewrite("", now));
    EXPECT_TRUE(NeedsRewrite(ChargeLogText({rows[2]}) + "2026-12-08T18", now)); // cut: the next row would join it
    EXPECT_TRUE(NeedsRewrite(ChargeLogText({rows[2]}) + "junk\r\n", now));
    EXPECT_TRUE(NeedsRewrite(ChargeRowLine(rows[2]), now)); // no header
}

} // namespace
} // namespace corvane::history
