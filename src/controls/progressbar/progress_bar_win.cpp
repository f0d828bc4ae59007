#include "controls/progressbar/progress_bar_win.h"

#include <commctrl.h>

#include <string>

#include "base/handles_win.h"
#include "base/message_box_win.h"
#include "controls/progressbar/bar_accessible_win.h"

namespace corvane::progressbar {

bool XpProgressBar::Register(HINSTANCE instance) {
    WNDCLASSEXA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    return RegisterWindowClass(instance, wc);
}

XpProgressBar::XpProgressBar(HWND hwnd) : hwnd_(hwnd), surface_(SharedBarArt()) {
    model_.ReadProperties(MemoryPropertyBag{});
    ApplyLook();
}

void XpProgressBar::Refuse(const WriteResult& result) const {
    if (result.refusal) {
        ShowMessageBox(::GetParent(hwnd_), *result.refusal, kRefusalTitle, MB_OK | MB_ICONERROR);
    }
}

void XpProgressBar::SetValue(std::int32_t New_Value) {
    const WriteResult result = model_.SetValue(New_Value);
    Refuse(result);
    if (result.paint) {
        // The value as the window's text, for screen readers and anyone reading it from outside.
        const std::string text = std::to_string(model_.Value());
        char shown[16] = {};
        ::GetWindowTextA(hwnd_, shown, sizeof shown);
        if (text != shown) {
            ::SetWindowTextA(hwnd_, text.c_str());
        }
        painter_.PaintValue(surface_, Values(), model_.Style());
        if (surface_.Flush()) {
            ::InvalidateRect(hwnd_, nullptr, FALSE);
        }
    }
}

void XpProgressBar::SetProgressLook(std::int32_t New_ProgressLook) {
    model_.SetProgressLook(New_ProgressLook);
    ApplyLook();
}

void XpProgressBar::ApplyLook() {
    if (const auto look = model_.PiecesLook()) {
        surface_.ApplyLook(*look);
    }
}

void XpProgressBar::Reset() { painter_.Reset(surface_, Values()); }

void XpProgressBar::Repaint() {
    painter_.Reset(surface_, Values());
    painter_.PaintValue(surface_, Values(), model_.Style());
    ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void XpProgressBar::Resized(int width, int height) {
    // A surface that cannot be made stays empty: the bar then shows nothing rather than failing.
    surface_.Resize(width, height);
    painter_.PaintFrame(surface_, Values());
    surface_.Flush();
    ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void XpProgressBar::RaiseMouse(bool down, std::int16_t button, WPARAM wParam, LPARAM lParam) {
    if (!events_) {
        return;
    }
    std::int16_t shift = 0;
    if (wParam & MK_SHIFT) {
        shift |= 1;
    }
    if (wParam & MK_CONTROL) {
        shift |= 2;
    }
    if (::GetKeyState(VK_MENU) < 0) {
        shift |= 4;
    }
    const auto x = static_cast<float>(static_cast<short>(LOWORD(lParam)));
    const auto y = static_cast<float>(static_cast<short>(HIWORD(lParam)));
    if (down) {
        events_->MouseDown(button, shift, x, y);
    } else {
        events_->MouseUp(button, shift, x, y);
    }
}

LRESULT XpProgressBar::Handle(HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CLOSE:
        // The bar goes with its parent, never on a WM_CLOSE another program posts: its owner
        // and the options keep pointers to this object.
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        surface_.PaintWindow(hwnd_);
        return 0;
    case WM_PRINTCLIENT:
        surface_.CopyTo(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_SIZE:
        Resized(LOWORD(lParam), HIWORD(lParam));
        return 0;
    // Screen readers hear a progress bar; its value comes from the two messages below.
    case WM_GETOBJECT:
        return AnswerGetObject(hwnd_, wParam, lParam);
    case PBM_GETPOS:
        return model_.Value();
    case PBM_GETRANGE:
        if (lParam) {
            auto* range = reinterpret_cast<PBRANGE*>(lParam);
            range->iLow = model_.Min();
            range->iHigh = model_.Max();
        }
        return wParam ? model_.Min() : model_.Max();
    case WM_LBUTTONDOWN:
        RaiseMouse(true, 1, wParam, lParam);
        return 0;
    case WM_RBUTTONDOWN:
        RaiseMouse(true, 2, wParam, lParam);
        return 0;
    case WM_MBUTTONDOWN:
        RaiseMouse(true, 4, wParam, lParam);
        return 0;
    case WM_LBUTTONUP:
        RaiseMouse(false, 1, wParam, lParam);
        return 0;
    case WM_RBUTTONUP:
        RaiseMouse(false, 2, wParam, lParam);
        return 0;
    case WM_MBUTTONUP:
        RaiseMouse(false, 4, wParam, lParam);
        return 0;
    default:
        break;
    }
    return ::DefWindowProcA(hwnd_, msg, wParam, lParam);
}

} // namespace corvane::progressbar
