#include "app/main_layout.h"

#include <algorithm>

namespace corvane::app {

Rect Place(Rect design, int dpi) noexcept {
    return RectOfSize(ScaleDesign(design.left, dpi), ScaleDesign(design.top + kBannerHeight, dpi),
                      ScaleDesign(design.Width(), dpi), ScaleDesign(design.Height(), dpi));
}

ChargeLowRow LayoutChargeLow(Rect check, const ChargeLowMeasures& m, int dpi) noexcept {
    const int checkRight = check.left + m.checkMark + ScaleDesign(6, dpi) + m.lead;
    const int boxHeight = ScaleDesign(20, dpi);
    const int boxWidth = std::max(m.gap, ScaleDesign(28, dpi));
    ChargeLowRow row;
    row.check = {check.left, check.top, checkRight, check.bottom};
    row.box = RectOfSize(checkRight, check.top + (check.Height() - boxHeight) / 2, boxWidth, boxHeight);
    row.percent = RectOfSize(checkRight + boxWidth + ScaleDesign(3, dpi), check.top + (check.Height() - m.tailHeight) / 2,
                             m.tailWidth + ScaleDesign(2, dpi), m.tailHeight);
    return row;
}

} // namespace corvane::app
