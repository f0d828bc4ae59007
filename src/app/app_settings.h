#pragma once
// AppOpt.ini: the keys that keep the user's choices between runs, their defaults, and the
// order in which start-up reads them and the end of the program writes them back. The file
// is reached through the small port below, so the rules run anywhere.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/user_options.h"
#include "base/number.h"

namespace corvane::settings {

using app::UserOptions;

inline constexpr std::string_view kFileName = "\\AppOpt.ini";
inline constexpr std::int32_t kBufferSize = 5000;

inline constexpr std::string_view kSaveErrorText =
    "Error in Saving Application Settings for future use. Please try re-installing Corvane to solve this problem.";
inline constexpr std::string_view kSaveErrorTitle = "Error in Saving Application Settings ...";

// A name that starts with a backslash, appended to a folder with exactly one backslash
// between them ("C:\" and "\AppOpt.ini" give "C:\AppOpt.ini").
std::string InFolder(std::string_view folder, std::string_view backslashName);

// The INI module as the settings use it.
class SettingsFile {
public:
    virtual ~SettingsFile() = default;
    virtual void Setup(const std::string& fileName, std::int32_t bufferSize) = 0;
    virtual std::string Read(std::string_view section, std::string_view key, std::string_view defaultValue) = 0;
    // Sets the value for the next Commit; false when it cannot be. May raise ComponentError.
    virtual bool Write(std::string_view section, std::string_view key, std::string_view value) = 0;
    // Stores the file whole, with every value written since Setup; false when it could not,
    // and then the file is as it was before.
    virtual bool Commit() = 0;
};

// The two items of the power cycle's state that a save records (and a load ignores).
struct CycleRecord {
    std::int32_t lastChangeTime = 0;
    std::int32_t alertedLineStatus = 0;
};

// Whether a default sound file is there.
using FileLookup = std::function<bool(const std::string& path)>;

// The stored choices over the design states. Missing keys, and values that are not what the
// program writes (not a whole number, a check state other than 0 or 1, a colour beyond the
// menu), take the key's default; a blank sound slot takes its default file when that exists.
UserOptions LoadSettings(SettingsFile& file, std::string_view programFolder, const FileLookup& fileExists);

// Writes the choices and commits them at once; false when any step failed, and then nothing
// of the save reached the file.
bool SaveSettings(SettingsFile& file, const UserOptions& options, CycleRecord cycle, std::string_view programFolder);

} // namespace corvane::settings
