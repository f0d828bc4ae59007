#pragma once
#include <string_view>

namespace corvane {

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing past
// U+10FFFF). Plain ASCII is UTF-8 too.
bool IsUtf8(std::string_view bytes);

} // namespace corvane
