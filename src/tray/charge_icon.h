#pragma once
// What the tray icon shows while it carries the charge: the face (digits or a full battery,
// the AC mark, the colours), decided without any window so that the drawing code only paints
// what was decided here. Two equal faces paint the same pixels, so a caller keeps its icon
// while the face stays equal and the tick costs nothing.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "base/geometry.h"

namespace corvane::tray {

// The charge percent the system reports when it does not know it.
inline constexpr int kUnknownPercent = 255;

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct ChargeFace {
    std::string digits;      // "0".."99"; empty when fullBattery
    bool fullBattery = false; // 100: a full battery picture, since three digits do not fit 16 pixels legibly
    bool ac = false;          // the AC mark along the bottom edge
    bool warning = false;     // at or below the critical level
    Rgb ink;                  // digits or battery
    Rgb mark;                 // the AC mark
    int size = 0;             // the icon's side in pixels
    friend bool operator==(const ChargeFace&, const ChargeFace&) = default;
};

// The face for a reading; none when the charge is unknown (or outside 0..100), and then the
// program's own icon stands in. criticalLevel is the critical box's level (warning at or
// below it); lightTaskbar picks dark ink, a dark taskbar light ink.
std::optional<ChargeFace> ChooseFace(int percent, bool ac, int criticalLevel, bool lightTaskbar, int size);


// The AC mark: a bar across the bottom, thick enough to see at every size, with one free row
// above it so the digits never touch it. Empty width when there is no mark.
Rect AcMark(const ChargeFace& face);
// Where digits or the battery may go: the square less the mark and its gap.
Rect ContentArea(const ChargeFace& face);

// The ink a text leaves when drawn with its origin at (0, 0) at a font height, as measured by
// the caller (the drawing side renders it once and looks at the pixels).
using MeasureInk = std::function<Rect(int fontHeight)>;

struct TextPlacement {
    int fontHeight = 0; // 0: nothing fits
    int x = 0;          // where the text's origin goes so that its ink is centred in the area
    int y = 0;
};
// The largest font height (at most maxHeight) whose ink fits the area, and where to draw it.
TextPlacement FitText(const Rect& area, int maxHeight, const MeasureInk& measure);

// The full battery picture in the area: the body outline, its terminal on the right, and
// the fill inside, all whole pixels.
struct BatteryPicture {
    Rect body;
    int line = 1; // outline thickness
    Rect terminal;
    Rect fill;
};
BatteryPicture BatteryIn(const Rect& area);

} // namespace corvane::tray
