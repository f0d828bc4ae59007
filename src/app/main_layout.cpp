#include "app/main_layout.h"

#include <algorithm>

namespace corvane::app {

int ScaleDesign(int designValue, int dpi) noexcept {
    // Halves round away from zero, as MulDiv does, so both agree at every DPI.
    const long long scaled = static_cast<long long>(designValue) * dpi;
    const long long half = kDesignedAtDpi / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kDesignedAtDpi : -((-scaled + half) / kDesignedAtDpi));
}

LayoutRect Place(DesignRect design, int dpi) noexcept {
    return {ScaleDesign(design.x, dpi), ScaleDesign(design.y + kBannerHeight, dpi), ScaleDesign(design.w, dpi),
            ScaleDesign(design.h, dpi)};
}

ChargeLowRow LayoutChargeLow(LayoutRect check, const ChargeLowMeasures& m, int dpi) noexcept {
    const int checkRight = check.left + m.checkMark + ScaleDesign(6, dpi) + m.lead;
    const int boxHeight = ScaleDesign(20, dpi);
    const int boxWidth = std::max(m.gap, ScaleDesign(28, dpi));
    ChargeLowRow row;
    row.check = {check.left, check.top, checkRight - check.left, check.height};
    row.box = {checkRight, check.top + (check.height - boxHeight) / 2, boxWidth, boxHeight};
    row.percent = {checkRight + boxWidth + ScaleDesign(3, dpi), check.top + (check.height - m.tailHeight) / 2,
                   m.tailWidth + ScaleDesign(2, dpi), m.tailHeight};
    return row;
}

} // namespace corvane::app
