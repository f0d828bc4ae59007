#pragma once
// mini: the program's only path to INI files, through the private-profile calls.
// One file at a time; INISetup names it before a batch of reads and writes.
#include <cstdint>
#include <string>
#include <string_view>

#include "base/general_value.h"

namespace corvane::mini {

void INISetup(std::string fileName, std::int32_t bufferSize);

// The key's value with line-break tokens turned back into CR LF, or the default when the
// key, section or file is missing. Raises ComponentError 670 when not set up.
std::string INIRead(std::string_view section, std::string_view key, std::string_view defaultValue);

// Stores a number as its decimal text, a text with CR LF pairs escaped. Returns false when
// the system could not write the file (read-only, locked, no such folder), so that a caller
// can tell the user. Raises ComponentError 670 when not set up.
bool INIWrite(std::string_view section, std::string_view key, const GeneralValue& value);

} // namespace corvane::mini
