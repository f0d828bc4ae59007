#include "app/app_settings.h"

#include <array>
#include <exception>
#include <limits>

#include "app/care_reminder.h"
#include "app/sounds.h"
#include "app/window_options.h"

namespace corvane::settings {

namespace {

// A check box's key: "1" checked, "0" not.
struct CheckKey {
    std::string_view section;
    std::string_view key;
    bool byDefault;
    bool UserOptions::*option;
};

constexpr std::array<CheckKey, 3> kAlertKeys = {{
    {"alert", "chrg_start", false, &UserOptions::startChargingAlert},
    {"alert", "chrg_100", true, &UserOptions::endChargingAlert},
    {"alert", "chrg_low", true, &UserOptions::chargeLowAlert},
}};
constexpr std::array<CheckKey, 2> kSettingsKeys = {{
    {"settings", "startup", true, &UserOptions::startup},
    {"settings", "ontop", false, &UserOptions::onTop},
}};
constexpr std::array<std::string_view, sounds::kSlotCount> kSoundKeys = {"chrg_start", "chrg_100", "chrg_low"};
constexpr std::int32_t kDefaultColour = 3;

// Only 0 and 1 are check states the program writes; 2 would be the greyed third state,
// which none of these options has, so like anything else unknown it means the default.
void LoadCheck(SettingsFile& file, UserOptions& options, const CheckKey& k) {
    const std::optional<std::int32_t> stored = WholeNumber(file.Read(k.section, k.key, k.byDefault ? "1" : "0"));
    options.*k.option = stored == 0 || stored == 1 ? *stored == 1 : k.byDefault;
}

bool SaveCheck(SettingsFile& file, const UserOptions& options, const CheckKey& k) {
    return file.Write(k.section, k.key, options.*k.option ? "1" : "0");
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

UserOptions LoadSettings(SettingsFile& file, std::string_view programFolder, const FileLookup& fileExists) {
    UserOptions options;
    file.Setup(InFolder(programFolder, kFileName), kBufferSize);
    for (const CheckKey& k : kAlertKeys) {
        LoadCheck(file, options, k);
    }
    for (int slot = 0; slot < sounds::kSlotCount; ++slot) {
        const auto i = static_cast<std::size_t>(slot);
        const std::string stored = file.Read("snd", kSoundKeys[i], "");
        if (!IsBlank(stored)) {
            options.soundFiles[i] = stored;
            continue;
        }
        const std::string byDefault = InFolder(programFolder, sounds::kDefaultFiles[i]);
        if (fileExists(byDefault)) {
            options.soundFiles[i] = byDefault;
        }
    }
    options.chargeAlertText = file.Read("chrg", "alert_val", "10");
    for (const CheckKey& k : kSettingsKeys) {
        LoadCheck(file, options, k);
    }
    const std::optional<std::int32_t> colour = WholeNumber(file.Read("settings", "pglook", "3"));
    options.barColour = colour && app::options::LookOfColour(*colour) ? *colour : kDefaultColour;
    // Keys of later versions come after pglook, so the earlier one reads its own keys unchanged.
    namespace care = app::care;
    options.trayCharge = care::ParseFlag(file.Read(care::kSection, care::kTrayChargeKey, care::kFlagDefault));
    options.careOn = care::ParseFlag(file.Read(care::kSection, care::kCareOnKey, care::kFlagDefault));
    options.careLevel = care::ParseLevel(file.Read(care::kSection, care::kCareValKey, care::kCareValDefault));
    return options;
}

bool SaveSettings(SettingsFile& file, const UserOptions& options, CycleRecord cycle, std::string_view programFolder) {
    try {
        file.Setup(InFolder(programFolder, kFileName), kBufferSize);
        for (const CheckKey& k : kAlertKeys) {
            if (!SaveCheck(file, options, k)) {
                return false;
            }
        }
        for (int slot = 0; slot < sounds::kSlotCount; ++slot) {
            const auto i = static_cast<std::size_t>(slot);
            if (!file.Write("snd", kSoundKeys[i], options.soundFiles[i])) {
                return false;
            }
        }
        if (!file.Write("chrg", "alert_val", options.chargeAlertText) ||
            !file.Write("chrg", "time_rec", std::to_string(cycle.lastChangeTime)) ||
            !file.Write("chrg", "line_status", std::to_string(cycle.alertedLineStatus))) {
            return false;
        }
        for (const CheckKey& k : kSettingsKeys) {
            if (!SaveCheck(file, options, k)) {
                return false;
            }
        }
        // No colour chosen yet: the stored one stays.
        if (options.barColour && !file.Write("settings", "pglook", std::to_string(*options.barColour))) {
            return false;
        }
        namespace care = app::care;
        if (!file.Write(care::kSection, care::kTrayChargeKey, care::FlagText(options.trayCharge)) ||
            !file.Write(care::kSection, care::kCareOnKey, care::FlagText(options.careOn)) ||
            !file.Write(care::kSection, care::kCareValKey, care::LevelText(options.careLevel))) {
            return false;
        }
        return file.Commit();
    } catch (const std::exception&) {
        // The module's own errors (and running out of memory) end the save like a failed write.
        return false;
    }
}

} // namespace corvane::settings
