#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "history/battery_health.h"

namespace corvane::history {
namespace {

using Lines = std::vector<std::string>;

BatteryFigures Figures(std::uint32_t capabilities, std::uint32_t design, std::uint32_t full, std::uint32_t cycles,
                       std::string key = "1") {
    return {capabilities, design, full, cycles, std::move(key)};
}

TEST(BatteryHealth, FiguresInWordsWithNotReportedWhereUnknown) {
    struct Case {
        BatteryFigures figures;
        Lines lines;
    } cases[] = {
        {Figures(0, 57000, 49800, 312),
         {"Design capacity: 57,000 mWh", "Full charge capacity: 49,800 mWh (87% of design)", "Charge cycles: 312"}},
        {Figures(kBatteryCapacityRelative, 100, 93, 1200),
         {"Design capacity: not reported", "Full charge capacity: not reported", "Charge cycles: 1,200"}},
        {Figures(0, 0, 41000, 0),
         {"Design capacity: not reported", "Full charge capacity: 41,000 mWh", "Charge cycles: not reported"}},
        {Figures(0, 1234567, 0xFFFFFFFF, 5),
         {"Design capacity: 1,234,567 mWh", "Full charge capacity: not reported", "Charge cycles: 5"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BatteryLines(c.figures), c.lines);
    }
    EXPECT_EQ(HealthLines({}), Lines{"This computer does not report its battery's capacity."});
    const Lines two = HealthLines({Figures(0, 57000, 49800, 312), Figures(0, 24000, 24000, 0)});
    ASSERT_EQ(two.size(), 8u);
    EXPECT_EQ(two[0], "Battery 1");
    EXPECT_EQ(two[4], "Battery 2");
    EXPECT_EQ(two[6], "Full charge capacity: 24,000 mWh (100% of design)");
}

TEST(BatteryHealth, OneRowPerBatteryPerDayWhenFiguresChange) {
    const std::vector<BatteryFigures> now{Figures(0, 57000, 49800, 312, "SMP-1234"),
                                          Figures(kBatteryCapacityRelative, 100, 90, 3, "2")};
    const HealthRow first{"2026-06-02", "SMP-1234", 57000, 51900, 120};
    const auto history = [](const std::vector<HealthRow>& rows) {
        HealthHistory h;
        for (const HealthRow& row : rows) {
            h.Add(row);
        }
        return h;
    };
    // Only the battery in mWh is kept; the relative one means nothing in the file.
    EXPECT_EQ(NewHealthRows({}, now, "2026-12-08"), (std::vector<HealthRow>{{"2026-12-08", "SMP-1234", 57000, 49800, 312}}));
    EXPECT_EQ(NewHealthRows(history({first}), now, "2026-12-08").size(), 1u);
    EXPECT_TRUE(NewHealthRows(history({first, {"2026-12-08", "SMP-1234", 57000, 49700, 311}}), now, "2026-12-08").empty());
    EXPECT_TRUE(NewHealthRows(history({first, {"2026-12-01", "SMP-1234", 57000, 49800, 312}}), now, "2026-12-08").empty());

    const std::string text = std::string(kBatteryHealthHeader) + "\r\n" + HealthRowLine(first) +
                             "2026-07-01,SMP-1234,57000,x,1\r\n2026-07-02,SMP-1234,57000,50000,1\r\n2026-07-03,SMP-1234,57";
    const HealthHistory read = ReadHealthHistory(text);
    EXPECT_EQ(*read.Of(now[0], 0).first, first);
    EXPECT_EQ(*read.Of(now[0], 0).last, (HealthRow{"2026-07-02", "SMP-1234", 57000, 50000, 1}));
    EXPECT_EQ(CapacityChangeLine(history({first}), {now[0]}, "2026-12-08"), "Full charge capacity fell 4% since 2026-06-02.");
    EXPECT_EQ(CapacityChangeLine(history({first}), {now[0]}, "2026-06-02"), "");
}

// Two batteries known by what identifies them: with the first taken out, the second keeps its
// own figures. Rows of files before keys (a number for the place) still count.
TEST(BatteryHealth, BatteriesAreKnownByIdentityNotByPlace) {
    EXPECT_EQ(BatteryKeys({{"SMP5B10W1", "", "", ""}, {"", "LGC", "DELL 7FHHV", "1234"}, {"", "", "45N1", ""},
                           {"", "", "45N1,\"x\"\n", "9"}, {"42", "", "", ""}}),
              (std::vector<std::string>{"SMP5B10W1", "LGC DELL 7FHHV/1234", "3", "45N1__x__/9", "#42"}));
    const std::string file = std::string(kBatteryHealthHeader) +
                             "\r\n2026-06-02,1,57000,51900,120\r\n2026-06-02,2,24000,24000,3\r\n"
                             "2026-07-01,SMP-A,57000,51000,150\r\n2026-07-01,LGC-B,24000,23000,9\r\n";
    const HealthHistory history = ReadHealthHistory(file);
    const BatteryFigures a = Figures(0, 57000, 49800, 312, "SMP-A"), b = Figures(0, 24000, 23000, 9, "LGC-B");
    EXPECT_EQ(CapacityChangeLine(history, {a, b}, "2026-12-08"),
              "Battery 1: Full charge capacity fell 4% since 2026-06-02. "
              "Battery 2: Full charge capacity fell 4% since 2026-06-02.");
    // Battery A removed: B is first in the list now, and still compared with its own rows.
    EXPECT_EQ(CapacityChangeLine(history, {b}, "2026-12-08"), "Full charge capacity fell 4% since 2026-06-02.");
    EXPECT_TRUE(NewHealthRows(history, {b}, "2026-12-08").empty());
    // Its rows are one CSV row each, read back as written.
    const HealthRow row{"2026-12-08", BatteryKeys({{"", "", "A,B\r\nC", "9"}})[0], 1, 2, 3};
    EXPECT_EQ(ParseHealthRow(HealthRowLine(row).substr(0, HealthRowLine(row).size() - 2)), row);
}

} // namespace
} // namespace corvane::history
