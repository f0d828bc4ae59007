#include "about/about_window_win.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "about/about_layout.h"
#include "about/banner_win.h"
#include "base/dpi_win.h"
#include "base/system_calls_win.h"
#include "corvane_version.h"

namespace corvane::about {

namespace {

// Fixed dialog border: no resizing, no minimise or maximise box; the modal frame leaves the
// caption without an icon.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

UniqueGdiObject MakeFont(std::string_view face, int weight, int dpi) {
    LOGFONTA lf{};
    lf.lfHeight = FontHeight(kFontHundredthsOfPoint, dpi);
    lf.lfWeight = weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = CLEARTYPE_QUALITY;
    face.copy(lf.lfFaceName, sizeof lf.lfFaceName - 1);
    return UniqueGdiObject(::CreateFontIndirectA(&lf));
}

void Place(HWND control, const Rect& r) {
    ::SetWindowPos(control, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

std::string VersionLabelOf(const std::string& path) {
    std::string file = path;
    if (file.empty()) {
        char own[MAX_PATH] = {};
        file.assign(own, ::GetModuleFileNameA(nullptr, own, MAX_PATH));
    }
    DWORD ignored = 0;
    const DWORD size = sys::GetFileVersionInfoSizeA(file.c_str(), &ignored);
    if (size != 0) {
        std::vector<char> block(size);
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT len = 0;
        if (sys::GetFileVersionInfoA(file.c_str(), 0, size, block.data()) &&
            sys::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &len) && fixed &&
            len >= sizeof(VS_FIXEDFILEINFO)) {
            return VersionText(HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                               HIWORD(fixed->dwFileVersionLS));
        }
    }
    return VersionText(CORVANE_VERSION_MAJOR, CORVANE_VERSION_MINOR, CORVANE_VERSION_PATCH);
}

AboutWindow::AboutWindow(HINSTANCE instance) : AboutWindow(instance, Options()) {}

AboutWindow::AboutWindow(HINSTANCE instance, Options options) : instance_(instance), options_(std::move(options)) {}

AboutWindow::~AboutWindow() { hwnd_.reset(); }

bool AboutWindow::Create() {
    WNDCLASSEXA wc{};
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    if (!RegisterWindowClass(instance_, wc) || !Banner::Register(instance_)) {
        return false;
    }
    // Opened from the tray, the user looks at the screen where the mouse is: the window
    // opens there, and takes that monitor's DPI.
    POINT cursor{};
    ::GetCursorPos(&cursor);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoA(::MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const int centreX = (work.left + work.right) / 2;
    const int centreY = (work.top + work.bottom) / 2;
    HWND hwnd = ::CreateWindowExA(kExStyle, kClassName, std::string(kCaption).c_str(), kStyle, centreX, centreY, 1, 1,
                                  nullptr, nullptr, instance_, this);
    if (!hwnd) {
        return false;
    }
    hwnd_.reset(hwnd);
    const DWORD label = WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
    const struct {
        int id;
        const char* cls;
        std::string text;
        DWORD style;
    } controls[] = {
        {kIdPicture1, Banner::kClassName, "", WS_CHILD | WS_VISIBLE},
        {kIdLabel1, "STATIC", std::string(kProductName), label},
        {kIdLblVersion, "STATIC", VersionLabelOf(options_.versionOf), label},
        {kIdLabel3, "STATIC", MoreDetailsText(), label},
        {kIdCmdOk, "BUTTON", std::string(kOkCaption), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
    };
    for (const auto& c : controls) {
        ::CreateWindowExA(0, c.cls, c.text.c_str(), c.style, 0, 0, 0, 0, hwnd,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance_, nullptr);
    }
    Layout(options_.dpi != 0 ? options_.dpi : DpiOfWindow(hwnd));
    RECT placed{};
    ::GetWindowRect(hwnd, &placed);
    const int w = placed.right - placed.left;
    const int h = placed.bottom - placed.top;
    ::SetWindowPos(hwnd, nullptr, centreX - w / 2, centreY - h / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void AboutWindow::Layout(int dpi) {
    dpi_ = dpi;
    HWND hwnd = hwnd_.get();
    // The new fonts reach the controls before the old ones are deleted.
    UniqueGdiObject labelFont = MakeFont(kLabelFace, FW_BOLD, dpi);
    UniqueGdiObject buttonFont = MakeFont(kButtonFace, FW_NORMAL, dpi);
    for (int id : {kIdLabel1, kIdLblVersion, kIdLabel3}) {
        ::SendMessageA(Control(id), WM_SETFONT, reinterpret_cast<WPARAM>(labelFont.get()), TRUE);
    }
    ::SendMessageA(Control(kIdCmdOk), WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont.get()), TRUE);
    labelFont_ = std::move(labelFont);
    buttonFont_ = std::move(buttonFont);

    Place(Control(kIdPicture1), ToPixels(kPicture1, dpi));
    Place(Control(kIdLabel1), ToPixels(kLabel1, dpi));
    Place(Control(kIdLblVersion), ToPixels(kLblVersion, dpi));
    Place(Control(kIdLabel3), ToPixels(kLabel3, dpi));
    Place(Control(kIdCmdOk), ToPixels(kCmdOk, dpi));
    if (Banner* banner = Banner::FromHwnd(Control(kIdPicture1))) {
        banner->SetDpi(dpi);
    }
    // The frame is measured at the window's own DPI (the same as `dpi` but where a test lays
    // the window out for another one).
    const RECT outer = WindowRectForClient(
        RECT{0, 0, TwipsToPixels(kClientWidthTwips, dpi), TwipsToPixels(kClientHeightTwips, dpi)}, kStyle, false,
        kExStyle, DpiOfWindow(hwnd));
    ::SetWindowPos(hwnd, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(hwnd, nullptr, TRUE);
}

void AboutWindow::PaintLine(HDC dc) const {
    const int y = TwipsToPixels(kLine1Y, dpi_);
    RECT line{0, y, TwipsToPixels(kLine1Right, dpi_) + 1, y + std::max(1, ScaleDesign(1, dpi_))};
    UniqueGdiObject grey(::CreateSolidBrush(RGB((kLine1Rgb >> 16) & 0xFF, (kLine1Rgb >> 8) & 0xFF, kLine1Rgb & 0xFF)));
    ::FillRect(dc, &line, static_cast<HBRUSH>(grey.get()));
}

void AboutWindow::ShowModal(HWND blocked) {
    if (hwnd_ || !Create()) {
        return;
    }
    done_ = false;
    // EnableWindow answers whether the window was disabled already; only what this call
    // disabled is enabled again.
    const bool reenable = blocked && !::EnableWindow(blocked, FALSE);
    ::ShowWindow(hwnd_.get(), SW_SHOW);
    ::SetForegroundWindow(hwnd_.get());
    ::SetFocus(Control(kIdCmdOk));
    MSG m;
    while (hwnd_ && !done_) {
        const BOOL got = ::GetMessageA(&m, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(m.wParam));
            break;
        }
        if (got < 0) {
            break;
        }
        if (hwnd_ && ::IsDialogMessageA(hwnd_.get(), &m)) {
            continue;
        }
        ::TranslateMessage(&m);
        ::DispatchMessageA(&m);
    }
    // Enabled before this window goes, so that activation returns to it.
    if (reenable && ::IsWindow(blocked)) {
        ::EnableWindow(blocked, TRUE);
    }
    hwnd_.reset();
}

void AboutWindow::BringForward() const {
    if (hwnd_) {
        ::ShowWindow(hwnd_.get(), SW_SHOWNORMAL);
        ::SetForegroundWindow(hwnd_.get());
    }
}

void AboutWindow::Close() {
    done_ = true;
    if (hwnd_) {
        ::PostMessageA(hwnd_.get(), WM_NULL, 0, 0); // wakes the loop
    }
}

LRESULT AboutWindow::Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        // cmdOK, Enter (the default button) and Escape (cancel) all close the window.
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            Close();
            return 0;
        }
        break;
    case DM_GETDEFID:
        return MAKELRESULT(kIdCmdOk, DC_HASDEFID);
    case WM_CLOSE:
        Close();
        return 0;
    case WM_PAINT: {
        PaintDc dc(hwnd);
        PaintLine(dc.get());
        return 0;
    }
    case WM_DPICHANGED: {
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        Layout(HIWORD(wParam));
        ::SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    default:
        break;
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

} // namespace corvane::about
