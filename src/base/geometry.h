#pragma once
// Places on the screen, for every layout of the program: one rectangle type, and one way of
// turning a length designed at 96 dpi (or in twips) into pixels at a DPI.
namespace corvane {

inline constexpr int kDesignDpi = 96;

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    constexpr int Width() const noexcept { return right - left; }
    constexpr int Height() const noexcept { return bottom - top; }
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};
// A rectangle given by its corner and size, as designs are written.
constexpr Rect RectOfSize(int left, int top, int width, int height) noexcept {
    return {left, top, left + width, top + height};
}

// value * numerator / denominator to the nearest, halves away from zero, as the system's MulDiv.
int MulDivRounded(long long value, long long numerator, long long denominator) noexcept;
// Design pixels (at 96 dpi) at this DPI.
inline int ScaleDesign(int designValue, int dpi) noexcept { return MulDivRounded(designValue, dpi, kDesignDpi); }

} // namespace corvane
