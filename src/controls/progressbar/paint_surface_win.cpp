#include "controls/progressbar/paint_surface_win.h"

#include <cmath>
#include <utility>

namespace corvane::progressbar {
namespace {

int ToPixels(double v) {
    return static_cast<int>(std::lround(v));
}

} // namespace

BarSurface::BarSurface(std::shared_ptr<const BarArt> art)
    : art_(std::move(art)), dc_(::CreateCompatibleDC(nullptr)), sourceDc_(::CreateCompatibleDC(nullptr)) {
    if (dc_) {
        // Pieces are squeezed to a few pixels; dropping rows keeps their colours, where the
        // default mode would darken them.
        ::SetStretchBltMode(dc_.get(), COLORONCOLOR);
    }
}

BarSurface::~BarSurface() {
    DropBitmap();
}

void BarSurface::DropBitmap() noexcept {
    if (originalBitmap_ != nullptr) {
        ::SelectObject(dc_.get(), originalBitmap_);
        originalBitmap_ = nullptr;
    }
    bitmap_.reset();
    width_ = 0;
    height_ = 0;
}

bool BarSurface::Resize(int width, int height) {
    DropBitmap();
    if (width <= 0 || height <= 0) {
        return true;  // an empty surface, as a control of no size has
    }
    if (!dc_) {
        return false;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(::CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap_) {
        return false;
    }
    originalBitmap_ = ::SelectObject(dc_.get(), bitmap_.get());
    width_ = width;
    height_ = height;
    Clear();
    return true;
}

void BarSurface::ApplyLook(std::int32_t progressLook) {
    if (auto look = LookForProgressLook(progressLook)) {
        look_ = *look;
        if (art_ && art_->onlyLook >= 0 && art_->onlyLook != look_) {
            // The program's own pictures hold one look: take the new one's, let the old go.
            art_ = SharedBarArt(look_);
        }
    }
}

void BarSurface::CopyTo(HDC dc, int x, int y) const {
    if (bitmap_) {
        ::BitBlt(dc, x, y, width_, height_, dc_.get(), 0, 0, SRCCOPY);
    }
}

void BarSurface::PaintWindow(HWND window) const {
    PaintDc paint(window);
    CopyTo(paint.get());
}

COLORREF BarSurface::PixelAt(int x, int y) const {
    if (!bitmap_ || x < 0 || y < 0 || x >= width_ || y >= height_) {
        return CLR_INVALID;
    }
    return ::GetPixel(dc_.get(), x, y);
}

HBITMAP BarSurface::PictureBitmap(Picture picture) const {
    if (!art_) {
        return nullptr;
    }
    const auto& pieces = art_->pieces[static_cast<std::size_t>(look_)];
    switch (picture) {
    case Picture::Frame:
        return art_->frame.get();
    case Picture::Blank:
        return art_->blank.get();
    case Picture::Piece0:
        return pieces[0].get();
    case Picture::Piece1:
        return pieces[1].get();
    case Picture::Piece2:
        return pieces[2].get();
    }
    return nullptr;
}

PictureSize BarSurface::SizeOf(Picture picture) const {
    BITMAP bm{};
    HBITMAP bitmap = PictureBitmap(picture);
    if (bitmap == nullptr || ::GetObjectA(bitmap, sizeof(bm), &bm) == 0) {
        return {};
    }
    return {static_cast<double>(bm.bmWidth), static_cast<double>(bm.bmHeight)};
}

void BarSurface::Clear() {
    if (!bitmap_) {
        return;
    }
    const RECT all{0, 0, width_, height_};
    ::SetDCBrushColor(dc_.get(), background_);
    ::FillRect(dc_.get(), &all, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
}

void BarSurface::Paint(Picture picture, const PaintRect& dest, const PaintRect& source) {
    HBITMAP bitmap = PictureBitmap(picture);
    const int w = ToPixels(dest.w);
    const int h = ToPixels(dest.h);
    const int sw = ToPixels(source.w);
    const int sh = ToPixels(source.h);
    // A negative size would mirror the picture: an empty or inverted rectangle paints nothing.
    if (!bitmap_ || bitmap == nullptr || !sourceDc_ || w <= 0 || h <= 0 || sw <= 0 || sh <= 0) {
        return;
    }
    SelectGuard select(sourceDc_.get(), bitmap);
    ::StretchBlt(dc_.get(), ToPixels(dest.x), ToPixels(dest.y), w, h, sourceDc_.get(), ToPixels(source.x),
                 ToPixels(source.y), sw, sh, SRCCOPY);
}

} // namespace corvane::progressbar
