#include "settings/app_settings_win.h"

#include "settings/mini_win.h"

namespace corvane::settings {

void ProfileSettingsFile::Setup(const std::string& fileName, std::int32_t bufferSize) {
    mini::INISetup(fileName, bufferSize);
}

std::string ProfileSettingsFile::Read(std::string_view section, std::string_view key, std::string_view defaultValue) {
    return mini::INIRead(section, key, defaultValue);
}

bool ProfileSettingsFile::Write(std::string_view section, std::string_view key, std::string_view value) {
    return mini::INIWrite(section, key, GeneralValue(std::string(value)));
}

} // namespace corvane::settings
