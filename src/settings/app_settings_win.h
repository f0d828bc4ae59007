#pragma once
// The settings file through the INI module: AppOpt.ini as LoadSettings and SaveSettings see it.
#include "settings/app_settings.h"

namespace corvane::settings {

// Recodes a settings file written in the system's old code page to UTF-8, once, where the
// program runs in the UTF-8 code page; anything else is left as it is.
void MigrateToUtf8(const std::string& fileName, unsigned activeCodePage);

class ProfileSettingsFile final : public SettingsFile {
public:
    void Setup(const std::string& fileName, std::int32_t bufferSize) override;
    std::string Read(std::string_view section, std::string_view key, std::string_view defaultValue) override;
    bool Write(std::string_view section, std::string_view key, std::string_view value) override;
};

} // namespace corvane::settings
