#include "tray/charge_icon.h"

#include <algorithm>

namespace corvane::tray {

namespace {

// Chosen for contrast against the taskbar itself: Windows' light taskbar is near white, its
// dark one near black, and both warning reds stay apart from the ink at 16 pixels.
constexpr Rgb kInkOnLight{0x10, 0x10, 0x10};
constexpr Rgb kInkOnDark{0xFF, 0xFF, 0xFF};
constexpr Rgb kWarningOnLight{0xC4, 0x1E, 0x1E};
constexpr Rgb kWarningOnDark{0xFF, 0x5A, 0x4A};
constexpr Rgb kMarkOnLight{0x0A, 0x7A, 0x1E};
constexpr Rgb kMarkOnDark{0x5C, 0xE0, 0x6A};

int MarkThickness(int size) { return std::max(2, size / 8); }

} // namespace

std::optional<ChargeFace> ChooseFace(int percent, bool ac, int criticalLevel, bool lightTaskbar, int size) {
    if (percent < 0 || percent > 100 || size <= 0) {
        return std::nullopt;
    }
    ChargeFace face;
    face.fullBattery = percent == 100;
    if (!face.fullBattery) {
        face.digits = std::to_string(percent);
    }
    face.ac = ac;
    face.warning = percent <= criticalLevel;
    if (face.warning) {
        face.ink = lightTaskbar ? kWarningOnLight : kWarningOnDark;
    } else {
        face.ink = lightTaskbar ? kInkOnLight : kInkOnDark;
    }
    if (ac) {
        face.mark = lightTaskbar ? kMarkOnLight : kMarkOnDark;
    }
    face.size = size;
    return face;
}

Rect AcMark(const ChargeFace& face) {
    if (!face.ac) {
        return RectOfSize(0, face.size, 0, 0);
    }
    const int thickness = MarkThickness(face.size);
    return RectOfSize(0, face.size - thickness, face.size, thickness);
}

Rect ContentArea(const ChargeFace& face) {
    const int reserved = face.ac ? MarkThickness(face.size) + 1 : 0;
    return RectOfSize(0, 0, face.size, face.size - reserved);
}

TextPlacement FitText(const Rect& area, int maxHeight, const MeasureInk& measure) {
    // Ink does not always grow with every step of the height (hinting), so each height is
    // tried from the top rather than bisected.
    for (int height = maxHeight; height > 0; --height) {
        const Rect ink = measure(height);
        if (ink.Width() <= area.Width() && ink.Height() <= area.Height()) {
            TextPlacement p;
            p.fontHeight = height;
            p.x = area.left + (area.Width() - ink.Width()) / 2 - ink.left;
            p.y = area.top + (area.Height() - ink.Height()) / 2 - ink.top;
            return p;
        }
    }
    return {};
}

BatteryPicture BatteryIn(const Rect& area) {
    BatteryPicture b;
    const int side = std::min(area.Width(), area.Height());
    b.line = std::max(1, side / 14);
    const int terminalWidth = std::max(b.line + 1, area.Width() / 8);
    // A battery is wider than tall; about 5:8 reads as one at every size.
    const int bodyHeight = std::max(3 * b.line + 1, area.Height() * 5 / 8);
    b.body = RectOfSize(area.left, area.top + (area.Height() - bodyHeight) / 2, area.Width() - terminalWidth, bodyHeight);
    const int terminalHeight = std::max(b.line, bodyHeight / 2);
    b.terminal = RectOfSize(b.body.right, b.body.top + (bodyHeight - terminalHeight) / 2, terminalWidth, terminalHeight);
    // One clear line between outline and fill keeps the outline visible as an outline.
    const int inset = 2 * b.line;
    b.fill = RectOfSize(b.body.left + inset, b.body.top + inset, std::max(0, b.body.Width() - 2 * inset),
                        std::max(0, bodyHeight - 2 * inset));
    return b;
}

} // namespace corvane::tray
