#pragma once
// The bar's retained drawing surface: a memory bitmap the size of the control. The painting
// steps paint into it; WM_PAINT and WM_PRINTCLIENT copy it out. What a step painted stays
// here until the next frame clears it, so a repaint of the window never reruns a step.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "base/handles_win.h"
#include "controls/progressbar/bar_art_win.h"
#include "controls/progressbar/paint_target.h"

namespace corvane::progressbar {

class BarSurface final : public PaintTarget {
public:
    // Starts empty (0 x 0) with look 0's pieces. Null art paints nothing but clears.
    explicit BarSurface(std::shared_ptr<const BarArt> art);
    BarSurface(const BarSurface&) = delete;
    BarSurface& operator=(const BarSurface&) = delete;
    ~BarSurface() override;

    // A new bitmap of this size, filled with the background colour. False if it cannot be
    // made (the surface is then empty and paints nothing).
    bool Resize(int width, int height);

    // The pieces of the look that ProgressLook selects; a value outside 0..7 keeps them.
    void ApplyLook(std::int32_t progressLook);
    int Look() const noexcept { return look_; }

    void SetBackground(COLORREF colour) noexcept { background_ = colour; }

    // Copies the surface to `dc` with its top left corner at (x, y).
    void CopyTo(HDC dc, int x = 0, int y = 0) const;
    // The whole WM_PAINT of a window that shows the surface at its client origin.
    void PaintWindow(HWND window) const;

    int PixelWidth() const noexcept { return width_; }
    int PixelHeight() const noexcept { return height_; }
    // CLR_INVALID outside the surface.
    COLORREF PixelAt(int x, int y) const;
    HDC Dc() const noexcept { return dc_.get(); }

    double Width() const override { return width_; }
    double Height() const override { return height_; }
    PictureSize SizeOf(Picture picture) const override;
    void Clear() override;
    void Paint(Picture picture, const PaintRect& dest, const PaintRect& source) override;

private:
    HBITMAP PictureBitmap(Picture picture) const;
    void DropBitmap() noexcept;

    std::shared_ptr<const BarArt> art_;
    UniqueMemDc dc_;
    UniqueMemDc sourceDc_;
    UniqueBitmap bitmap_;
    HGDIOBJ originalBitmap_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int look_ = 0;
    COLORREF background_ = RGB(255, 255, 255);
};

} // namespace corvane::progressbar
