#pragma once
#include <cstddef>
#include <string_view>

namespace corvane {

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing past
// U+10FFFF). Plain ASCII is UTF-8 too.
bool IsUtf8(std::string_view bytes);

// The longest start of the text within maxBytes that does not end inside a character, for
// fixed-size fields such as a font's face name: half a character there names no font at all.
std::string_view Utf8Prefix(std::string_view text, std::size_t maxBytes);

} // namespace corvane
