#pragma once
// Reading the bar's pictures and what was painted, for the pixel tests of the surface and of
// the control.
#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "base/handles_win.h"

namespace corvane::progressbar::pixels {

inline constexpr COLORREF kWhite = RGB(255, 255, 255);

inline int ColourDistance(COLORREF a, COLORREF b) {
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

inline COLORREF PictureColour(HBITMAP picture, int x, int y) {
    UniqueMemDc dc(::CreateCompatibleDC(nullptr));
    SelectGuard select(dc.get(), picture);
    return ::GetPixel(dc.get(), x, y);
}

inline int Brightness(COLORREF c) {
    return GetRValue(c) + GetGValue(c) + GetBValue(c);
}

} // namespace corvane::progressbar::pixels
