#pragma once
// Picture1: the product banner, a child control shared by the main window and the About
// window. It shows the 367 x 80 picture at the host's DPI, centred, and extends its plain
// edge columns (and last row) over whatever the control is larger than the picture.
#include <windows.h>

#include "base/handles_win.h"
#include "base/window_base_win.h"

namespace corvane::about {

inline constexpr int kBannerWidth = 367;
inline constexpr int kBannerHeight = 80;

class Banner final : public WindowClass<Banner> {
public:
    static constexpr const char* kClassName = "CorvaneBanner";

    static bool Register(HINSTANCE instance);
    // The size the picture is drawn at follows this DPI (the window's own at creation).
    void SetDpi(int dpi);
    int Dpi() const noexcept { return dpi_; }
    // False in a program that carries no banner resource: the control then shows plain face colour.
    bool HasPicture() const { return Picture() != nullptr; }

private:
    friend class WindowClass<Banner>;
    static Banner* Attach(HWND hwnd, const CREATESTRUCTA&) { return new Banner(hwnd); }
    static void Detach(Banner* self, HWND) noexcept { delete self; }
    explicit Banner(HWND hwnd);
    LRESULT Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc) const;
    // Unpacked at first need: the main window's banner is made at start but seldom seen, and
    // its 88 KB of pixels would otherwise sit in memory from the first second.
    HBITMAP Picture() const;

    HWND hwnd_;
    mutable UniqueBitmap picture_;
    mutable bool unpacked_ = false;
    int dpi_;
};

} // namespace corvane::about
