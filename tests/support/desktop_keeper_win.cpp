// Keeps the test display's Wine desktop alive for a whole test run.
//
// Wine ends its desktop process (explorer.exe /desktop) shortly after the last thread using
// the desktop goes. Test processes that each take longer than that then pay for a new desktop
// process every time (about 1.4 s each), which makes them slower still: a run that starts
// slow, as a fresh prefix does, stays slow. One idle window held for the whole run keeps
// a single desktop process for every test. The fixture ends this process with the server.
#include <windows.h>

namespace {

LRESULT CALLBACK KeeperProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = KeeperProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"CorvaneTestDesktopKeeper";
    if (!::RegisterClassW(&wc)) return 1;
    // Never shown and never activated; it answers broadcasts so that no test waits on it.
    HWND hwnd = ::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, wc.lpszClassName, L"", WS_POPUP,
                                  0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
    return 0;
}
