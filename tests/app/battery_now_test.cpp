#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/battery_now.h"

namespace corvane::app {
namespace {

constexpr std::int32_t kUnknown = kUnknownRate;

// A reading as the system gives it: the power status, and the battery figures unless none.
Reading Read(int ac, int percent, std::uint8_t flag, std::optional<BatteryState> battery, std::uint8_t saver = 0) {
    Reading r;
    r.status.ACLineStatus = static_cast<std::uint8_t>(ac);
    r.status.BatteryLifePercent = static_cast<std::uint8_t>(percent);
    r.status.BatteryFlag = flag;
    r.status.Reserved1 = saver;
    r.battery = battery;
    return r;
}
BatteryState State(bool ac, bool charging, bool discharging, std::int32_t rate, std::uint32_t remaining = 16030,
                   std::uint32_t full = 50000) {
    return {ac, true, charging, discharging, rate, remaining, full};
}

TEST(BatteryNow, EachStateInOneLine) {
    struct Row {
        const char* what;
        Reading reading;
        const char* text;
    };
    const BatteryState none{true, false, false, false, 0, 0, 0};
    const Row rows[] = {
        {"on battery at a known rate", Read(0, 32, 2, State(false, false, true, -7400)),
         "Discharging at 7.4 W. About 2 hours 10 minutes left at this rate."},
        {"charging at a known rate", Read(1, 67, 8, State(true, true, false, 25000, 33333)),
         "Charging at 25.0 W. Full in about 40 minutes at this rate."},
        {"a charge limit holds it", Read(1, 80, 0, State(true, false, false, 0)),
         "Plugged in, not charging: the charge is held at 80%."},
        {"full", Read(1, 100, 0, State(true, false, false, 0)), "Plugged in, fully charged."},
        {"no battery", Read(1, 255, 128, none), "No battery found: this computer runs on AC power."},
        {"rate unknown", Read(0, 57, 2, State(false, false, true, kUnknown)), "Discharging."},
        {"rate zero while charging", Read(1, 57, 8, State(true, true, false, 0)), "Charging."},
        {"a rate of the wrong sign", Read(1, 57, 8, State(true, true, false, -12000)), "Charging."},
        {"and discharging", Read(0, 57, 2, State(false, false, true, 5000)), "Discharging."},
        {"capacities unknown: no time", Read(0, 57, 2, State(false, false, true, -7400, kUnknownCapacity)),
         "Discharging at 7.4 W."},
        {"battery saver", Read(0, 32, 2, State(false, false, true, -7400), 1),
         "Discharging at 7.4 W. About 2 hours 10 minutes left at this rate. Battery saver is on."},
        {"no figures: on battery", Read(0, 57, 2, std::nullopt), "Discharging."},
        {"no figures: charging", Read(1, 57, 8, std::nullopt), "Charging."},
        {"no figures: held", Read(1, 80, 0, std::nullopt), "Plugged in, not charging: the charge is held at 80%."},
        {"no figures: no battery", Read(1, 255, 128, std::nullopt), "No battery found: this computer runs on AC power."},
        {"no figures: nothing known", Read(255, 255, 255, std::nullopt), ""},
    };
    for (const Row& r : rows) {
        RateSmoother smoother;
        EXPECT_EQ(BatteryNowText(r.reading, smoother.Add(ActivityOf(r.reading), r.reading.battery, 0)), r.text)
            << r.what;
    }
}

TEST(BatteryNow, TimeInHoursAndMinutesWithinItsBounds) {
    const std::pair<double, const char*> rows[] = {
        {59, ""}, {60, "1 minute"}, {40 * 60, "40 minutes"}, {3599, "1 hour"}, {3660, "1 hour 1 minute"},
        {7200 + 600, "2 hours 10 minutes"}, {99 * 3600, "99 hours"}, {99 * 3600 + 1, ""}, {-600, ""},
    };
    for (const auto& [seconds, text] : rows) {
        EXPECT_EQ(TimeAtRateText(seconds), text) << seconds;
    }
}

// A recorded run, a reading every 2 s: the load doubles, one odd reading, the plug goes in.
TEST(BatteryNow, RateFollowsALastingChangeWithinMinutesAndBarelyASpike) {
    RateSmoother s;
    std::int64_t ms = 0;
    const auto add = [&](BatteryActivity a, std::int32_t rate) {
        ms += 2000;
        return s.Add(a, State(a == BatteryActivity::Charging, a == BatteryActivity::Charging,
                              a == BatteryActivity::Discharging, rate),
                     ms);
    };
    const auto D = BatteryActivity::Discharging;
    EXPECT_DOUBLE_EQ(*add(D, -10000), -10000) << "the first reading stands for itself";
    for (int i = 0; i < 59; ++i) {
        add(D, -10000);
    }
    std::optional<double> avg = add(D, -20000);
    EXPECT_NEAR(*avg, -10328, 2) << "one tick of a new load moves the figure a thirtieth";
    for (int i = 1; i < 30; ++i) {
        avg = add(D, -20000);
    }
    EXPECT_NEAR(*avg, -20000 + 10000 * std::exp(-1.0), 5) << "a minute later, most of the way";
    for (int i = 0; i < 120; ++i) {
        avg = add(D, -20000);
    }
    EXPECT_NEAR(*avg, -20000, 100);
    const double spiked = *add(D, -60000);
    EXPECT_LT(spiked, *avg);
    EXPECT_GT(spiked, *avg - 40000.0 / 25) << "a spike of three times the load moves it a thirtieth of the way";
    EXPECT_FALSE(add(D, kUnknown)) << "unknown: no figure, none made up";
    EXPECT_DOUBLE_EQ(*add(BatteryActivity::Charging, 30000), 30000) << "the plug goes in: afresh";
    ms += RateSmoother::kLongestGapMs;
    EXPECT_DOUBLE_EQ(*add(BatteryActivity::Charging, 45000), 45000) << "after a sleep: afresh";
}

} // namespace
} // namespace corvane::app
