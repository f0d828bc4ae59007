#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace corvane {

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing past
// U+10FFFF). Plain ASCII is UTF-8 too.
bool IsUtf8(std::string_view bytes);

// The text with each line that is not UTF-8 replaced by what `recode` makes of it (the line
// break stays). Lines that are UTF-8 already are kept, so a text that is UTF-8 in part (an
// old file that newer values were written into) is never encoded twice.
std::string RecodeLinesNotUtf8(std::string_view text, const std::function<std::string(std::string_view)>& recode);

// The longest start of the text within maxBytes that does not end inside a character, for
// fixed-size fields such as a font's face name: half a character there names no font at all.
std::string_view Utf8Prefix(std::string_view text, std::size_t maxBytes);

} // namespace corvane
