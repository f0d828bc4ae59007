#pragma once
// The names the bar's properties are stored under; private to src/controls/progressbar.
#include <string_view>

namespace corvane::progressbar::names {
inline constexpr std::string_view kMinName = "Min";
inline constexpr std::string_view kMaxName = "Max";
inline constexpr std::string_view kValueName = "Value";
inline constexpr std::string_view kStyleName = "Style";
inline constexpr std::string_view kLookName = "ProgressLook";
} // namespace corvane::progressbar::names
