#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "history/battery_health.h"

namespace corvane::history {
namespace {

using Lines = std::vector<std::string>;

TEST(BatteryHealth, FiguresInWordsWithNotReportedWhereUnknown) {
    struct Case {
        BatteryFigures figures;
        Lines lines;
    } cases[] = {
        {{0, 57000, 49800, 312},
         {"Design capacity: 57,000 mWh", "Full charge capacity: 49,800 mWh (87% of design)", "Charge cycles: 312"}},
        {{kBatteryCapacityRelative, 100, 93, 1200},
         {"Design capacity: not reported", "Full charge capacity: not reported", "Charge cycles: 1,200"}},
        {{0, 0, 41000, 0},
         {"Design capacity: not reported", "Full charge capacity: 41,000 mWh", "Charge cycles: not reported"}},
        {{0, 1234567, 0xFFFFFFFF, 5},
         {"Design capacity: 1,234,567 mWh", "Full charge capacity: not reported", "Charge cycles: 5"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BatteryLines(c.figures), c.lines);
    }
    EXPECT_EQ(HealthLines({}), Lines{"This computer does not report its battery's capacity."});
    const Lines two = HealthLines({{0, 57000, 49800, 312}, {0, 24000, 24000, 0}});
    ASSERT_EQ(two.size(), 8u);
    EXPECT_EQ(two[0], "Battery 1");
    EXPECT_EQ(two[4], "Battery 2");
    EXPECT_EQ(two[6], "Full charge capacity: 24,000 mWh (100% of design)");
}

TEST(BatteryHealth, OneRowPerBatteryPerDayWhenFiguresChange) {
    const std::vector<BatteryFigures> now{{0, 57000, 49800, 312}, {kBatteryCapacityRelative, 100, 90, 3}};
    const HealthRow first{"2026-06-02", 1, 57000, 51900, 120};
    // Only the battery in mWh is kept; the relative one means nothing in the file.
    EXPECT_EQ(NewHealthRows({}, now, "2026-12-08"), (std::vector<HealthRow>{{"2026-12-08", 1, 57000, 49800, 312}}));
    EXPECT_EQ(NewHealthRows({first}, now, "2026-12-08").size(), 1u);
    EXPECT_TRUE(NewHealthRows({first, {"2026-12-08", 1, 57000, 49700, 311}}, now, "2026-12-08").empty());
    EXPECT_TRUE(NewHealthRows({first, {"2026-12-01", 1, 57000, 49800, 312}}, now, "2026-12-08").empty());

    const std::string text = std::string(kBatteryHealthHeader) + "\r\n" + HealthRowLine(first) +
                             "2026-07-01,1,57000,x,1\r\n2026-07-02,1,57000,50000,1\r\n2026-07-03,1,57";
    EXPECT_EQ(ReadHealthRows(text), (std::vector<HealthRow>{first, {"2026-07-02", 1, 57000, 50000, 1}}));
    // A row appended after the cut line starts a line of its own.
    EXPECT_EQ(LineEndBefore(text), "\r\n");
    EXPECT_EQ(LineEndBefore(""), "");
    EXPECT_EQ(LineEndBefore(HealthRowLine(first)), "");
    EXPECT_EQ(ReadHealthRows(text + std::string(LineEndBefore(text)) + HealthRowLine(first)).back(), first);
    EXPECT_EQ(CapacityChangeLine({first}, {now[0]}, "2026-12-08"), "Full charge capacity fell 4% since 2026-06-02.");
    EXPECT_EQ(CapacityChangeLine({first}, {now[0]}, "2026-06-02"), "");
    EXPECT_EQ(CapacityChangeLine({first, {"2026-06-02", 2, 24000, 20000, 1}},
                                 {{0, 57000, 51900, 312}, {0, 24000, 21000, 9}}, "2026-12-08"),
              "Battery 1: Full charge capacity has not changed since 2026-06-02. "
              "Battery 2: Full charge capacity rose 5% since 2026-06-02.");
}

} // namespace
} // namespace corvane::history
