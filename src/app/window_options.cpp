#include "app/window_options.h"

#include "app/power_cycle.h"

namespace corvane::app::options {

std::optional<std::int32_t> LookOfColour(std::int32_t index) noexcept {
    if (index < 0 || index >= kColourCount) {
        return std::nullopt;
    }
    return kColourLooks[static_cast<std::size_t>(index)];
}

std::string RunCommand(std::string_view fullPath, std::string_view shortPath) {
    const bool fallback = shortPath.empty();
    const std::string_view path = fallback ? fullPath : shortPath;
    if (fallback || path.find(' ') != std::string_view::npos) {
        return "\"" + std::string(path) + "\"";
    }
    return std::string(path);
}

bool ChargeKeyPasses(unsigned characterCode) noexcept {
    return (characterCode >= '0' && characterCode <= '9') || characterCode == 8;
}

std::string DigitsOf(std::string_view text) {
    std::string digits;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digits += c;
        }
    }
    return digits;
}

std::string_view TextInBlock(const char* block, std::size_t size) noexcept {
    const std::string_view whole(block, block ? size : 0);
    return whole.substr(0, whole.find('\0'));
}

bool CriticalAboveCharge(std::string_view chargeAlertText, std::int32_t lastPercent) noexcept {
    // Before the first reading, and on a machine that reports no battery level, there is no
    // charge to be above: a warning then would claim a critical battery that nobody measured.
    return lastPercent >= 0 && LeadingNumber(chargeAlertText) > lastPercent;
}

} // namespace corvane::app::options
