#pragma once
// Numbers in text, read and written one way for the whole program: one scan of an optional sign
// and digits, saturating instead of overflowing, and three forms of it for what a caller asks.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

struct NumberScan {
    std::int64_t value = 0;   // saturated at kNumberCap (negated when negative)
    std::size_t digits = 0;   // how many digits were read
    std::size_t end = 0;      // where the scan stopped
};
// Beyond every 32-bit value, either sign: a longer run of digits reads as this, never wraps.
inline constexpr std::int64_t kNumberCap = std::int64_t{0x80000001};

// From `at`: an optional sign when `signs`, then digits.
NumberScan ScanNumber(std::string_view text, std::size_t at, bool signs) noexcept;

// As a leading-number parser reads a text: blanks skipped, an optional sign, then digits; no
// digits give 0.
std::int64_t LeadingNumber(std::string_view text) noexcept;
// The whole text is an optional sign and digits, within 32 bits.
std::optional<std::int32_t> WholeNumber(std::string_view text) noexcept;
// The whole text is digits only (no sign), at most 10 of them: what the program's own files hold.
std::optional<std::uint32_t> Digits(std::string_view text) noexcept;

// A non-negative number in at least `width` digits, zeros in front ("07"). The C library's
// formatting would bring MinGW's whole printf into the program for these few digits.
std::string ZeroPadded(long long value, int width);

} // namespace corvane
