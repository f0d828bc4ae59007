#pragma once
// The progress bar's pictures, loaded from the program's resources: the frame, the white
// eraser piece and the three pieces of each of the eight looks.
#include <windows.h>

#include <array>
#include <memory>

#include "base/handles_win.h"
#include "controls/progressbar/paint_looks.h"

namespace corvane::progressbar {

struct BarArt {
    UniqueBitmap frame;  // 59 x 13
    UniqueBitmap blank;  // 8 x 10, white
    std::array<std::array<UniqueBitmap, kPiecesPerLook>, kLookCount> pieces;  // 8 x 10 each
};

// Loads every picture from `module`'s resources (nullptr: the program itself). Returns null
// when any of them is missing, so a bar never paints with half its pictures. One set can be
// shared by any number of bars.
std::shared_ptr<const BarArt> LoadBarArt(HINSTANCE module = nullptr);

// The program's own set, loaded by the first bar that asks and released with the last one.
// User-interface thread only.
std::shared_ptr<const BarArt> SharedBarArt();

} // namespace corvane::progressbar
