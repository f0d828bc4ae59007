#include "about/banner_win.h"

#include <span>

#include "about/pixel_runs.h"
#include "about/res/about_res.h"
#include "base/dpi_win.h"

namespace corvane::about {

namespace {

// The picture from this program's packed banner resource; none when it carries none.
UniqueBitmap LoadBanner() {
    const HMODULE self = ::GetModuleHandleA(nullptr);
    const HRSRC found = ::FindResourceA(self, MAKEINTRESOURCEA(IDB_BANNER), RT_RCDATA);
    const HGLOBAL loaded = found ? ::LoadResource(self, found) : nullptr;
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data) {
        return UniqueBitmap();
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kBannerWidth;
    info.bmiHeader.biHeight = -kBannerHeight; // top-down, as the runs are stored
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap picture(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const std::size_t stride = (kBannerWidth * 3 + 3) & ~std::size_t{3};
    if (!picture ||
        !UnpackPixelRuns(std::span(static_cast<const std::uint8_t*>(data), ::SizeofResource(self, found)),
                         kBannerWidth, kBannerHeight, stride,
                         std::span(static_cast<std::uint8_t*>(bits), stride * kBannerHeight))) {
        return UniqueBitmap();
    }
    return picture;
}

} // namespace

bool Banner::Register(HINSTANCE instance) { return RegisterWindowClass(instance); }

Banner::Banner(HWND hwnd)
    : hwnd_(hwnd),
      dpi_(DpiOfWindow(hwnd)) {}

HBITMAP Banner::Picture() const {
    if (!unpacked_) {
        unpacked_ = true;
        picture_ = LoadBanner();
    }
    return picture_.get();
}

void Banner::SetDpi(int dpi) {
    dpi_ = dpi;
    ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void Banner::Paint(HDC dc) const {
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    const HBITMAP picture = Picture();
    if (!picture) {
        ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    UniqueMemDc source(::CreateCompatibleDC(dc));
    SelectGuard keep(source.get(), picture);
    const int w = ScaleDesign(kBannerWidth, dpi_);
    const int h = ScaleDesign(kBannerHeight, dpi_);
    const int x = (client.right - w) / 2;
    // Halftone only where the picture is really scaled: at 96 dpi it is copied pixel for pixel.
    ::SetStretchBltMode(dc, w == kBannerWidth ? COLORONCOLOR : HALFTONE);
    ::SetBrushOrgEx(dc, 0, 0, nullptr);
    ::StretchBlt(dc, x, 0, w, h, source.get(), 0, 0, kBannerWidth, kBannerHeight, SRCCOPY);
    ::SetStretchBltMode(dc, COLORONCOLOR);
    if (x > 0) {
        ::StretchBlt(dc, 0, 0, x, h, source.get(), 0, 0, 1, kBannerHeight, SRCCOPY);
    }
    if (x + w < client.right) {
        ::StretchBlt(dc, x + w, 0, client.right - x - w, h, source.get(), kBannerWidth - 1, 0, 1, kBannerHeight,
                     SRCCOPY);
    }
    if (h < client.bottom) {
        ::StretchBlt(dc, 0, h, client.right, client.bottom - h, source.get(), 0, kBannerHeight - 1, 1, 1, SRCCOPY);
    }
}

LRESULT Banner::Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PaintDc dc(hwnd);
        Paint(dc.get());
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    default:
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace corvane::about
