// The least a tray battery monitor can be: one hidden window, one icon, and a 2 s timer that
// asks for the power status. footprint.sh measures Corvane against it.
#include <windows.h>
#include <shellapi.h>

namespace {

constexpr UINT kCallback = WM_APP + 1;

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER) {
        SYSTEM_POWER_STATUS status{};
        ::GetSystemPowerStatus(&status);
        return 0;
    }
    if (msg == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.lpszClassName = L"BareTray";
    ::RegisterClassW(&wc);
    HWND hwnd = ::CreateWindowExW(0, L"BareTray", L"Bare tray", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                                  nullptr);
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = hwnd;
    icon.uID = 1;
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icon.uCallbackMessage = kCallback;
    icon.hIcon = ::LoadIconW(nullptr, MAKEINTRESOURCEW(32512));
    lstrcpynW(icon.szTip, L"Bare tray", 64);
    ::Shell_NotifyIconW(NIM_ADD, &icon);
    ::SetTimer(hwnd, 1, 2000, nullptr);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&msg);
    }
    ::Shell_NotifyIconW(NIM_DELETE, &icon);
    return 0;
}
