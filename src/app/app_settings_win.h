#pragma once
// The settings file as LoadSettings and SaveSettings see it: read through the INI module, and
// saved whole, written beside the old file and swapped in, so a failed save changes nothing.
#include <string>

#include "app/app_settings.h"

namespace corvane::settings {

class ProfileSettingsFile final : public SettingsFile {
public:
    // The profile calls' code page: the process's own, or another one for a test.
    ProfileSettingsFile();
    explicit ProfileSettingsFile(unsigned activeCodePage);

    // Reads the file whole. Where the program runs in the UTF-8 code page, lines written in the
    // system's old code page are recoded to UTF-8 and the file stored so; when it cannot be
    // stored, the reads are answered from the recoded text instead.
    void Setup(const std::string& fileName, std::int32_t bufferSize) override;
    std::string Read(std::string_view section, std::string_view key, std::string_view defaultValue) override;
    bool Write(std::string_view section, std::string_view key, std::string_view value) override;
    bool Commit() override;

private:
    enum class Form { Missing, Unreadable, Bytes, Utf16Le, Utf16Be };
    std::string Stored() const;

    unsigned activeCodePage_;
    std::string fileName_;
    std::int32_t bufferSize_ = 0;
    Form form_ = Form::Missing;
    std::string byteOrderMark_; // a UTF-8 file's mark, kept as found
    std::string text_;          // in the code page the values come in, UTF-8 for a UTF-16 file
    bool readFromText_ = false;
};

// Stores the bytes as the file's whole content: written completely beside it, flushed, and
// swapped in with one call. False when any step failed; the old file is then untouched.
bool StoreWholeFile(const std::string& fileName, const std::string& bytes);

} // namespace corvane::settings
