#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/component_error.h"
#include "app/app_settings.h"

namespace corvane::settings {
namespace {

// An in-memory AppOpt.ini that logs every access in order; writes reach `values` only at the
// commit. One key, or the commit itself ("commit"), can be made to fail.
class MemoryFile : public SettingsFile {
public:
    void Setup(const std::string& name, std::int32_t size) override {
        log.push_back(name + " " + std::to_string(size));
        pending = values;
    }
    std::string Read(std::string_view section, std::string_view key, std::string_view byDefault) override {
        const auto it = values.find(std::string(section) + "/" + std::string(key));
        return it == values.end() ? std::string(byDefault) : it->second;
    }
    bool Write(std::string_view section, std::string_view key, std::string_view value) override {
        const std::string name = std::string(section) + "/" + std::string(key);
        if (name == failAt && raise) {
            throw ComponentError(670, "INIReadWrite", "Filename not set");
        }
        if (name == failAt) {
            return false;
        }
        log.push_back(name + "=" + std::string(value));
        pending[name] = value;
        return true;
    }
    bool Commit() override {
        log.push_back("commit");
        if (failAt == "commit") {
            return false;
        }
        values = pending;
        return true;
    }
    std::map<std::string, std::string> values, pending;
    std::vector<std::string> log;
    std::string failAt;
    bool raise = false;
};

// Default sound files that exist, by full path.
FileLookup Existing(std::set<std::string> files) {
    return [files = std::move(files)](const std::string& path) { return files.count(path) != 0; };
}

TEST(LoadSettings, NoFileGivesTheDefaults) {
    MemoryFile file;
    const UserOptions o = LoadSettings(file, "C:\\Corvane", Existing({"C:\\Corvane\\chg_full.wav"}));
    EXPECT_EQ(file.log, std::vector<std::string>{"C:\\Corvane\\AppOpt.ini 5000"});
    UserOptions expected; // the design states, but for start-with-Windows and the colour
    expected.startup = true;
    expected.barColour = 3;
    expected.soundFiles = {"", "C:\\Corvane\\chg_full.wav", ""};
    EXPECT_EQ(o, expected);
}

TEST(LoadSettings, StoredValuesWinAndBlankSoundsFallBackToTheDefaultFile) {
    MemoryFile file;
    file.values = {{"alert/chrg_start", "1"}, {"alert/chrg_100", "0"}, {"alert/chrg_low", "0"},
                   {"snd/chrg_start", "   "},  {"snd/chrg_100", "D:\\gone.wav"}, {"chrg/alert_val", ""},
                   {"settings/startup", "0"},  {"settings/ontop", "1"},          {"settings/pglook", "0"},
                   {"settings/traycharge", "1"}, {"settings/careon", "0"},      {"settings/careval", "55"}};
    // A drive's root: one backslash before each name.
    const UserOptions o = LoadSettings(file, "C:\\", Existing({"C:\\chg_start.wav"}));
    EXPECT_EQ(file.log.front(), "C:\\AppOpt.ini 5000");
    EXPECT_EQ(o.soundFiles, (std::array<std::string, 3>{"C:\\chg_start.wav", "D:\\gone.wav", ""}));
    EXPECT_EQ(o.chargeAlertText, "") << "an empty box stays empty";
    EXPECT_TRUE(o.startChargingAlert && !o.endChargingAlert && !o.chargeLowAlert);
    EXPECT_TRUE(!o.startup && o.onTop);
    EXPECT_EQ(o.barColour, 0);
    EXPECT_TRUE(o.trayCharge && !o.careOn);
    EXPECT_EQ(o.careLevel, 55);
}

TEST(LoadSettings, ValuesTheProgramNeverWritesTakeTheKeysDefault) {
    const struct {
        const char* stored;
        bool ontop;          // default unchecked
        bool endCharging;    // default checked
        std::int32_t colour; // default 3
        std::int32_t careLevel = 80; // default 80, from 50 to 100
    } cases[] = {
        {"0", false, false, 0}, {"1", true, true, 1},   {"01", true, true, 1},   {"+1", true, true, 1},
        {"4", false, true, 4},  {"2", false, true, 2},  {"-1", false, true, 3},  {"5", false, true, 3},
        {"yes", false, true, 3}, {"", false, true, 3},  {"1.0", false, true, 3}, {"99999999999", false, true, 3},
        {"50", false, true, 3, 50}, {"100", false, true, 3, 100}, {"49", false, true, 3}, {"101", false, true, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        MemoryFile file;
        file.values = {{"settings/ontop", c.stored},      {"alert/chrg_100", c.stored},  {"settings/pglook", c.stored},
                       {"settings/traycharge", c.stored}, {"settings/careon", c.stored}, {"settings/careval", c.stored}};
        const UserOptions o = LoadSettings(file, "C:", Existing({}));
        EXPECT_EQ(o.onTop, c.ontop);
        EXPECT_EQ(o.trayCharge, c.ontop);
        EXPECT_EQ(o.careOn, c.ontop);
        EXPECT_EQ(o.careLevel, c.careLevel);
        EXPECT_EQ(o.endChargingAlert, c.endCharging);
        EXPECT_EQ(o.barColour, c.colour);
    }
}

TEST(SaveSettings, WritesTheKeysInOrderAndPglookOnlyOnceAColourWasChosen) {
    MemoryFile file;
    file.values["settings/pglook"] = "2";
    UserOptions o;
    o.onTop = true;
    o.soundFiles = {"C:\\a b\\start.wav", "", "C:\\low.wav"};
    o.chargeAlertText = "";
    const CycleRecord cycle{-1, 1};
    EXPECT_TRUE(SaveSettings(file, o, cycle, "C:"));
    EXPECT_EQ(file.log, (std::vector<std::string>{
                            "C:\\AppOpt.ini 5000", "alert/chrg_start=0", "alert/chrg_100=1", "alert/chrg_low=1",
                            "snd/chrg_start=C:\\a b\\start.wav", "snd/chrg_100=", "snd/chrg_low=C:\\low.wav",
                            "chrg/alert_val=", "chrg/time_rec=-1", "chrg/line_status=1", "settings/startup=0",
                            "settings/ontop=1", "settings/traycharge=0", "settings/careon=0",
                            "settings/careval=80", "commit"}));
    EXPECT_EQ(file.values["settings/pglook"], "2") << "no colour chosen: the stored one stays";
    o.barColour = 1;
    o.trayCharge = true;
    o.careLevel = 65;
    EXPECT_TRUE(SaveSettings(file, o, cycle, "C:"));
    EXPECT_EQ(std::vector<std::string>(file.log.end() - 5, file.log.end()),
              (std::vector<std::string>{"settings/pglook=1", "settings/traycharge=1", "settings/careon=0",
                                        "settings/careval=65", "commit"}));
    EXPECT_EQ(file.values["settings/pglook"], "1");
}

// A save is whole or nothing: whatever step fails, the stored values stay as they were.
TEST(SaveSettings, AFailureAnywhereLeavesTheStoredValuesAndSaysSo) {
    const struct {
        const char* failAt;
        bool raise;
        bool committed;
    } cases[] = {{"alert/chrg_start", false, false}, {"snd/chrg_100", true, false},
                 {"settings/pglook", false, false}, {"settings/careval", true, false}, {"commit", false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failAt);
        MemoryFile file;
        file.values = {{"alert/chrg_start", "1"}, {"settings/pglook", "2"}};
        const auto before = file.values;
        file.failAt = c.failAt;
        file.raise = c.raise;
        UserOptions o;
        o.barColour = 0;
        EXPECT_FALSE(SaveSettings(file, o, CycleRecord{}, "C:"));
        EXPECT_EQ(file.values, before);
        EXPECT_EQ(file.log.back() == "commit", c.committed);
    }
}

} // namespace
} // namespace corvane::settings
