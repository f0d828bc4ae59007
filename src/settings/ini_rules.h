#pragma once
// The rules of the INI module that do not touch a file: the line-break escape, the checks
// made before every read and write, and finding and setting a key in a file's whole text.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::ini {

// Stands in the file for one CR LF pair, so that every value stays on one line.
inline constexpr std::string_view kLineBreakToken = "%%&&Chr(13)&&%%";

inline constexpr std::int32_t kErrorNumber = 670;
inline constexpr std::string_view kErrorSource = "INIReadWrite";

// CR LF pairs become the token; lone CRs and LFs stay as they are.
std::string EscapeLineBreaks(std::string_view text);
// Every token becomes CR LF, scanning left to right.
std::string UnescapeLineBreaks(std::string_view text);

// Raises error 670 when the module is not set up; the buffer size is checked first.
void CheckSetup(std::int32_t bufferSize, std::string_view fileName);

// The value a read returns: exactly `count` characters of the buffer (never more than it
// holds), without looking for a NUL.
std::string TakeCount(const char* buffer, std::size_t bufferSize, std::size_t count);

// A file's text is read as the profile calls read it: the first section of that name (case
// ignored, spaces around it ignored), in it the first line whose part before "=" is the key.
// The value is what follows the "=", without spaces and tabs around it and without one pair
// of surrounding quotes; nothing when the section or the key is missing.
std::optional<std::string> FindValue(std::string_view text, std::string_view section, std::string_view key);

// The text with the key set to the value, every other byte kept: an existing key's line keeps
// everything up to its "=", a new key goes after the last line of its section, a new section
// at the end of the text. New lines end in CR LF.
std::string SetValue(std::string_view text, std::string_view section, std::string_view key, std::string_view value);

} // namespace corvane::ini
