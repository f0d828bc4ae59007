#pragma once
// The rules of the INI module that do not touch a file: the line-break escape and the
// checks made before every read and write.
#include <cstddef>
#include <cstdint>
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

} // namespace corvane::ini
