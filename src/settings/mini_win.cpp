#include "settings/mini_win.h"

#include <windows.h>

#include <vector>

#include "settings/ini_rules.h"

namespace corvane::mini {

namespace {
std::string g_iniFileName;
std::int32_t g_iniBufferSize = 0;
} // namespace

void INISetup(std::string fileName, std::int32_t bufferSize) {
    g_iniFileName = std::move(fileName);
    g_iniBufferSize = bufferSize;
}

std::string INIRead(std::string_view section, std::string_view key, std::string_view defaultValue) {
    ini::CheckSetup(g_iniBufferSize, g_iniFileName);
    std::vector<char> buffer(static_cast<std::size_t>(g_iniBufferSize), '\0');
    const std::string sec(section), k(key), def(defaultValue);
    const DWORD n = ::GetPrivateProfileStringA(sec.c_str(), k.c_str(), def.c_str(), buffer.data(),
                                               static_cast<DWORD>(buffer.size()), g_iniFileName.c_str());
    return ini::UnescapeLineBreaks(ini::TakeCount(buffer.data(), buffer.size(), n));
}

bool INIWrite(std::string_view section, std::string_view key, const GeneralValue& value) {
    ini::CheckSetup(g_iniBufferSize, g_iniFileName);
    const std::string text = ini::EscapeLineBreaks(value.ToText());
    const std::string sec(section), k(key);
    return ::WritePrivateProfileStringA(sec.c_str(), k.c_str(), text.c_str(), g_iniFileName.c_str()) != FALSE;
}

} // namespace corvane::mini
