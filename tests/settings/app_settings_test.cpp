#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/component_error.h"
#include "settings/app_settings.h"

namespace corvane::settings {
namespace {

// An in-memory AppOpt.ini that logs every read and write in order.
class MemoryFile : public SettingsFile {
public:
    void Setup(const std::string& fileName, std::int32_t bufferSize) override {
        log.push_back("setup " + fileName + " " + std::to_string(bufferSize));
    }
    std::string Read(std::string_view section, std::string_view key, std::string_view byDefault) override {
        const std::string name = std::string(section) + "/" + std::string(key);
        log.push_back("read " + name);
        const auto it = values.find(name);
        return it == values.end() ? std::string(byDefault) : it->second;
    }
    bool Write(std::string_view section, std::string_view key, std::string_view value) override {
        const std::string name = std::string(section) + "/" + std::string(key);
        if (name == throwAt) {
            throw ComponentError(670, "INIReadWrite", "Filename not set");
        }
        if (name == failAt) {
            return false;
        }
        log.push_back("write " + name + "=" + std::string(value));
        values[name] = value;
        return true;
    }
    std::map<std::string, std::string> values;
    std::vector<std::string> log;
    std::string failAt, throwAt;
};

// The window with its design states; check box changes and bar looks are logged as the
// click handlers would see them.
class Form : public SettingsForm {
public:
    bool Checked(Check box) const override { return checks.at(box); }
    void SetChecked(Check box, bool checked) override {
        if (checks[box] != checked) {
            checks[box] = checked;
            log.push_back("click " + std::to_string(static_cast<int>(box)));
        }
    }
    std::string SoundFile(int slot) const override { return sounds[static_cast<std::size_t>(slot)]; }
    void ShowSoundFile(int slot, const std::string& path) override { sounds[static_cast<std::size_t>(slot)] = path; }
    bool FileExists(const std::string& path) override { return existing.count(path) != 0; }
    std::string ChargeAlertText() const override { return chargeAlert; }
    void SetChargeAlertText(const std::string& text) override { chargeAlert = text; }
    std::int32_t LastChangeTime() const override { return lastChangeTime; }
    std::int32_t AlertedLineStatus() const override { return alertedLineStatus; }
    bool ColourTicked(int index) const override { return ticked.count(index) != 0; }
    void SetBarLook(std::int32_t index) override {
        ticked = {index};
        log.push_back("look " + std::to_string(index));
    }

    std::map<Check, bool> checks = {{Check::StartCharging, false}, {Check::EndCharging, true},
                                    {Check::ChargeLow, true},      {Check::Startup, false},
                                    {Check::OnTop, false}};
    std::array<std::string, 3> sounds;
    std::set<std::string> existing;
    std::string chargeAlert = "10";
    std::int32_t lastChangeTime = 0;
    std::int32_t alertedLineStatus = 0;
    std::set<int> ticked;
    std::vector<std::string> log;
};

constexpr char kFolder[] = "C:\\Program Files\\Corvane";

TEST(LoadSettings, NoFileGivesTheDefaultsInTheirOrder) {
    MemoryFile file;
    Form form;
    form.existing = {std::string(kFolder) + "\\chg_full.wav"};
    LoadSettings(file, form, kFolder);
    EXPECT_EQ(file.log, (std::vector<std::string>{
                            "setup C:\\Program Files\\Corvane\\AppOpt.ini 5000", "read alert/chrg_start",
                            "read alert/chrg_100", "read alert/chrg_low", "read snd/chrg_start", "read snd/chrg_100",
                            "read snd/chrg_low", "read chrg/alert_val", "read settings/startup",
                            "read settings/ontop", "read settings/pglook"}));
    // Only start-with-Windows changes from the design state: its click writes the Run value.
    EXPECT_EQ(form.log, (std::vector<std::string>{"click 3", "look 3"}));
    EXPECT_EQ(form.sounds, (std::array<std::string, 3>{"", std::string(kFolder) + "\\chg_full.wav", ""}));
    EXPECT_EQ(form.chargeAlert, "10");
    EXPECT_FALSE(form.checks[Check::OnTop]);
}

TEST(LoadSettings, StoredValuesWinAndBlankSoundsFallBackToTheDefaultFile) {
    MemoryFile file;
    file.values = {{"alert/chrg_start", "1"}, {"alert/chrg_100", "0"}, {"alert/chrg_low", "0"},
                   {"snd/chrg_start", "   "},  {"snd/chrg_100", "D:\\gone.wav"}, {"chrg/alert_val", ""},
                   {"settings/startup", "0"},  {"settings/ontop", "1"},          {"settings/pglook", "0"}};
    Form form;
    form.existing = {"C:\\chg_start.wav"};
    LoadSettings(file, form, "C:\\");  // a drive's root: one backslash before each name
    EXPECT_EQ(file.log.front(), "setup C:\\AppOpt.ini 5000");
    EXPECT_EQ(form.sounds, (std::array<std::string, 3>{"C:\\chg_start.wav", "D:\\gone.wav", ""}));
    EXPECT_EQ(form.chargeAlert, "") << "an empty box stays empty";
    EXPECT_EQ(form.log, (std::vector<std::string>{"click 0", "click 1", "click 2", "click 4", "look 0"}));
}

TEST(LoadSettings, ValuesTheProgramNeverWritesTakeTheKeysDefault) {
    const struct {
        const char* stored;
        bool checked;        // for a key whose default is unchecked
        std::int32_t colour; // as pglook
    } cases[] = {
        {"0", false, 0},  {"1", true, 1},    {"01", true, 1},  {"+1", true, 1},        {"4", false, 4},
        {"2", false, 2},  {"-1", false, 3},  {"5", false, 3},  {"yes", false, 3},      {"", false, 3},
        {"1.0", false, 3}, {"1x", false, 3}, {"-", false, 3},  {"99999999999", false, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        MemoryFile file;
        file.values = {{"settings/ontop", c.stored}, {"alert/chrg_100", c.stored}, {"settings/pglook", c.stored}};
        Form form;
        LoadSettings(file, form, kFolder);
        EXPECT_EQ(form.checks[Check::OnTop], c.checked);
        // The same texts for a key whose default is checked: anything but 0 or 1 keeps it so.
        const bool unknown = std::string(c.stored) != "0" && !c.checked;
        EXPECT_EQ(form.checks[Check::EndCharging], c.checked || unknown);
        EXPECT_EQ(form.ticked, std::set<int>{c.colour});
    }
}

TEST(SaveSettings, WritesTheTwelveKeysInOrder) {
    MemoryFile file;
    Form form;
    form.checks = {{Check::StartCharging, true}, {Check::EndCharging, false}, {Check::ChargeLow, true},
                   {Check::Startup, false},      {Check::OnTop, true}};
    form.sounds = {"C:\\a b\\start.wav", "", "C:\\low.wav"};
    form.chargeAlert = "";
    form.lastChangeTime = -1;
    form.alertedLineStatus = 1;
    form.ticked = {4};
    EXPECT_TRUE(SaveSettings(file, form, kFolder));
    EXPECT_EQ(file.log, (std::vector<std::string>{
                            "setup C:\\Program Files\\Corvane\\AppOpt.ini 5000", "write alert/chrg_start=1",
                            "write alert/chrg_100=0", "write alert/chrg_low=1", "write snd/chrg_start=C:\\a b\\start.wav",
                            "write snd/chrg_100=", "write snd/chrg_low=C:\\low.wav", "write chrg/alert_val=",
                            "write chrg/time_rec=-1", "write chrg/line_status=1", "write settings/startup=0",
                            "write settings/ontop=1", "write settings/pglook=4"}));
}

TEST(SaveSettings, PglookIsTheFirstTickedEntryAndKeptWhenNoneIs) {
    MemoryFile file;
    file.values["settings/pglook"] = "2";
    Form form;
    EXPECT_TRUE(SaveSettings(file, form, kFolder));
    EXPECT_EQ(file.values["settings/pglook"], "2");
    form.ticked = {3, 1};
    EXPECT_TRUE(SaveSettings(file, form, kFolder));
    EXPECT_EQ(file.values["settings/pglook"], "1");
}

TEST(SaveSettings, StopsAtTheFirstFailureAndSaysSo) {
    for (const bool raise : {false, true}) {
        MemoryFile file;
        (raise ? file.throwAt : file.failAt) = "snd/chrg_100";
        Form form;
        form.ticked = {0};
        EXPECT_FALSE(SaveSettings(file, form, kFolder));
        EXPECT_EQ(file.log.back(), "write snd/chrg_start=");
        EXPECT_EQ(file.values.count("settings/pglook"), 0u);
    }
}

TEST(SaveSettings, WhatIsSavedLoadsBackAsItWas) {
    MemoryFile file;
    Form saved;
    saved.checks = {{Check::StartCharging, true}, {Check::EndCharging, false}, {Check::ChargeLow, false},
                    {Check::Startup, false},      {Check::OnTop, true}};
    saved.sounds = {"C:\\x.wav", "C:\\y y.wav", ""};
    saved.chargeAlert = "25";
    saved.ticked = {1};
    ASSERT_TRUE(SaveSettings(file, saved, kFolder));
    Form loaded;
    LoadSettings(file, loaded, kFolder);
    EXPECT_EQ(loaded.checks, saved.checks);
    EXPECT_EQ(loaded.sounds, saved.sounds);
    EXPECT_EQ(loaded.chargeAlert, "25");
    EXPECT_EQ(loaded.ticked, saved.ticked);
}

TEST(WholeNumber, SignAndDigitsWithin32Bits) {
    EXPECT_EQ(WholeNumber("-2147483648"), INT32_MIN);
    EXPECT_EQ(WholeNumber("2147483647"), INT32_MAX);
    EXPECT_EQ(WholeNumber("2147483648"), std::nullopt);
    EXPECT_EQ(WholeNumber(" 1"), std::nullopt);
}

} // namespace
} // namespace corvane::settings
