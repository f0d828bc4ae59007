#pragma once
// The bar's eight colour looks, in ProgressLook order.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace corvane::progressbar {

inline constexpr int kLookCount = 8;
inline constexpr int kPiecesPerLook = 3;

inline constexpr std::array<std::string_view, kLookCount> kLookNames = {
    "master", "blue", "bluemet", "goldmet", "grmet", "greymet", "orangemet", "redmet"};

// The look a ProgressLook value selects. Any other value selects none: the bar keeps the
// pieces it has.
constexpr std::optional<int> LookForProgressLook(std::int32_t progressLook) {
    if (progressLook < 0 || progressLook >= kLookCount) {
        return std::nullopt;
    }
    return static_cast<int>(progressLook);
}

} // namespace corvane::progressbar
