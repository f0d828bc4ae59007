#include "controls/progressbar/progress_bar_win.h"


#include <string>

#include "base/handles_win.h"
#include "base/message_box_win.h"

namespace corvane::progressbar {

namespace {

class PlainSurface final : public BarSurface {
public:
    void Resize(HWND hwnd, int, int) override { ::InvalidateRect(hwnd, nullptr, FALSE); }
    void Reset() override {}
    void ValueWritten(HWND hwnd, const ProgressBarModel&) override { ::InvalidateRect(hwnd, nullptr, FALSE); }

    void Paint(HDC dc, const RECT& client, const ProgressBarModel& model) override {
        UniqueGdiObject border(::CreateSolidBrush(RGB(0xC0, 0xC0, 0xC0)));
        ::FillRect(dc, &client, static_cast<HBRUSH>(border.get()));
        RECT inner = client;
        ::InflateRect(&inner, -1, -1);
        ::FillRect(dc, &inner, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        // The sweep style clears the bar when it reaches the top.
        if (!model.BlockStyle() && model.Value() == model.Max()) {
            return;
        }
        const Rgb c = LookColour(model.PiecesLook().value_or(0)).value_or(Rgb{0x2C, 0xD0, 0x2C});
        ::InflateRect(&inner, -1, -1);
        RECT fill = inner;
        fill.right = inner.left + static_cast<LONG>((inner.right - inner.left) * model.FillFraction() + 0.5);
        if (fill.right > fill.left) {
            UniqueGdiObject brush(::CreateSolidBrush(RGB(c.r, c.g, c.b)));
            ::FillRect(dc, &fill, static_cast<HBRUSH>(brush.get()));
        }
    }
};

} // namespace

std::unique_ptr<BarSurface> MakePlainSurface() { return std::make_unique<PlainSurface>(); }

bool XpProgressBar::Register(HINSTANCE instance) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (::GetClassInfoExA(instance, kClassName, &wc)) {
        return true;
    }
    wc = WNDCLASSEXA{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    wc.lpszClassName = kClassName;
    return ::RegisterClassExA(&wc) != 0;
}

HWND XpProgressBar::Create(HWND parent, int id, const RECT& rect, const PropertyBag* bag) {
    auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    if (!Register(instance)) {
        return nullptr;
    }
    HWND hwnd = ::CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (hwnd && bag) {
        FromHwnd(hwnd)->ReadProperties(*bag);
    }
    return hwnd;
}

XpProgressBar* XpProgressBar::FromHwnd(HWND hwnd) noexcept {
    return reinterpret_cast<XpProgressBar*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

XpProgressBar::XpProgressBar(HWND hwnd) : hwnd_(hwnd), surface_(MakePlainSurface()) {
    model_.ReadProperties(MemoryPropertyBag{});
}

void XpProgressBar::Refuse(const WriteResult& result) const {
    if (result.refusal) {
        ShowMessageBox(::GetParent(hwnd_), *result.refusal, kRefusalTitle, MB_OK | MB_ICONERROR);
    }
}

void XpProgressBar::SetMin(std::int32_t New_Mini) { Refuse(model_.SetMin(New_Mini)); }

void XpProgressBar::SetMax(std::int32_t New_Maxi) { Refuse(model_.SetMax(New_Maxi)); }

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
        surface_->ValueWritten(hwnd_, model_);
    }
}

void XpProgressBar::SetStyle(std::int32_t New_Style) { model_.SetStyle(New_Style); }

void XpProgressBar::SetProgressLook(std::int32_t New_ProgressLook) { model_.SetProgressLook(New_ProgressLook); }

void XpProgressBar::Reset() { surface_->Reset(); }

void XpProgressBar::ReadProperties(const PropertyBag& bag) {
    model_.ReadProperties(bag);
    ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void XpProgressBar::SetSurface(std::unique_ptr<BarSurface> surface) {
    surface_ = std::move(surface);
    RECT rc{};
    ::GetClientRect(hwnd_, &rc);
    surface_->Resize(hwnd_, rc.right, rc.bottom);
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

LRESULT CALLBACK XpProgressBar::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new XpProgressBar(hwnd)));
    }
    XpProgressBar* self = FromHwnd(hwnd);
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        delete self;
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    return self ? self->Handle(msg, wParam, lParam) : ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT XpProgressBar::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PaintDc dc(hwnd_);
        RECT rc{};
        ::GetClientRect(hwnd_, &rc);
        surface_->Paint(dc.get(), rc, model_);
        return 0;
    }
    case WM_SIZE:
        surface_->Resize(hwnd_, LOWORD(lParam), HIWORD(lParam));
        return 0;
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
        return ::DefWindowProcA(hwnd_, msg, wParam, lParam);
    }
}

} // namespace corvane::progressbar
