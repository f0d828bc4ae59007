#include "settings/ini_rules.h"

#include "base/component_error.h"

namespace corvane::ini {

namespace {
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    for (;;) {
        const std::size_t hit = text.find(from, pos);
        if (hit == std::string_view::npos) {
            break;
        }
        out.append(text.substr(pos, hit - pos));
        out.append(to);
        pos = hit + from.size();
    }
    out.append(text.substr(pos));
    return out;
}
} // namespace

std::string EscapeLineBreaks(std::string_view text) { return ReplaceAll(text, "\r\n", kLineBreakToken); }

std::string UnescapeLineBreaks(std::string_view text) { return ReplaceAll(text, kLineBreakToken, "\r\n"); }

void CheckSetup(std::int32_t bufferSize, std::string_view fileName) {
    // A negative size cannot make a buffer either: treat it as not set rather than crash.
    if (bufferSize <= 0) {
        throw ComponentError(kErrorNumber, std::string(kErrorSource), "Buffer size not set");
    }
    if (fileName.empty()) {
        throw ComponentError(kErrorNumber, std::string(kErrorSource), "Filename not set");
    }
}

std::string TakeCount(const char* buffer, std::size_t bufferSize, std::size_t count) {
    if (count == 0 || buffer == nullptr) {
        return {};
    }
    return std::string(buffer, count < bufferSize ? count : bufferSize);
}

} // namespace corvane::ini
