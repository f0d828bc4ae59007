#include "app/app_settings.h"

#include <array>
#include <exception>
#include <limits>

#include "app/sounds.h"
#include "app/window_options.h"

namespace corvane::settings {

namespace {

struct CheckKey {
    Check box;
    std::string_view section;
    std::string_view key;
    bool byDefault;
};

constexpr std::array<CheckKey, 3> kAlertKeys = {{
    {Check::StartCharging, "alert", "chrg_start", false},
    {Check::EndCharging, "alert", "chrg_100", true},
    {Check::ChargeLow, "alert", "chrg_low", true},
}};
constexpr CheckKey kStartupKey = {Check::Startup, "settings", "startup", true};
constexpr CheckKey kOnTopKey = {Check::OnTop, "settings", "ontop", false};
constexpr std::array<std::string_view, sounds::kSlotCount> kSoundKeys = {"chrg_start", "chrg_100", "chrg_low"};
constexpr std::int32_t kDefaultColour = 3;

// Only 0 and 1 are check states the program writes; 2 would be the greyed third state,
// which none of these options has, so like anything else unknown it means the default.
void LoadCheck(SettingsFile& file, SettingsForm& form, const CheckKey& k) {
    const std::optional<std::int32_t> stored = WholeNumber(file.Read(k.section, k.key, k.byDefault ? "1" : "0"));
    const bool checked = stored == 0 || stored == 1 ? *stored == 1 : k.byDefault;
    form.SetChecked(k.box, checked);
}

} // namespace

std::string InFolder(std::string_view folder, std::string_view backslashName) {
    std::string path(folder);
    if (!path.empty() && path.back() == '\\' && !backslashName.empty() && backslashName.front() == '\\') {
        path.pop_back();
    }
    path.append(backslashName);
    return path;
}

std::optional<std::int32_t> WholeNumber(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size()) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - '0');
        if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) {
            return std::nullopt;
        }
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

void LoadSettings(SettingsFile& file, SettingsForm& form, std::string_view programFolder) {
    file.Setup(InFolder(programFolder, kFileName), kBufferSize);
    for (const CheckKey& k : kAlertKeys) {
        LoadCheck(file, form, k);
    }
    for (int slot = 0; slot < sounds::kSlotCount; ++slot) {
        const auto i = static_cast<std::size_t>(slot);
        const std::string stored = file.Read("snd", kSoundKeys[i], "");
        if (!IsBlank(stored)) {
            form.ShowSoundFile(slot, stored);
            continue;
        }
        const std::string byDefault = InFolder(programFolder, sounds::kDefaultFiles[i]);
        if (form.FileExists(byDefault)) {
            form.ShowSoundFile(slot, byDefault);
        }
    }
    form.SetChargeAlertText(file.Read("chrg", "alert_val", "10"));
    LoadCheck(file, form, kStartupKey);
    LoadCheck(file, form, kOnTopKey);
    const std::optional<std::int32_t> colour = WholeNumber(file.Read("settings", "pglook", "3"));
    form.SetBarLook(colour && app::options::LookOfColour(*colour) ? *colour : kDefaultColour);
}

bool SaveSettings(SettingsFile& file, const SettingsForm& form, std::string_view programFolder) {
    const auto check = [&](const CheckKey& k) {
        return file.Write(k.section, k.key, form.Checked(k.box) ? "1" : "0");
    };
    try {
        file.Setup(InFolder(programFolder, kFileName), kBufferSize);
        for (const CheckKey& k : kAlertKeys) {
            if (!check(k)) {
                return false;
            }
        }
        for (int slot = 0; slot < sounds::kSlotCount; ++slot) {
            if (!file.Write("snd", kSoundKeys[static_cast<std::size_t>(slot)], form.SoundFile(slot))) {
                return false;
            }
        }
        if (!file.Write("chrg", "alert_val", form.ChargeAlertText()) ||
            !file.Write("chrg", "time_rec", std::to_string(form.LastChangeTime())) ||
            !file.Write("chrg", "line_status", std::to_string(form.AlertedLineStatus())) || !check(kStartupKey) ||
            !check(kOnTopKey)) {
            return false;
        }
        for (int index = 0; index < app::options::kColourCount; ++index) {
            if (form.ColourTicked(index)) {
                if (!file.Write("settings", "pglook", std::to_string(index))) {
                    return false;
                }
                break;
            }
        }
        return file.Commit();
    } catch (const std::exception&) {
        // The module's own errors (and running out of memory) end the save like a failed write.
        return false;
    }
}

} // namespace corvane::settings
