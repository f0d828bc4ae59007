#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/care_reminder.h"

namespace corvane::app::care {
namespace {

struct Step {
    int percent;
    bool ac;
    bool enabled = true;
    int level = 80;
    bool held = false;
};

// One character per reading: 'R' a reminder, '.' none.
std::string Feed(const std::vector<Step>& steps) {
    Reminder machine;
    std::string out;
    for (const Step& s : steps) {
        out += machine.Reading(s.enabled, s.level, s.percent, s.ac, s.held) ? 'R' : '.';
    }
    return out;
}

constexpr bool AC = true;
constexpr bool BAT = false;
constexpr int UNKNOWN = 255;

TEST(CareReminder, CrossingsTable) {
    struct Row {
        const char* what;
        std::vector<Step> steps;
        const char* expected;
    };
    const Row rows[] = {
        {"charging through the level reminds once", {{78, AC}, {79, AC}, {80, AC}, {81, AC}, {100, AC}}, "..R.."},
        {"a jump over the level reminds at the first reading above", {{70, AC}, {85, AC}, {86, AC}}, ".R."},
        {"a fresh run on AC above the level reminds once", {{85, AC}, {85, AC}}, "R."},
        {"on battery nothing", {{79, BAT}, {80, BAT}, {81, BAT}}, "..."},
        {"connecting above the level reminds", {{85, AC}, {85, BAT}, {85, AC}, {86, AC}}, "R.R."},
        {"unplug and plug again reminds again", {{79, AC}, {80, AC}, {80, BAT}, {80, AC}}, ".R.R"},
        {"unplugged for good: not again", {{79, AC}, {80, AC}, {80, BAT}, {81, BAT}}, ".R.."},
        {"falling three below re-arms", {{80, AC}, {77, AC}, {80, AC}}, "R.R"},
        {"held at the level by a charge limit: once", {{80, AC}, {79, AC}, {80, AC}, {78, AC}, {80, AC}}, "R...."},
        {"hovering at the level: once", {{80, AC}, {80, AC}, {80, AC}}, "R.."},
        {"unknown readings neither raise", {{79, AC}, {UNKNOWN, AC}, {80, AC}, {UNKNOWN, AC}, {81, AC}}, "..R.."},
        {"nor re-arm", {{80, AC}, {UNKNOWN, BAT}, {UNKNOWN, AC}, {80, AC}}, "R..."},
        {"a connection across unknown readings still counts",
         {{85, AC}, {85, BAT}, {UNKNOWN, AC}, {85, AC}}, "R..R"},
        {"unticked: nothing", {{79, AC, false}, {80, AC, false}, {81, AC, false}}, "..."},
        {"ticking above the level reminds of the charge not yet reminded of",
         {{79, AC, false}, {80, AC, false}, {81, AC, true}, {82, AC, true}}, "..R."},
        {"level 100 waits for the full charge", {{99, AC, true, 100}, {100, AC, true, 100}}, ".R"},
        {"level 50", {{49, AC, true, 50}, {50, AC, true, 50}}, ".R"},
        {"a charge limit holding it at the level: none",
         {{78, AC}, {80, AC, true, 80, true}, {80, AC, true, 80, true}, {81, AC, true, 80, true}}, "...."},
        {"charging again past the level after being held: once",
         {{80, AC, true, 80, true}, {81, AC}, {82, AC}}, ".R."},
        {"raising the level re-arms below it", {{85, AC}, {86, AC, true, 90}, {90, AC, true, 90}}, "R.R"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(Feed(r.steps), r.expected) << r.what;
    }
}

TEST(CareReminder, BalloonCarriesItsTextsIconTimeOutAndSound) {
    Reminder machine;
    const auto b = machine.Reading(true, 80, 83, true);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->message, "Battery has reached 83% charge. Remove the AC supply now to help the battery last longer.");
    EXPECT_EQ(b->title, "Corvane :: Battery Care Reminder.");
    EXPECT_EQ(b->icon, 1);
    EXPECT_EQ(b->timeOutMs, 2000);
    EXPECT_EQ(b->soundSlot, 1);
}

TEST(CareReminder, LevelBoxText) {
    struct Row {
        const char* text;
        int level; // 0: refused
    };
    const Row rows[] = {{"", 80},    {"80", 80}, {"50", 50},  {"100", 100},   {"0100", 100}, {"49", 0},
                        {"101", 0},  {"0", 0},   {"8a", 0},   {" 80", 0},     {"-80", 0},    {"99999999999", 0}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        const LevelCheck c = CheckLevelText(r.text);
        EXPECT_EQ(c.level.value_or(0), r.level);
        EXPECT_EQ(c.refusal.empty(), r.level != 0);
    }
    EXPECT_EQ(CheckLevelText("49").refusal,
              "The reminder level must be a whole number from 50 to 100 (percent). An empty box means 80.");
}

TEST(CareReminder, StoredKeysGiveTheirDefaultsForGarbage) {
    struct Row {
        const char* stored;
        bool flag;
        int level;
    };
    const Row rows[] = {{"1", true, 80},  {"0", false, 80},   {"", false, 80},   {"yes", false, 80},
                        {"2", false, 80}, {"-1", false, 80},  {"50", false, 50}, {"100", false, 100},
                        {"49", false, 80}, {"101", false, 80}, {"8O", false, 80}, {"75", false, 75}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.stored);
        EXPECT_EQ(ParseFlag(r.stored), r.flag);
        EXPECT_EQ(ParseLevel(r.stored), r.level);
    }
    EXPECT_TRUE(ParseFlag(FlagText(true)));
    EXPECT_FALSE(ParseFlag(FlagText(false)));
    EXPECT_EQ(ParseLevel(LevelText(65)), 65);
    EXPECT_EQ(ParseFlag(kFlagDefault), false);
    EXPECT_EQ(ParseLevel(kCareValDefault), kDefaultLevel);
}

} // namespace
} // namespace corvane::app::care
