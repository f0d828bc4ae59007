#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/power_cycle.h"

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
    void SetPowerInfo(std::string_view t) override { pwrInfo = t; }
    void SetPercentText(std::string_view t) override { percentText = t; }
    void ResetBar() override { log.push_back("reset"); }
    void SetBarValue(std::int32_t v) override { log.push_back("bar " + std::to_string(v)); }
    void SetTimeText(std::string_view t) override { timeText = t; }
    bool StartChargingChecked() const override { return startCharging; }
    bool EndChargingChecked() const override { return endCharging; }
    bool ChargeLowChecked() const override { return chargeLow; }
    std::string ChargeAlertText() const override { return chargeAlert; }
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
    std::vector<std::string> log;
    std::vector<std::string> balloons;
    std::vector<std::string> alerts;
};

class PowerCycleTest : public ::testing::Test {
protected:
    PowerCycleTest() : cycle(w, w, w, w, w) { cycle.ClearBaseline(); }

    // One tick at the given reading, `after` seconds after the previous one.
    void Tick(int ac, int percent, std::int32_t after = 2) {
        w.now += after;
        w.Set(ac, percent);
        cycle.RefreshPowerStatus();
    }

    World w;
    PowerCycle cycle;
};

TEST_F(PowerCycleTest, FirstKnownReadingTakesTheBaselineAndLeavesTheTimeAlone) {
    Tick(0, 57);
    EXPECT_EQ(w.log, (std::vector<std::string>{"reset", "bar 57"}));
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
    EXPECT_EQ(w.log.size(), 42u); // Reset before every Value write
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

TEST_F(PowerCycleTest, StepAcrossMidnightIsMeasuredOverTheDayBoundary) {
    w.now = kSecondsPerDay - 60;
    Tick(0, 51, 0);
    w.now = 40 - 2; // 23:59:00 -> 00:00:40
    Tick(0, 50);
    EXPECT_EQ(cycle.State().EstimatedSeconds, 100 * 50);
    EXPECT_EQ(w.timeText, "1 Hour(s), 23 Minutes, 20 Seconds.");
}

TEST_F(PowerCycleTest, UnreadableClockShowsUnknownInsteadOfAFigure) {
    w.now = kUnknownTime;
    Tick(0, 57, 0);
    Tick(0, 56, 0);
    EXPECT_EQ(w.timeText, "-unknown-");
    EXPECT_EQ(w.tip, "Charge: 56% ; Time: -unknown-");
    // The clock comes back: the step measured from an unknown time is still unknown,
    w.now = 5000;
    Tick(0, 55, 0);
    EXPECT_EQ(w.timeText, "-unknown-");
    // and the next one is a real figure again.
    Tick(0, 54, 10);
    EXPECT_EQ(w.timeText, "9 Minutes, 0 Seconds.");
}

TEST_F(PowerCycleTest, UnknownPercentShowsFullBarAndKeepsTheLastKnownReading) {
    Tick(0, 57);
    const std::int32_t baselineTime = cycle.State().LastChangeTime;
    w.log.clear();
    Tick(0, 255);
    EXPECT_EQ(w.log, (std::vector<std::string>{"reset", "bar 100"}));
    EXPECT_EQ(w.percentText, "100%");
    EXPECT_EQ(w.tip, "Charge: 57%");
    EXPECT_EQ(cycle.State().LastPercent, 57);
    EXPECT_EQ(cycle.State().LastChangeTime, baselineTime);
    // The next known reading is measured against the last known one.
    Tick(0, 56, 8);
    EXPECT_EQ(cycle.State().EstimatedSeconds, 10 * 56);

    // 255 before any baseline takes none.
    PowerCycle fresh(w, w, w, w, w);
    fresh.ClearBaseline();
    w.Set(0, 255);
    fresh.RefreshPowerStatus();
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
    PowerCycle c(other, other, other, other, other);
    other.startCharging = true;
    other.Set(255, 40);
    c.RefreshPowerStatus();
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
        cycle.RefreshPowerStatus();
        cycle.RefreshPowerStatus();
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
