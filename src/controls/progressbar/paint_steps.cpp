#include "controls/progressbar/paint_steps.h"

#include <cmath>
#include <limits>

namespace corvane::progressbar {
namespace {

// Nearest whole number, halves to even, as the control's whole-number conversions round.
double RoundWhole(double v) {
    return std::nearbyint(v);
}

std::int32_t ToUnits(double v) {
    const double r = RoundWhole(v);
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    if (!(r >= lo)) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (r > hi) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(r);
}

double UnitsOf(const BarValues& v) {
    return static_cast<double>(v.value) - static_cast<double>(v.min);
}

} // namespace

void BarPainter::PaintFrame(PaintTarget& target, const BarValues& values) {
    target.Clear();
    const double w = target.Width();
    const double h = target.Height();
    // Only the pieces spanning the height are rounded; the rest keep the surface's own units.
    const double sideHeight = RoundWhole(h - 2 * kBorder);
    const auto frame = [&target](PaintRect dest, PaintRect source) {
        target.Paint(Picture::Frame, dest, source);
    };
    frame({0, 0, 3, 3}, {0, 0, 3, 3});
    frame({w - 3, 0, 3, 3}, {56, 0, 3, 3});
    frame({w - 3, h - 3, 3, 3}, {56, 10, 3, 3});
    frame({0, h - 3, 3, 3}, {0, 10, 3, 3});
    frame({3, 0, w - 6, 3}, {3, 0, 12, 3});
    frame({w - 3, 3, 3, sideHeight}, {56, 3, 3, 3});
    frame({3, h - 3, w - 6, 3}, {3, 10, 1, 3});
    frame({0, 3, 3, sideHeight}, {0, 3, 3, 3});
    frame({3, 3, w - 6, sideHeight}, {4, 4, 51, 7});
    state_.sweepX = kFirstBlockX;
    Reset(target, values);
}

void BarPainter::Reset(const PaintTarget& target, const BarValues& values) {
    state_.cursorX = kFirstBlockX;
    if (state_.pendingRedraw) {
        state_.drawnUnits = state_.pendingUnits;
        state_.fillUnits = ToUnits(state_.pendingUnits);
        state_.pendingRedraw = false;
    } else {
        const double units = UnitsOf(values);
        state_.drawnUnits = units;
        state_.fillUnits = ToUnits(units);
        state_.lastUnits = units;
    }
    state_.barWidth = target.Width();
    state_.innerHeight = target.Height() - 2 * kBorder;
    const PictureSize piece = target.SizeOf(Picture::Piece0);
    state_.pieceWidth = piece.width;
    state_.pieceHeight = piece.height;
    state_.endReached = false;
}

void BarPainter::PaintBlocks(PaintTarget& target, const BarValues& values) {
    // An empty (or inverted) range has no width per unit: the bar stays an empty frame.
    if (values.max <= values.min) {
        PaintFrame(target, values);
        return;
    }
    // The first step after a Reset starts from a freshly framed surface.
    if (state_.cursorX == kFirstBlockX) {
        PaintFrame(target, values);
    }
    // Units are counted from min throughout, so a lower value repaints correctly whatever min is.
    const double units = UnitsOf(values);
    if (units < state_.lastUnits) {
        state_.pendingUnits = units;
        state_.pendingRedraw = true;
        PaintFrame(target, values);
    } else {
        state_.lastUnits = units;
    }
    if (values.value <= values.min) {
        PaintFrame(target, values);
    }

    const double range = static_cast<double>(values.max) - static_cast<double>(values.min);
    double step = range * 0.01;
    if (values.max != 100 && values.value > 0) {
        step = 0;
    }
    if (values.value < values.min + state_.drawnUnits) {
        return;
    }
    state_.drawnUnits += step;

    // A block is painted while its left edge lies left of barWidth * fillUnits / range. Compared
    // multiplied out, the test is exact for whole-pixel bars: a quotient such as
    // (100 / range) * (barWidth * 0.01) lands a hair above or below the whole number depending
    // on the FPU's precision, which decides whether a block is painted at an exact boundary.
    while (state_.cursorX * range < state_.barWidth * state_.fillUnits) {
        if (state_.cursorX + kBlockPitch >= state_.barWidth) {
            PaintBarEnd(target);
        }
        if (!state_.endReached) {
            PaintPiece(target, Picture::Piece2, state_.cursorX, state_.pieceWidth);
        }
        state_.cursorX += kBlockPitch;
        if (state_.endReached) {
            // Nothing more is painted until the next Reset; a value far beyond the range must
            // not walk the cursor out to it.
            break;
        }
    }
    if (state_.fillUnits < std::numeric_limits<std::int32_t>::max()) {
        ++state_.fillUnits;
    }
}

void BarPainter::PaintBarEnd(PaintTarget& target) {
    const double endWidth = (state_.barWidth - kBorder) - state_.cursorX;
    if (endWidth > 0) {
        PaintPiece(target, Picture::Piece2, state_.cursorX, endWidth);
    }
    state_.endReached = true;
}

void BarPainter::PaintSweep(PaintTarget& target) {
    const std::int32_t p = state_.sweepX;
    const double half = state_.pieceWidth / 2;
    const double width = state_.barWidth;
    if (p != 2 && p != kFirstBlockX) {
        PaintPiece(target, Picture::Blank, p - 5, half);
    }
    if (p + 20 < width) {
        PaintPiece(target, Picture::Piece2, p + 10, half);
    }
    if (p + 10 < width) {
        PaintPiece(target, Picture::Piece1, p + 5, half);
    }
    if (p + 5 < width) {
        PaintPiece(target, Picture::Piece0, p, half);
    }
    if (p + 5 >= width) {
        const double tail = RoundWhole(width - kBorder - p);
        if (tail >= 1) {
            PaintPiece(target, Picture::Blank, p, tail);
        }
        state_.sweepX = 2;
    } else if (p + 4 >= width) {
        state_.sweepX = 2;
    } else {
        state_.sweepX = p + 5;
    }
}

void BarPainter::PaintValue(PaintTarget& target, const BarValues& values, std::int32_t style) {
    if (style == 0) {
        PaintBlocks(target, values);
    } else if (values.value == values.max) {
        PaintFrame(target, values);
    } else {
        PaintSweep(target);
    }
}

void BarPainter::PaintPiece(PaintTarget& target, Picture picture, double x, double width) {
    PaintRect source{0, 0, state_.pieceWidth, state_.pieceHeight};
    if (picture == Picture::Blank) {
        const PictureSize blank = target.SizeOf(Picture::Blank);
        source = {0, 0, blank.width, blank.height};
    }
    target.Paint(picture, {x, kBorder, width, state_.innerHeight}, source);
}

} // namespace corvane::progressbar
