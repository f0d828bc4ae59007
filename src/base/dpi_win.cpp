#include "base/dpi_win.h"

#include "base/handles_win.h"

namespace corvane {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

template <typename Fn>
Fn Function(const char* module, const char* name) {
    HMODULE m = ::GetModuleHandleA(module);
    if (!m) {
        m = ::LoadLibraryA(module); // shcore is not loaded by default; stays loaded for the process
    }
    return m ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(m, name))) : nullptr;
}

int SystemDpi() {
    WindowDc screen(nullptr);
    return screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : kDesignDpi;
}

} // namespace

int Scale(int designValue, int dpi) noexcept { return ::MulDiv(designValue, dpi, kDesignDpi); }

int DpiOfWindow(HWND hwnd) {
    static const auto forWindow = Function<GetDpiForWindowFn>("user32.dll", "GetDpiForWindow");
    if (forWindow && hwnd) {
        const UINT dpi = forWindow(hwnd);
        if (dpi != 0) {
            return static_cast<int>(dpi);
        }
    }
    return SystemDpi();
}

int DpiAtPoint(POINT point) {
    static const auto forMonitor = Function<GetDpiForMonitorFn>("shcore.dll", "GetDpiForMonitor");
    UINT x = 0, y = 0;
    if (forMonitor && SUCCEEDED(forMonitor(::MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), 0, &x, &y)) &&
        y != 0) {
        return static_cast<int>(y);
    }
    return SystemDpi();
}

int SystemMetricForDpi(int index, int dpi) {
    static const auto forDpi = Function<GetSystemMetricsForDpiFn>("user32.dll", "GetSystemMetricsForDpi");
    if (forDpi) {
        return forDpi(index, static_cast<UINT>(dpi));
    }
    return ::MulDiv(::GetSystemMetrics(index), dpi, SystemDpi());
}

RECT WindowRectForClient(RECT client, DWORD style, bool menu, DWORD exStyle, int dpi) {
    static const auto forDpi = Function<AdjustWindowRectExForDpiFn>("user32.dll", "AdjustWindowRectExForDpi");
    if (!forDpi || !forDpi(&client, style, menu, exStyle, static_cast<UINT>(dpi))) {
        ::AdjustWindowRectEx(&client, style, menu, exStyle);
    }
    return client;
}

} // namespace corvane
