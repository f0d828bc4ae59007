// Reading the tooltip back and the Latin-1 codec, kept apart so a program that does not use them does not carry them.
#include "tray/notify_record.h"

#include <algorithm>

namespace corvane::tray {

std::u16string Latin1Codec::Widen(std::string_view ansi) const {
    std::u16string out;
    out.reserve(ansi.size());
    for (char c : ansi) {
        out.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string Latin1Codec::Narrow(std::u16string_view wide) const {
    std::string out;
    out.reserve(wide.size());
    for (char16_t c : wide) {
        out.push_back(c < 256 ? static_cast<char>(c) : '?');
    }
    return out;
}

std::string TrayIconRecord::ToolTip() const {
    const auto* field = bytes_.data() + layout_.szTip;
    if (!interface_.unicode) {
        const auto* end = std::find(field, field + 128, std::uint8_t{0});
        return std::string(field, end);
    }
    std::u16string wide;
    for (std::uint32_t i = 0; i + 1 < layout_.tipBytes; i += 2) {
        const char16_t c = static_cast<char16_t>(field[i] | (field[i + 1] << 8));
        if (c == 0) {
            break;
        }
        wide.push_back(c);
    }
    return codec_.Narrow(wide);
}

} // namespace corvane::tray
