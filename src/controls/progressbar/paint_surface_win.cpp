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
    drawn_.clear();
    pending_.clear();
    deferring_ = false;
    changed_ = true;
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
    CatchUp();
    return true;
}

void BarSurface::ApplyLook(std::int32_t progressLook) {
    if (auto look = LookForProgressLook(progressLook)) {
        CatchUp();  // what is held back was painted with the old look's pieces
        look_ = *look;
        if (art_ && art_->onlyLook >= 0 && art_->onlyLook != look_) {
            // The program's own pictures hold one look: take the new one's, let the old go.
            art_ = SharedBarArt(look_);
        }
    }
}

void BarSurface::CopyTo(HDC dc, int x, int y) const {
    CatchUp();
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
    CatchUp();
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

HDC BarSurface::Dc() const noexcept {
    CatchUp();
    drawn_.clear();
    return dc_.get();
}

void BarSurface::Clear() {
    Op op;
    op.clear = true;
    op.background = background_;
    if (deferring_ || !drawn_.empty()) {
        // Whatever is held back would be cleared anyway: start comparing afresh.
        pending_.clear();
        deferring_ = true;
    }
    Record(op);
}

void BarSurface::Paint(Picture picture, const PaintRect& dest, const PaintRect& source) {
    Op op;
    op.picture = picture;
    op.look = look_;
    op.dest = dest;
    op.source = source;
    Record(op);
}

void BarSurface::Record(const Op& op) {
    if (!deferring_) {
        Do(op);
        if (op.clear) {
            drawn_.clear();
        }
        drawn_.push_back(op);
        return;
    }
    pending_.push_back(op);
    if (pending_.size() <= drawn_.size() && drawn_[pending_.size() - 1] == op) {
        return;  // already on the surface
    }
    // From here on the pixels differ: paint the held-back ops, then go on directly.
    deferring_ = false;
    for (const Op& held : pending_) {
        Do(held);
    }
    drawn_ = std::move(pending_);
    pending_.clear();
}

void BarSurface::CatchUp() const {
    if (!deferring_) {
        return;
    }
    deferring_ = false;
    if (pending_.size() == drawn_.size()) {
        pending_.clear();  // the very same pixels
        return;
    }
    // A shorter repaint (a lower value): the surface holds more than it should.
    auto* self = const_cast<BarSurface*>(this);
    for (const Op& held : pending_) {
        self->Do(held);
    }
    drawn_ = std::move(pending_);
    pending_.clear();
}

bool BarSurface::Flush() {
    CatchUp();
    const bool changed = changed_;
    changed_ = false;
    return changed;
}

void BarSurface::Do(const Op& op) {
    if (!bitmap_) {
        return;
    }
    changed_ = true;
    if (op.clear) {
        const RECT all{0, 0, width_, height_};
        ::SetDCBrushColor(dc_.get(), op.background);
        ::FillRect(dc_.get(), &all, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
        return;
    }
    HBITMAP bitmap = PictureBitmap(op.picture);
    const int w = ToPixels(op.dest.w);
    const int h = ToPixels(op.dest.h);
    const int sw = ToPixels(op.source.w);
    const int sh = ToPixels(op.source.h);
    // A negative size would mirror the picture: an empty or inverted rectangle paints nothing.
    if (bitmap == nullptr || !sourceDc_ || w <= 0 || h <= 0 || sw <= 0 || sh <= 0) {
        return;
    }
    SelectGuard select(sourceDc_.get(), bitmap);
    ::StretchBlt(dc_.get(), ToPixels(op.dest.x), ToPixels(op.dest.y), w, h, sourceDc_.get(), ToPixels(op.source.x),
                 ToPixels(op.source.y), sw, sh, SRCCOPY);
}

} // namespace corvane::progressbar
