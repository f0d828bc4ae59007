#pragma once
// The main window's options that act at once: always on top, start with Windows, the
// critical charge level and the bar's colour. The rules that need no window live here.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::app::options {

// The colour menu's entries, by index, and the bar look each one stands for.
inline constexpr int kColourCount = 5;
inline constexpr std::array<std::string_view, kColourCount> kColourNames = {"Blue", "Green", "Orange", "Red", "Gold"};
inline constexpr std::array<std::int32_t, kColourCount> kColourLooks = {1, 4, 6, 7, 3};
inline constexpr std::string_view kColourMenuCaption = "pgbColour";

// The bar look of a colour entry; none for an index that names no entry.
std::optional<std::int32_t> LookOfColour(std::int32_t index) noexcept;

inline constexpr std::string_view kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::string_view kRunValueName = "Corvane";
// GetShortPath's buffer and the length it hands to the system.
inline constexpr int kShortPathBuffer = 165;
inline constexpr int kShortPathLength = 164;

// What the Run value holds so that the shell can start the program: the short path, or the
// full path when there is no short one; in double quotes whenever a space would otherwise
// split it, and always for the full-path fallback.
std::string RunCommand(std::string_view fullPath, std::string_view shortPath);

// The critical level box takes digits and backspace only.
bool ChargeKeyPasses(unsigned characterCode) noexcept;
// Only the digits of pasted text, so a paste cannot bring in what typing may not.
std::string DigitsOf(std::string_view text);
// The text of a clipboard block of `size` bytes: up to its first zero, and never past its end,
// since another program may have put it there without one.
std::string_view TextInBlock(const char* block, std::size_t size) noexcept;

inline constexpr std::string_view kCriticalText = "Battery power is critical. Please connect your laptop to your charger.";
inline constexpr std::string_view kCriticalTitle = "Corvane Critical Charge Alert";

// Whether leaving the box with this text warns: its number is above the last charge level
// read (-1 while none is known).
bool CriticalAboveCharge(std::string_view chargeAlertText, std::int32_t lastPercent) noexcept;

} // namespace corvane::app::options
