#pragma once
// The bar's retained drawing surface: a memory bitmap the size of the control. The painting
// steps paint into it; WM_PAINT and WM_PRINTCLIENT copy it out. What a step painted stays
// here until the next frame clears it, so a repaint of the window never reruns a step.
// A refresh that clears and paints exactly what is already there (the usual tick: the same
// value again) paints nothing: after a Clear the paints are only compared with those that
// made the present pixels, and carried out from the first one that differs.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

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

    // Ends a painting step: carries out what is still held back. True when the pixels changed
    // since the last Flush, so that the window needs repainting.
    bool Flush();

    // Copies the surface to `dc` with its top left corner at (x, y).
    void CopyTo(HDC dc, int x = 0, int y = 0) const;
    // The whole WM_PAINT of a window that shows the surface at its client origin.
    void PaintWindow(HWND window) const;

    int PixelWidth() const noexcept { return width_; }
    int PixelHeight() const noexcept { return height_; }
    // CLR_INVALID outside the surface.
    COLORREF PixelAt(int x, int y) const;
    // For drawing from outside: what is drawn there is unknown here, so the next Clear paints.
    HDC Dc() const noexcept;

    double Width() const override { return width_; }
    double Height() const override { return height_; }
    PictureSize SizeOf(Picture picture) const override;
    void Clear() override;
    void Paint(Picture picture, const PaintRect& dest, const PaintRect& source) override;

private:
    // One Clear (picture unset) or Paint, with everything that decides its pixels.
    struct Op {
        bool clear = false;
        Picture picture = Picture::Frame;
        int look = 0;
        COLORREF background = 0;
        PaintRect dest, source;
        friend bool operator==(const Op&, const Op&) = default;
    };
    HBITMAP PictureBitmap(Picture picture) const;
    void DropBitmap() noexcept;
    void Do(const Op& op);
    void Record(const Op& op);
    void CatchUp() const;

    // The ops since the last clear that made the present pixels, and while deferring_, the
    // ops since the latest Clear, all equal to the start of drawn_ and none carried out yet.
    mutable std::vector<Op> drawn_;
    mutable std::vector<Op> pending_;
    mutable bool deferring_ = false;
    mutable bool changed_ = false;

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
