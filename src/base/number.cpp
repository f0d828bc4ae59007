#include "base/number.h"

#include <algorithm>

namespace corvane {

NumberScan ScanNumber(std::string_view text, std::size_t at, bool signs) noexcept {
    NumberScan scan;
    std::size_t i = at;
    bool negative = false;
    if (signs && i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        scan.value = std::min(scan.value * 10 + (text[i] - '0'), kNumberCap);
        ++scan.digits;
    }
    scan.end = i;
    if (negative) {
        scan.value = -scan.value;
    }
    return scan;
}

std::int64_t LeadingNumber(std::string_view text) noexcept {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    // Saturated one past the largest 32-bit value, as the program has always read it.
    constexpr std::int64_t kLimit = std::int64_t{0x80000000};
    return std::clamp(ScanNumber(text, i, true).value, -kLimit, kLimit);
}

std::optional<std::int32_t> WholeNumber(std::string_view text) noexcept {
    const NumberScan scan = ScanNumber(text, 0, true);
    if (scan.digits == 0 || scan.end != text.size() || scan.value > 0x7FFFFFFF || scan.value < -std::int64_t{0x80000000}) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(scan.value);
}

std::optional<std::uint32_t> Digits(std::string_view text) noexcept {
    if (text.empty() || text.size() > 10) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (value > 0xFFFFFFFFull) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

std::string ZeroPadded(long long value, int width) {
    std::string digits = std::to_string(value);
    return std::string(digits.size() < static_cast<std::size_t>(width) ? width - digits.size() : 0, '0') + digits;
}

} // namespace corvane
