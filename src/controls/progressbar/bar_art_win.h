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
    // -1: every look's pieces are here. Otherwise only this look's: a bar shows one look at a
    // time, and keeping the other seven for a colour change that rarely comes costs all day.
    int onlyLook = -1;
};

// Loads every picture from `module`'s resources (nullptr: the program itself). Returns null
// when any of them is missing, so a bar never paints with half its pictures. One set can be
// shared by any number of bars.
std::shared_ptr<const BarArt> LoadBarArt(HINSTANCE module = nullptr);

// The program's own frame, eraser and the pieces of one look (0..7), loaded by the first bar
// that shows that look and released with the last one. User-interface thread only.
std::shared_ptr<const BarArt> SharedBarArt(int look = 0);

} // namespace corvane::progressbar
