#include "about/about_layout.h"

namespace corvane::about {

int TwipsToPixels(int twips, int dpi) noexcept { return MulDivRounded(twips, dpi, kTwipsPerInch); }

Rect ToPixels(const Rect& twips, int dpi) noexcept {
    return Rect{TwipsToPixels(twips.left, dpi), TwipsToPixels(twips.top, dpi), TwipsToPixels(twips.right, dpi),
                TwipsToPixels(twips.bottom, dpi)};
}

int FontHeight(int hundredthsOfPoint, int dpi) noexcept { return -MulDivRounded(hundredthsOfPoint, dpi, 7200); }

std::string VersionText(unsigned major, unsigned minor, unsigned revision) {
    return "Version " + std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(revision);
}

std::string MoreDetailsText() { return std::string(kMoreDetailsLead) + std::string(kProductWebPage); }

} // namespace corvane::about
