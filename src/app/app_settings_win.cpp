#include "app/app_settings_win.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>

#include "base/handles_win.h"
#include "base/text_win.h"
#include "base/utf8.h"
#include "settings/ini_rules.h"
#include "settings/mini_win.h"

namespace corvane::settings {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

struct FileBytes {
    bool missing = false;
    std::optional<std::string> bytes; // none when the file is there but cannot be read
};

FileBytes ReadBytes(const std::string& path) {
    // Shared as the profile calls share it, so an editor holding the file open does not stop us.
    UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = ::GetLastError();
        return {error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND, std::nullopt};
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart > 16 * 1024 * 1024) {
        return {};
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size())) {
        return {};
    }
    return {false, std::move(bytes)};
}

std::string SwapBytePairs(std::string bytes) {
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        std::swap(bytes[i], bytes[i + 1]);
    }
    return bytes;
}

std::string Utf16ToUtf8(std::string_view littleEndian) {
    std::wstring wide(littleEndian.size() / 2, L'\0');
    for (std::size_t i = 0; i < wide.size(); ++i) {
        wide[i] = static_cast<wchar_t>(static_cast<unsigned char>(littleEndian[2 * i]) |
                                       static_cast<unsigned char>(littleEndian[2 * i + 1]) << 8);
    }
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                        nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::string Utf8ToUtf16(std::string_view utf8) {
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    std::string out;
    out.reserve(wide.size() * 2);
    for (const wchar_t c : wide) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>((c >> 8) & 0xFF));
    }
    return out;
}

bool WriteAll(HANDLE file, const std::string& bytes) {
    DWORD written = 0;
    return bytes.empty() || (::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                             written == bytes.size());
}

} // namespace

bool StoreWholeFile(const std::string& fileName, const std::string& bytes) {
    // A hidden or system file stays so.
    const DWORD old = ::GetFileAttributesA(fileName.c_str());
    const DWORD kept = old == INVALID_FILE_ATTRIBUTES ? 0 : old & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    // The usual name first; others only when something (a folder of that name, a file an
    // antivirus holds) is in its way. A name left by an interrupted save is simply reused.
    for (const char* suffix : {".new", ".new1", ".new2", ".new3"}) {
        const std::string temp = fileName + suffix;
        UniqueFile file(::CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      kept ? kept : FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            continue;
        }
        // Every step is checked: a full disk must never pass for a saved file.
        const bool written = WriteAll(file.get(), bytes) && ::FlushFileBuffers(file.get());
        const bool closed = ::CloseHandle(file.release()) != FALSE;
        if (written && closed &&
            ::MoveFileExA(temp.c_str(), fileName.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        ::DeleteFileA(temp.c_str());
        return false;
    }
    return false;
}

ProfileSettingsFile::ProfileSettingsFile() : ProfileSettingsFile(::GetACP()) {}

ProfileSettingsFile::ProfileSettingsFile(unsigned activeCodePage) : activeCodePage_(activeCodePage) {}

void ProfileSettingsFile::Setup(const std::string& fileName, std::int32_t bufferSize) {
    mini::INISetup(fileName, bufferSize);
    fileName_ = fileName;
    bufferSize_ = bufferSize;
    byteOrderMark_.clear();
    text_.clear();
    readFromText_ = false;

    FileBytes file = ReadBytes(fileName);
    if (!file.bytes) {
        form_ = file.missing ? Form::Missing : Form::Unreadable;
        return;
    }
    std::string_view bytes = *file.bytes;
    if (bytes.substr(0, 2) == kUtf16LeMark || bytes.substr(0, 2) == kUtf16BeMark) {
        // The profile calls read and write such a file as UTF-16; edited here in UTF-8.
        form_ = bytes.substr(0, 2) == kUtf16LeMark ? Form::Utf16Le : Form::Utf16Be;
        const std::string body(bytes.substr(2));
        text_ = Utf16ToUtf8(form_ == Form::Utf16Le ? body : SwapBytePairs(body));
        return;
    }
    form_ = Form::Bytes;
    if (bytes.substr(0, 3) == kUtf8Mark) {
        byteOrderMark_ = kUtf8Mark;
        bytes.remove_prefix(3);
    }
    text_ = std::string(bytes);
    // In the UTF-8 code page the profile calls would turn an old code page's "é" into a
    // replacement character, and a save would store that for good.
    const unsigned legacy = LegacyAnsiCodePage();
    if (activeCodePage_ != CP_UTF8 || legacy == CP_UTF8 || IsUtf8(text_)) {
        return;
    }
    text_ = RecodeLinesNotUtf8(text_, [legacy](std::string_view line) { return RecodeToUtf8(line, legacy); });
    readFromText_ = !StoreWholeFile(fileName, Stored());
}

std::string ProfileSettingsFile::Read(std::string_view section, std::string_view key, std::string_view defaultValue) {
    if (!readFromText_) {
        return mini::INIRead(section, key, defaultValue);
    }
    ini::CheckSetup(bufferSize_, fileName_);
    std::string value = ini::FindValue(text_, section, key).value_or(std::string(defaultValue));
    // As the profile call: no more than the buffer holds, less its closing NUL.
    value.resize(std::min(value.size(), static_cast<std::size_t>(bufferSize_ - 1)));
    return ini::UnescapeLineBreaks(value);
}

bool ProfileSettingsFile::Write(std::string_view section, std::string_view key, std::string_view value) {
    ini::CheckSetup(bufferSize_, fileName_);
    std::string stored = ini::EscapeLineBreaks(value);
    if ((form_ == Form::Utf16Le || form_ == Form::Utf16Be) && activeCodePage_ != CP_UTF8) {
        stored = RecodeToUtf8(stored, activeCodePage_);
    }
    text_ = ini::SetValue(text_, section, key, stored);
    return true;
}

bool ProfileSettingsFile::Commit() {
    // What could not be read is never replaced: its other sections would be lost.
    return form_ != Form::Unreadable && StoreWholeFile(fileName_, Stored());
}

std::string ProfileSettingsFile::Stored() const {
    switch (form_) {
    case Form::Utf16Le: return std::string(kUtf16LeMark) + Utf8ToUtf16(text_);
    case Form::Utf16Be: return std::string(kUtf16BeMark) + SwapBytePairs(Utf8ToUtf16(text_));
    default: return byteOrderMark_ + text_;
    }
}

} // namespace corvane::settings
