#pragma once
// What the bar's painting needs from a drawing surface: its size, the sizes of the pictures
// it paints with, clearing, and a stretched copy of part of a picture. Lengths are floats
// because the painting keeps fractional sizes where the surface is measured that way; a
// pixel surface rounds them when it paints.
#include <cstdint>

namespace corvane::progressbar {

// The pictures the bar paints with. Piece0..Piece2 are the pieces of the current look
// (which look that is belongs to the surface); Blank is the white eraser piece.
enum class Picture : std::uint8_t { Frame, Piece0, Piece1, Piece2, Blank };

struct PaintRect {
    double x = 0;
    double y = 0;
    double w = 0;
    double h = 0;
    friend bool operator==(const PaintRect&, const PaintRect&) = default;
};

struct PictureSize {
    double width = 0;
    double height = 0;
};

class PaintTarget {
public:
    virtual ~PaintTarget() = default;

    virtual double Width() const = 0;
    virtual double Height() const = 0;
    virtual PictureSize SizeOf(Picture picture) const = 0;

    // Fills the whole surface with its background colour.
    virtual void Clear() = 0;
    // Copies `source` of the picture, stretched or squeezed to `dest`, replacing what was there.
    virtual void Paint(Picture picture, const PaintRect& dest, const PaintRect& source) = 0;
};

} // namespace corvane::progressbar
