#include "about/about_layout.h"

namespace corvane::about {

namespace {
int RoundedMulDiv(long long value, long long num, long long den) noexcept {
    const long long n = value * num;
    return static_cast<int>(n >= 0 ? (n + den / 2) / den : -((-n + den / 2) / den));
}
} // namespace

int TwipsToPixels(int twips, int dpi) noexcept { return RoundedMulDiv(twips, dpi, kTwipsPerInch); }

PixelRect ToPixels(const TwipsRect& rect, int dpi) noexcept {
    return PixelRect{TwipsToPixels(rect.left, dpi), TwipsToPixels(rect.top, dpi),
                     TwipsToPixels(rect.left + rect.width, dpi), TwipsToPixels(rect.top + rect.height, dpi)};
}

int FontHeight(int hundredthsOfPoint, int dpi) noexcept { return -RoundedMulDiv(hundredthsOfPoint, dpi, 7200); }

std::string VersionText(unsigned major, unsigned minor, unsigned revision) {
    return "Version " + std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(revision);
}

std::string MoreDetailsText() { return std::string(kMoreDetailsLead) + std::string(kProductWebPage); }

} // namespace corvane::about
