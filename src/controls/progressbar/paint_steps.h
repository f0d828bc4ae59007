#pragma once
// The bar's painting: a frame stretched from a small image, then either a row of blocks up
// to the value (block style) or a small group of pieces that moves one step per value write
// (sweep style). Everything goes through a PaintTarget, so the geometry runs without a screen.
//
// The painting is incremental: what a step paints stays on the surface until the next frame
// clears it. The state below says how far the previous steps got.
#include <cstdint>

#include "controls/progressbar/paint_target.h"

namespace corvane::progressbar {

// The control's properties that the painting reads.
struct BarValues {
    std::int32_t min = 0;
    std::int32_t max = 100;
    std::int32_t value = 0;
};

struct PaintingState {
    double barWidth = 0;       // surface width, taken by Reset
    double innerHeight = 0;    // surface height minus the two borders, taken by Reset
    double pieceWidth = 0;     // size of the current look's first piece, taken by Reset
    double pieceHeight = 0;
    std::int32_t cursorX = 4;  // left edge of the next block
    std::int32_t fillUnits = 0;   // value units the current step fills up to
    double drawnUnits = 0;        // a step paints only once the value reaches min + this
    double lastUnits = 0;         // units seen by the previous step, to notice a decrease
    double pendingUnits = 0;      // units to paint after a decrease
    bool pendingRedraw = false;
    bool endReached = false;      // the squeezed end block is painted; no more blocks
    std::int32_t sweepX = 4;      // left edge of the sweep group
};

// Blocks are this wide, start this far apart, and begin at this x.
inline constexpr std::int32_t kBlockPitch = 10;
inline constexpr std::int32_t kFirstBlockX = 4;
// Width of the frame image's borders, and the size the frame's slice table is made for.
inline constexpr double kBorder = 3;

class BarPainter {
public:
    // Clears the surface, paints the frame as a nine-slice, and starts the painting afresh.
    // Runs on every resize and from the steps below.
    void PaintFrame(PaintTarget& target, const BarValues& values);

    // Takes the surface and piece sizes and prepares the next value write to repaint the bar
    // from its left end.
    void Reset(const PaintTarget& target, const BarValues& values);

    // One value write in the block style.
    void PaintBlocks(PaintTarget& target, const BarValues& values);

    // The last block of the bar, squeezed to end at the inner edge of the right border.
    void PaintBarEnd(PaintTarget& target);

    // One value write in the sweep style.
    void PaintSweep(PaintTarget& target);

    // What a value write paints: blocks for style 0; otherwise the sweep, or a cleared frame
    // once the value has reached the maximum.
    void PaintValue(PaintTarget& target, const BarValues& values, std::int32_t style);

    const PaintingState& State() const noexcept { return state_; }

private:
    void PaintPiece(PaintTarget& target, Picture picture, double x, double width);

    PaintingState state_;
};

} // namespace corvane::progressbar
