#include "base/utf8.h"

namespace corvane {

bool IsUtf8(std::string_view bytes) {
    std::size_t i = 0;
    const std::size_t n = bytes.size();
    while (i < n) {
        const auto b0 = static_cast<unsigned char>(bytes[i]);
        if (b0 < 0x80) {
            ++i;
            continue;
        }
        std::size_t len = 0;
        unsigned char lo = 0x80, hi = 0xBF; // the allowed range of the second byte
        if (b0 >= 0xC2 && b0 <= 0xDF) {
            len = 2;
        } else if (b0 >= 0xE0 && b0 <= 0xEF) {
            len = 3;
            if (b0 == 0xE0) lo = 0xA0;      // overlong
            if (b0 == 0xED) hi = 0x9F;      // surrogates
        } else if (b0 >= 0xF0 && b0 <= 0xF4) {
            len = 4;
            if (b0 == 0xF0) lo = 0x90;      // overlong
            if (b0 == 0xF4) hi = 0x8F;      // past U+10FFFF
        } else {
            return false;
        }
        if (n - i < len) return false;
        const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
        if (b1 < lo || b1 > hi) return false;
        for (std::size_t k = 2; k < len; ++k) {
            const auto b = static_cast<unsigned char>(bytes[i + k]);
            if (b < 0x80 || b > 0xBF) return false;
        }
        i += len;
    }
    return true;
}

std::string RecodeLinesNotUtf8(std::string_view text, const std::function<std::string(std::string_view)>& recode) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t lf = text.find('\n', pos);
        const std::size_t end = lf == std::string_view::npos ? text.size() : lf;
        const std::string_view line = text.substr(pos, end - pos);
        out.append(IsUtf8(line) ? std::string(line) : recode(line));
        if (lf != std::string_view::npos) {
            out.push_back('\n');
        }
        pos = end + 1;
    }
    return out;
}

std::string_view Utf8Prefix(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) {
        return text;
    }
    std::size_t n = maxBytes;
    // Back off over continuation bytes to the lead byte of the character that was cut.
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) {
        --n;
    }
    return text.substr(0, n);
}

} // namespace corvane
