#include "base/dpi_win.h"

#include "base/handles_win.h"

namespace corvane {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

template <typename Fn>
Fn Function(const char* module, const char* name) {
    HMODULE m = ::GetModuleHandleA(module);
    return m ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(m, name))) : nullptr;
}

int SystemDpi() {
    WindowDc screen(nullptr);
    return screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : kDesignDpi;
}

} // namespace


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

int SystemMetricForDpi(int index, int dpi) {
    static const auto forDpi = Function<GetSystemMetricsForDpiFn>("user32.dll", "GetSystemMetricsForDpi");
    if (forDpi) {
        return forDpi(index, static_cast<UINT>(dpi));
    }
    return ::MulDiv(::GetSystemMetrics(index), dpi, SystemDpi());
}

UniqueGdiObject MessageFontForDpi(int dpi) {
    static const auto forDpi = Function<SystemParametersInfoForDpiFn>("user32.dll", "SystemParametersInfoForDpi");
    if (forDpi) {
        NONCLIENTMETRICSW ncm{};
        ncm.cbSize = sizeof ncm;
        if (forDpi(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0, static_cast<UINT>(dpi))) {
            return UniqueGdiObject(::CreateFontIndirectW(&ncm.lfMessageFont));
        }
    }
    NONCLIENTMETRICSA ncm{};
    ncm.cbSize = sizeof ncm;
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0)) {
        ncm.lfMessageFont.lfHeight = ::MulDiv(ncm.lfMessageFont.lfHeight, dpi, SystemDpi());
        return UniqueGdiObject(::CreateFontIndirectA(&ncm.lfMessageFont));
    }
    return UniqueGdiObject();
}

RECT WindowRectForClient(RECT client, DWORD style, bool menu, DWORD exStyle, int dpi) {
    static const auto forDpi = Function<AdjustWindowRectExForDpiFn>("user32.dll", "AdjustWindowRectExForDpi");
    if (!forDpi || !forDpi(&client, style, menu, exStyle, static_cast<UINT>(dpi))) {
        ::AdjustWindowRectEx(&client, style, menu, exStyle);
    }
    return client;
}

} // namespace corvane
