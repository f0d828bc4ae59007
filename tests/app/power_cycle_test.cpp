#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/power_cycle.h"
#include "tray/charge_icon.h"

namespace corvane::app {
namespace {

// One fake for every port: it records what the cycle does, in order, as readable lines.
class World : public PowerSource, public Clock, public CycleView, public TrayPort, public SoundPort {
public:
    bool Read(PowerStatus& s) override {
        if (failRead) {
            return false;
        }
        s = status;
        return true;
    }
    std::int32_t SecondsOfDay() override { return now; }
    std::int64_t MonotonicMilliseconds() override { return monoMs; }
    UnixTime UtcNow() override { return 1765000000; }
    std::int64_t LocalOffsetAt(UnixTime) override { return 0; }
    void ShowCharge(std::int32_t bar, std::string_view percent) override {
        barValue = bar;
        percentText = percent;
        ++chargeShows;
    }
    void ShowPowerSource(std::string_view t) override { pwrInfo = t; }
    void ShowTimeLeft(std::string_view t) override { timeText = t; }
    AlertOptions Alerts() const { return {startCharging, endCharging, chargeLow, chargeAlert}; }
    void ShowPowerStatusError() override {
        ++errorBoxes;
        if (onErrorBox) {
            onErrorBox();
        }
    }
    void SetToolTip(std::string_view t) override {
        tip = t;
        ++tipWrites;
    }
    void ShowBalloonTip(std::string_view m, std::string_view t, std::int32_t icon, std::int32_t ms) override {
        balloons.push_back(std::string(t) + " | " + std::string(m) + " | " + std::to_string(icon) + " | " +
                           std::to_string(ms));
        alerts.push_back("balloon " + std::string(t));
    }
    void PlayAlertSound(int slot) override {
        alerts.push_back("sound " + std::to_string(slot));
        if (onSound) {
            onSound();
        }
    }

    void Set(int ac, int percent) {
        status.ACLineStatus = static_cast<std::uint8_t>(ac);
        status.BatteryLifePercent = static_cast<std::uint8_t>(percent);
    }

    PowerStatus status{};
    bool failRead = false;
    std::int32_t now = 36000;
    std::int64_t monoMs = 5'000'000;
    bool startCharging = false;
    bool endCharging = true;
    bool chargeLow = true;
    std::string chargeAlert = "10";
    std::string pwrInfo = "Battery level";
    std::string percentText = "100%";
    std::string timeText = "(calculating ... please wait)";
    std::string tip = "Corvane";
    int tipWrites = 0;
    int errorBoxes = 0;
    std::function<void()> onErrorBox;
    std::function<void()> onSound;
    std::int32_t barValue = -1; // nothing shown yet
    int chargeShows = 0;
    std::vector<std::string> balloons;
    std::vector<std::string> alerts;
};

class PowerCycleTest : public ::testing::Test {
protected:
    PowerCycleTest() : cycle(w, w, w) { cycle.ClearBaseline(); }

    // One tick at the given reading, `after` seconds after the previous one.
    void Tick(int ac, int percent, std::int32_t after = 2) {
        w.now += after;
        w.monoMs += std::int64_t{after} * 1000;
        w.Set(ac, percent);
        cycle.RefreshPowerStatus(TakeReading(w, w), w.Alerts());
    }

    World w;
    PowerCycle cycle;
};

TEST_F(PowerCycleTest, FirstKnownReadingTakesTheBaselineAndLeavesTheTimeAlone) {
    Tick(0, 57);
    EXPECT_EQ(w.barValue, 57);
    EXPECT_EQ(w.percentText, "57%");
    EXPECT_EQ(w.tip, "Charge: 57%");
    EXPECT_EQ(w.timeText, "(calculating ... please wait)");
    EXPECT_EQ(cycle.State().LastPercent, 57);
    EXPECT_EQ(cycle.State().LastChangeTime, w.now);

    // Unchanged readings refresh the bar and label only: no tooltip, time or alert.
    for (int i = 0; i < 20; ++i) {
        Tick(0, 57);
    }
    EXPECT_EQ(w.tipWrites, 1);
    EXPECT_EQ(w.timeText, "(calculating ... please wait)");
    EXPECT_TRUE(w.alerts.empty());
    EXPECT_EQ(w.chargeShows, 21); // the bar and its percent are shown again on every run
}

TEST_F(PowerCycleTest, FallingStepEstimatesTimeToEmpty) {
    Tick(0, 57);
    Tick(0, 56, 660);
    EXPECT_EQ(cycle.State().EstimatedSeconds, 660 * 56);
    EXPECT_EQ(w.timeText, "10 Hour(s), 16 Minutes, 0 Seconds.");
    EXPECT_EQ(w.tip, "Charge: 56% ; Time: 10 Hour(s), 16 Minutes, 0 Seconds.");
    EXPECT_EQ(cycle.State().LastPercent, 56);
    EXPECT_EQ(cycle.State().LastChangeTime, w.now);
}

TEST_F(PowerCycleTest, RisingStepEstimatesTimeToFullWhateverTheStepSize) {
    Tick(1, 56);
    Tick(1, 57, 120);
    EXPECT_EQ(cycle.State().EstimatedSeconds, 120 * 43);
    EXPECT_EQ(w.timeText, "1 Hour(s), 26 Minutes, 0 Seconds.");
    // A jump of several percent counts like a step of one.
    Tick(1, 60, 30);
    EXPECT_EQ(cycle.State().EstimatedSeconds, 30 * 40);
    EXPECT_EQ(w.tip, "Charge: 60% ; Time: 20 Minutes, 0 Seconds.");
}

TEST_F(PowerCycleTest, StepIsMeasuredOnTheMonotonicClockWhateverTheTimeOfDayDoes) {
    struct Case {
        const char* what;
        std::int32_t wallBefore, wallAfter; // seconds of day at the two readings
        std::int64_t awakeMs;               // what really passed
        const char* timeText;
    };
    const Case cases[] = {
        {"across midnight", kSecondsPerDay - 60, 40, 100'000, "1 Hour(s), 23 Minutes, 20 Seconds."},
        {"clocks go back an hour", 10800 + 50, 7200 + 150, 100'000, "1 Hour(s), 23 Minutes, 20 Seconds."},
        {"clock set five hours on", 36000, 54000 + 100, 100'000, "1 Hour(s), 23 Minutes, 20 Seconds."},
        {"time of day unreadable", kUnknownTime, kUnknownTime, 100'000, "1 Hour(s), 23 Minutes, 20 Seconds."},
        {"half a second counts as one", 0, 0, 500, "0 Minutes, 50 Seconds."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        World world;
        PowerCycle cyc(world, world, world);
        cyc.ClearBaseline();
        world.now = c.wallBefore;
        world.Set(0, 51);
        cyc.RefreshPowerStatus(TakeReading(world, world), world.Alerts());
        world.now = c.wallAfter;
        world.monoMs += c.awakeMs;
        world.Set(0, 50);
        cyc.RefreshPowerStatus(TakeReading(world, world), world.Alerts());
        EXPECT_EQ(world.timeText, c.timeText);
        EXPECT_EQ(cyc.State().LastChangeTime, c.wallAfter); // time_rec: still the time of day
    }
    // A step of many months at 99 % has no 32-bit figure.
    Tick(1, 98);
    Tick(1, 99, 0);
    w.monoMs += std::int64_t{300} * kSecondsPerDay * 1000;
    Tick(1, 98, 0);
    EXPECT_EQ(w.timeText, "-unknown-");
}

TEST_F(PowerCycleTest, UnknownPercentShowsFullBarAndKeepsTheLastKnownReading) {
    Tick(0, 57);
    const std::int32_t baselineTime = cycle.State().LastChangeTime;
    Tick(0, 255);
    EXPECT_EQ(w.barValue, 100);
    EXPECT_EQ(w.percentText, "100%");
    EXPECT_EQ(w.tip, "Charge: 57%");
    EXPECT_EQ(cycle.State().LastPercent, 57);
    EXPECT_EQ(cycle.State().LastChangeTime, baselineTime);
    // The next known reading is measured against the last known one.
    Tick(0, 56, 8);
    EXPECT_EQ(cycle.State().EstimatedSeconds, 10 * 56);

    // 255 before any baseline takes none.
    PowerCycle fresh(w, w, w);
    fresh.ClearBaseline();
    w.Set(0, 255);
    fresh.RefreshPowerStatus(TakeReading(w, w), w.Alerts());
    EXPECT_EQ(fresh.State().LastPercent, -1);
}

TEST_F(PowerCycleTest, SourceTextsAndValuesThatShowNothing) {
    Tick(2, 50);
    EXPECT_EQ(w.pwrInfo, "An unknown Source.");
    Tick(0, 50);
    EXPECT_EQ(w.pwrInfo, "Working on battery power.");
    Tick(1, 50);
    EXPECT_EQ(w.pwrInfo, "AC Supply is connected to Unit.");
    for (int code : {3, 128, 255}) {
        Tick(code, 50);
        EXPECT_EQ(w.pwrInfo, "AC Supply is connected to Unit.") << code;
    }

    World other;
    PowerCycle c(other, other, other);
    other.startCharging = true;
    other.Set(255, 40);
    c.RefreshPowerStatus(TakeReading(other, other), other.Alerts());
    EXPECT_EQ(other.pwrInfo, "Battery level");
    EXPECT_EQ(c.State().AlertedLineStatus, 0);
    EXPECT_FALSE(c.State().ChargeAlerted);
    EXPECT_TRUE(other.alerts.empty());
}

TEST_F(PowerCycleTest, PlugAndUnplugRaiseStartedAndResumedInTurn) {
    w.startCharging = true;
    Tick(0, 50); // battery at start-up: nothing to announce
    EXPECT_TRUE(w.alerts.empty());
    Tick(1, 50);
    Tick(1, 50); // staying on AC does not repeat it
    Tick(0, 50);
    Tick(1, 50);
    Tick(0, 50);
    EXPECT_EQ(w.alerts, (std::vector<std::string>{
                            "balloon Corvane :: Charging Started Alert.", "sound 0",
                            "balloon Corvane :: Battery Supply Resumed.", "sound 0",
                            "balloon Corvane :: Charging Started Alert.", "sound 0",
                            "balloon Corvane :: Battery Supply Resumed.", "sound 0"}));
    EXPECT_EQ(w.balloons[0], "Corvane :: Charging Started Alert. | Battery charging started. Please see the "
                             "Time Stats for details. | 1 | 2000");
    EXPECT_EQ(w.balloons[1], "Corvane :: Battery Supply Resumed. | AC Supply removed. Unit is working on "
                             "Battery Power. | 1 | 2000");
    EXPECT_EQ(cycle.State().AlertedLineStatus, 0);
    EXPECT_FALSE(cycle.State().ChargeAlerted);
}

TEST_F(PowerCycleTest, UncheckedOptionNeitherAlertsNorArmsButBatteryStillDisarms) {
    w.startCharging = true;
    Tick(1, 50);
    EXPECT_EQ(cycle.State().AlertedLineStatus, 1);
    EXPECT_TRUE(cycle.State().ChargeAlerted);
    w.startCharging = false;
    Tick(0, 50); // no alert, but the machine is disarmed
    EXPECT_EQ(cycle.State().AlertedLineStatus, 0);
    EXPECT_FALSE(cycle.State().ChargeAlerted);
    Tick(1, 50); // unchecked on AC: state unchanged
    EXPECT_EQ(cycle.State().AlertedLineStatus, 0);
    w.startCharging = true;
    Tick(1, 50); // checking it on AC raises the alert at the next tick
    Tick(2, 50); // source 2 leaves the machine alone
    EXPECT_EQ(cycle.State().AlertedLineStatus, 1);
    EXPECT_TRUE(cycle.State().ChargeAlerted);
    EXPECT_EQ(w.alerts, (std::vector<std::string>{"balloon Corvane :: Charging Started Alert.", "sound 0",
                                                  "balloon Corvane :: Charging Started Alert.", "sound 0"}));
}

TEST_F(PowerCycleTest, CriticalLevelFromAboveAndBelowOncePerArrival) {
    Tick(0, 12);
    Tick(0, 11);
    Tick(0, 10);
    ASSERT_EQ(w.alerts, (std::vector<std::string>{"balloon Battery Charge Level Critical", "sound 2"}));
    EXPECT_EQ(w.balloons[0], "Battery Charge Level Critical | Battery has reached the Critical Charge Level. "
                             "You're requested to either put the Unit for Battery Charging or Save your work "
                             "before power cut-off. | 3 | 2000");
    Tick(0, 10);
    Tick(0, 10);
    EXPECT_EQ(w.alerts.size(), 2u);
    Tick(1, 9);
    Tick(1, 10); // reached from below while charging
    EXPECT_EQ(w.alerts.size(), 4u);
    // Unticked: the user asked for no critical alert.
    w.chargeLow = false;
    Tick(1, 11);
    Tick(0, 10);
    EXPECT_EQ(w.alerts.size(), 4u);
}

TEST_F(PowerCycleTest, CriticalLevelTextIsReadAsALeadingNumber) {
    w.chargeAlert = "";
    Tick(0, 1);
    Tick(0, 0);
    EXPECT_EQ(w.alerts, (std::vector<std::string>{"balloon Battery Charge Level Critical", "sound 2"}));
    w.alerts.clear();
    w.chargeAlert = " 15 %";
    Tick(0, 16);
    Tick(0, 15);
    EXPECT_EQ(w.alerts.size(), 2u);
    EXPECT_EQ(LeadingNumber("abc"), 0);
    EXPECT_EQ(LeadingNumber("-3x"), -3);
    EXPECT_EQ(LeadingNumber("99999999999999999999"), 2147483648LL);
}

TEST_F(PowerCycleTest, CriticalAlertOnArrivalOrOnAFallOverTheLevel) {
    struct Case {
        int from, to;
        const char* level;
        bool alert;
    };
    const Case cases[] = {
        {12, 8, "10", true},   // jumped over it
        {11, 10, "10", true},  // landed on it
        {9, 10, "10", true},   // landed on it from below
        {11, 9, "10", true},
        {10, 9, "10", false},  // already alerted on arrival
        {8, 12, "10", false},  // rising past it is no reason to warn
        {50, 20, "10", false},
        {3, 0, "", true},      // empty text: level 0, reached
        {30, 2, " 5 %", true},
        {5, 1, "-1", false},   // a level no reading can fall below
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + " -> " + std::to_string(c.to) + " at '" + c.level + "'");
        World world;
        world.chargeAlert = c.level;
        PowerCycle cyc(world, world, world);
        cyc.ClearBaseline();
        world.Set(0, c.from);
        cyc.RefreshPowerStatus(TakeReading(world, world), world.Alerts());
        world.Set(0, c.to);
        cyc.RefreshPowerStatus(TakeReading(world, world), world.Alerts());
        const std::vector<std::string> critical{"balloon Battery Charge Level Critical", "sound 2"};
        EXPECT_EQ(world.alerts, c.alert ? critical : std::vector<std::string>{});
    }
}

TEST_F(PowerCycleTest, ResumeRestartsTheBaselineSoSleepIsNotCounted) {
    // Unchanged over the sleep: the next step is measured from the resume.
    Tick(0, 57);
    Tick(0, 57, 120);
    cycle.Resumed();
    w.monoMs += std::int64_t{8} * 3600 * 1000;
    Tick(0, 57, 0);
    Tick(0, 56, 300);
    EXPECT_EQ(cycle.State().EstimatedSeconds, 300 * 56);
    EXPECT_EQ(w.timeText, "4 Hour(s), 40 Minutes, 0 Seconds.");

    // Moved while asleep, over the critical level: the alert, a fresh baseline, no figure.
    w.chargeAlert = "50";
    cycle.Resumed();
    w.monoMs += std::int64_t{3} * 3600 * 1000;
    w.alerts.clear();
    Tick(0, 48, 0);
    EXPECT_EQ(w.alerts, (std::vector<std::string>{"balloon Battery Charge Level Critical", "sound 2"}));
    EXPECT_EQ(w.timeText, "(calculating ... please wait)");
    EXPECT_EQ(w.tip, "Charge: 48%");
    EXPECT_EQ(cycle.State().LastPercent, 48);
    Tick(0, 47, 60);
    EXPECT_EQ(w.tip, "Charge: 47% ; Time: 47 Minutes, 0 Seconds.");

    // An unknown reading right after the resume leaves the restart to the next known one.
    cycle.Resumed();
    w.monoMs += std::int64_t{3600} * 1000;
    Tick(0, 255, 0);
    Tick(0, 45, 0);
    EXPECT_EQ(w.tip, "Charge: 45%");
}

// The critical box's text gives one level, and the alert, the tray icon's warning and the
// chart's dashed line all keep to it: none warns where another never would.
TEST(CriticalLevel, OneLevelForTheAlertTheTrayIconAndTheChart) {
    struct Row {
        const char* text;
        int level; // -1: a level no charge can reach
    };
    for (const Row& r : {Row{"10", 10}, Row{"150", -1}, Row{"", 0}, Row{"7x", 7}, Row{"0", 0}, Row{"-5", -1}}) {
        SCOPED_TRACE(r.text);
        World w;
        w.chargeAlert = r.text;
        PowerCycle cycle(w, w, w);
        cycle.ClearBaseline();
        int alertedAt = -1;
        for (int percent = 100; percent >= 0; --percent) {
            w.Set(0, percent);
            w.alerts.clear();
            cycle.RefreshPowerStatus(TakeReading(w, w), w.Alerts());
            if (std::count(w.alerts.begin(), w.alerts.end(), "balloon Battery Charge Level Critical") > 0) {
                EXPECT_EQ(alertedAt, -1) << "alerted twice";
                alertedAt = percent;
            }
        }
        const std::optional<int> level = w.Alerts().CriticalLevel();
        int highestWarned = -1;
        for (int percent = 0; percent <= 100; ++percent) {
            if (tray::ChooseFace(percent, false, level.value_or(-1), false, 16)->warning) {
                highestWarned = percent;
            }
        }
        EXPECT_EQ(alertedAt, r.level) << "the alert";
        EXPECT_EQ(highestWarned, r.level) << "the tray icon";
        EXPECT_EQ(level.value_or(-1), r.level) << "the chart's line";
    }
}

TEST(PowerCycleFuzz, EveryFieldValueGivesOnlyTheCyclesOwnTexts) {
    // Every ACLineStatus with every percent, both with BatteryLifeTime unknown and known, and
    // BatteryFlag running through all its values alongside each of them; each reading follows
    // the previous one, so every kind of transition is met too.
    const std::vector<std::string> sources{"Battery level", "Working on battery power.",
                                           "AC Supply is connected to Unit.", "An unknown Source."};
    const std::vector<std::string> titles{"Corvane :: Battery Supply Resumed.", "Corvane :: Charging Started Alert.",
                                          "Battery Charge Level Critical", "Battery Charge Full."};
    const auto isDuration = [](const std::string& t) {
        if (t == "-unknown-" || t == "(calculating ... please wait)") {
            return true;
        }
        const std::size_t m = t.find(" Minutes, ");
        return m != std::string::npos && t.ends_with(" Seconds.") && t.find_first_of("0123456789") == 0;
    };
    World w;
    w.startCharging = true;
    PowerCycle cycle(w, w, w);
    cycle.ClearBaseline();
    for (int life = 0; life < 2; ++life) {
        for (int ac = 0; ac < 256; ++ac) {
            for (int percent = 0; percent < 256; ++percent) {
                w.status.ACLineStatus = static_cast<std::uint8_t>(ac);
                w.status.BatteryFlag = static_cast<std::uint8_t>(ac + percent);
                w.status.BatteryLifePercent = static_cast<std::uint8_t>(percent);
                w.status.BatteryLifeTime = life == 0 ? 0xFFFFFFFFu : 3600u * static_cast<std::uint32_t>(percent);
                w.monoMs += 1000 + percent;
                w.now = (w.now + 1) % kSecondsPerDay;
                cycle.RefreshPowerStatus(TakeReading(w, w), w.Alerts());
                const int shown = percent > 100 ? 100 : percent;
                ASSERT_EQ(w.barValue, shown);
                ASSERT_EQ(w.percentText, std::to_string(shown) + "%");
                ASSERT_NE(std::find(sources.begin(), sources.end(), w.pwrInfo), sources.end()) << w.pwrInfo;
                ASSERT_TRUE(isDuration(w.timeText)) << w.timeText;
                const std::string prefix = "Charge: " + std::to_string(cycle.State().LastPercent) + "%";
                ASSERT_TRUE(w.tip == prefix || (w.tip.starts_with(prefix + " ; Time: ") &&
                                                 isDuration(w.tip.substr(prefix.size() + 9))))
                    << w.tip;
                ASSERT_GE(cycle.State().LastPercent, 0);
                ASSERT_LE(cycle.State().LastPercent, 100);
            }
        }
    }
    for (const std::string& a : w.alerts) {
        const bool known = a == "sound 0" || a == "sound 1" || a == "sound 2" ||
                           std::find_if(titles.begin(), titles.end(),
                                        [&](const std::string& t) { return a == "balloon " + t; }) != titles.end();
        ASSERT_TRUE(known) << a;
    }
    EXPECT_GT(w.alerts.size(), 4u);
}

TEST_F(PowerCycleTest, FullAlertOnEveryArrivalAtHundredAfterTheCritical) {
    Tick(1, 98);
    Tick(1, 100);
    Tick(1, 100);
    Tick(1, 99);
    Tick(1, 100);
    EXPECT_EQ(w.alerts, (std::vector<std::string>{"balloon Battery Charge Full.", "sound 1",
                                                  "balloon Battery Charge Full.", "sound 1"}));
    EXPECT_EQ(w.balloons[0],
              "Battery Charge Full. | Battery has reached the 100% charge value. You may remove AC supply now. | 1 | 2000");
    w.alerts.clear();
    w.chargeAlert = "100";
    Tick(1, 99);
    Tick(1, 100);
    EXPECT_EQ(w.alerts, (std::vector<std::string>{"balloon Battery Charge Level Critical", "sound 2",
                                                  "balloon Battery Charge Full.", "sound 1"}));
    w.alerts.clear();
    w.endCharging = false;
    w.chargeLow = false;
    Tick(1, 99);
    Tick(1, 100);
    EXPECT_TRUE(w.alerts.empty());
}

TEST_F(PowerCycleTest, FailedReadShowsOneBoxAndChangesNothing) {
    Tick(0, 57);
    const CycleState before = cycle.State();
    w.failRead = true;
    // Timer ticks arriving while the box is open must not stack a second box.
    w.onErrorBox = [&] {
        cycle.RefreshPowerStatus(TakeReading(w, w), w.Alerts());
        cycle.RefreshPowerStatus(TakeReading(w, w), w.Alerts());
    };
    Tick(1, 40);
    EXPECT_EQ(w.errorBoxes, 1);
    EXPECT_EQ(w.percentText, "57%");
    EXPECT_EQ(w.pwrInfo, "Working on battery power.");
    EXPECT_EQ(cycle.State().LastPercent, before.LastPercent);
    // Once it is closed the cycle resumes, box by box while the failure lasts.
    w.onErrorBox = nullptr;
    Tick(1, 40);
    EXPECT_EQ(w.errorBoxes, 2);
    w.failRead = false;
    Tick(1, 40);
    EXPECT_EQ(w.percentText, "40%");
}

TEST_F(PowerCycleTest, TicksArrivingWhileAnAlertsBoxIsOpenAreSkipped) {
    w.startCharging = true;
    Tick(0, 57);
    // A sound file whose lookup fails opens its error box inside the tick; timer ticks keep
    // arriving while it is open.
    int opened = 0;
    w.onSound = [&] {
        if (opened++ == 0) {
            Tick(1, 57);
            Tick(1, 57);
        }
    };
    Tick(1, 57);
    EXPECT_EQ(w.alerts, (std::vector<std::string>{"balloon Corvane :: Charging Started Alert.", "sound 0"}));
    EXPECT_EQ(opened, 1);
    Tick(1, 57);
    EXPECT_EQ(w.alerts.size(), 2u);
}

TEST(FormatDuration, HoursOnlyWhenPositiveAndUnknownOnOverflow) {
    EXPECT_EQ(FormatDuration(3903), "1 Hour(s), 5 Minutes, 3 Seconds.");
    EXPECT_EQ(FormatDuration(125), "2 Minutes, 5 Seconds.");
    EXPECT_EQ(FormatDuration(0), "0 Minutes, 0 Seconds.");
    EXPECT_EQ(FormatDuration(3600), "1 Hour(s), 0 Minutes, 0 Seconds.");
    EXPECT_EQ(FormatDuration(3599), "59 Minutes, 59 Seconds.");
    // Negative inputs floor the hour; the hour part is left out as it is not above 0.
    EXPECT_EQ(FormatDuration(-5000), "36 Minutes, 40 Seconds.");
    EXPECT_EQ(FormatDuration(2147483647), "596523 Hour(s), 14 Minutes, 7 Seconds.");
    EXPECT_EQ(FormatDuration(-2147483647 - 1), "-unknown-");
    EXPECT_EQ(FormatDuration(-2147483000), "-unknown-");
    EXPECT_EQ(SecondsOfDay(23, 59, 59), 86399);
    EXPECT_EQ(SecondsOfDay(0, 0, 0), 0);
}

} // namespace
} // namespace corvane::app
