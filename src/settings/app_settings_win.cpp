#include "settings/app_settings_win.h"

#include <windows.h>

#include <optional>
#include <string>

#include "base/handles_win.h"
#include "base/text_win.h"
#include "base/utf8.h"
#include "settings/mini_win.h"

namespace corvane::settings {
namespace {

std::optional<std::string> ReadBytes(const std::string& path) {
    UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return std::nullopt;
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart > 16 * 1024 * 1024) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size())) {
        return std::nullopt;
    }
    return bytes;
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
    UniqueFile file(
        ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

} // namespace

void MigrateToUtf8(const std::string& fileName, unsigned activeCodePage) {
    // Where Windows runs the program in the UTF-8 code page, the profile calls read the file as
    // UTF-8: a file written in the system's old code page (by an earlier version, or by hand)
    // would turn a sound file's "é" into a replacement character, and the next save would
    // store that. Such a file is recoded once, whole, before anything reads it.
    if (activeCodePage != CP_UTF8) {
        return;
    }
    const std::optional<std::string> bytes = ReadBytes(fileName);
    if (!bytes || IsUtf8(*bytes) || bytes->rfind("\xFF\xFE", 0) == 0) {
        return; // missing, already UTF-8 (ASCII included), or UTF-16, which the calls read as such
    }
    const unsigned legacy = LegacyAnsiCodePage();
    if (legacy == CP_UTF8) {
        return;
    }
    // Written beside it first and then swapped in, so a failure never leaves half a file.
    const std::string temp = fileName + ".new";
    if (WriteBytes(temp, RecodeToUtf8(*bytes, legacy))) {
        if (!::MoveFileExA(temp.c_str(), fileName.c_str(), MOVEFILE_REPLACE_EXISTING)) {
            ::DeleteFileA(temp.c_str());
        }
    } else {
        ::DeleteFileA(temp.c_str());
    }
}

void ProfileSettingsFile::Setup(const std::string& fileName, std::int32_t bufferSize) {
    MigrateToUtf8(fileName, ::GetACP());
    mini::INISetup(fileName, bufferSize);
}

std::string ProfileSettingsFile::Read(std::string_view section, std::string_view key, std::string_view defaultValue) {
    return mini::INIRead(section, key, defaultValue);
}

bool ProfileSettingsFile::Write(std::string_view section, std::string_view key, std::string_view value) {
    return mini::INIWrite(section, key, GeneralValue(std::string(value)));
}

} // namespace corvane::settings
