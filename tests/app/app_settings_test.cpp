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

// The window in its design states; check box changes are logged as the click handlers see them.
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
    std::int32_t LastChangeTime() const override { return -1; }
    std::int32_t AlertedLineStatus() const override { return 1; }
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
    std::set<int> ticked;
    std::vector<std::string> log;
};

TEST(LoadSettings, NoFileGivesTheDefaults) {
    MemoryFile file;
    Form form;
    form.existing = {"C:\\Corvane\\chg_full.wav"};
    LoadSettings(file, form, "C:\\Corvane");
    EXPECT_EQ(file.log, std::vector<std::string>{"C:\\Corvane\\AppOpt.ini 5000"});
    // Only start-with-Windows changes from the design state: its click writes the Run value.
    EXPECT_EQ(form.log, (std::vector<std::string>{"click 3", "look 3"}));
    EXPECT_EQ(form.sounds, (std::array<std::string, 3>{"", "C:\\Corvane\\chg_full.wav", ""}));
    EXPECT_EQ(form.chargeAlert, "10");
}

TEST(LoadSettings, StoredValuesWinAndBlankSoundsFallBackToTheDefaultFile) {
    MemoryFile file;
    file.values = {{"alert/chrg_start", "1"}, {"alert/chrg_100", "0"}, {"alert/chrg_low", "0"},
                   {"snd/chrg_start", "   "},  {"snd/chrg_100", "D:\\gone.wav"}, {"chrg/alert_val", ""},
                   {"settings/startup", "0"},  {"settings/ontop", "1"},          {"settings/pglook", "0"}};
    Form form;
    form.existing = {"C:\\chg_start.wav"};
    LoadSettings(file, form, "C:\\");  // a drive's root: one backslash before each name
    EXPECT_EQ(file.log.front(), "C:\\AppOpt.ini 5000");
    EXPECT_EQ(form.sounds, (std::array<std::string, 3>{"C:\\chg_start.wav", "D:\\gone.wav", ""}));
    EXPECT_EQ(form.chargeAlert, "") << "an empty box stays empty";
    // In their order: the alert options, then start-up, on top, and the colour last.
    EXPECT_EQ(form.log, (std::vector<std::string>{"click 0", "click 1", "click 2", "click 4", "look 0"}));
}

TEST(LoadSettings, ValuesTheProgramNeverWritesTakeTheKeysDefault) {
    const struct {
        const char* stored;
        bool ontop;          // default unchecked
        bool endCharging;    // default checked
        std::int32_t colour; // default 3
    } cases[] = {
        {"0", false, false, 0}, {"1", true, true, 1},   {"01", true, true, 1},   {"+1", true, true, 1},
        {"4", false, true, 4},  {"2", false, true, 2},  {"-1", false, true, 3},  {"5", false, true, 3},
        {"yes", false, true, 3}, {"", false, true, 3},  {"1.0", false, true, 3}, {"99999999999", false, true, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        MemoryFile file;
        file.values = {{"settings/ontop", c.stored}, {"alert/chrg_100", c.stored}, {"settings/pglook", c.stored}};
        Form form;
        LoadSettings(file, form, "C:");
        EXPECT_EQ(form.checks[Check::OnTop], c.ontop);
        EXPECT_EQ(form.checks[Check::EndCharging], c.endCharging);
        EXPECT_EQ(form.ticked, std::set<int>{c.colour});
    }
}

TEST(SaveSettings, WritesTheKeysInOrderAndPglookFromTheFirstTickedEntry) {
    MemoryFile file;
    file.values["settings/pglook"] = "2";
    Form form;
    form.checks[Check::OnTop] = true;
    form.sounds = {"C:\\a b\\start.wav", "", "C:\\low.wav"};
    form.chargeAlert = "";
    EXPECT_TRUE(SaveSettings(file, form, "C:"));
    EXPECT_EQ(file.log, (std::vector<std::string>{
                            "C:\\AppOpt.ini 5000", "alert/chrg_start=0", "alert/chrg_100=1", "alert/chrg_low=1",
                            "snd/chrg_start=C:\\a b\\start.wav", "snd/chrg_100=", "snd/chrg_low=C:\\low.wav",
                            "chrg/alert_val=", "chrg/time_rec=-1", "chrg/line_status=1", "settings/startup=0",
                            "settings/ontop=1", "commit"}));
    EXPECT_EQ(file.values["settings/pglook"], "2") << "no entry ticked: the stored colour stays";
    form.ticked = {3, 1};
    EXPECT_TRUE(SaveSettings(file, form, "C:"));
    EXPECT_EQ(file.log.end()[-2], "settings/pglook=1");
    EXPECT_EQ(file.values["settings/pglook"], "1");
}

// A save is whole or nothing: whatever step fails, the stored values stay as they were.
TEST(SaveSettings, AFailureAnywhereLeavesTheStoredValuesAndSaysSo) {
    const struct {
        const char* failAt;
        bool raise;
        bool committed;
    } cases[] = {{"alert/chrg_start", false, false}, {"snd/chrg_100", true, false},
                 {"settings/pglook", false, false}, {"commit", false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failAt);
        MemoryFile file;
        file.values = {{"alert/chrg_start", "1"}, {"settings/pglook", "2"}};
        const auto before = file.values;
        file.failAt = c.failAt;
        file.raise = c.raise;
        Form form;
        form.ticked = {0};
        EXPECT_FALSE(SaveSettings(file, form, "C:"));
        EXPECT_EQ(file.values, before);
        EXPECT_EQ(file.log.back() == "commit", c.committed);
    }
}

} // namespace
} // namespace corvane::settings
