// Corvane.exe: one copy at a time, living in the notification area.
#include <windows.h>

#include "app/main_window_win.h"
#include "base/handles_win.h"
#include "base/system_calls_win.h"
#include "base/system_library_win.h"

namespace {

// Held for the life of the process; the system releases it when the process ends.
constexpr char kInstanceMutex[] = "Local\\Corvane.SingleInstance.7f3c2a91";

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    corvane::LimitLibrarySearch(); // before any library outside the known DLLs loads
    corvane::UniqueKernelHandle mutex(::CreateMutexA(nullptr, FALSE, kInstanceMutex));
    if (mutex && ::GetLastError() == ERROR_ALREADY_EXISTS) {
        return 0; // another copy runs: end before anything is shown or created
    }
    // COM is joined where it is first needed (base/com_win.h), not here.
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
    corvane::sys::InitCommonControlsEx(&icc);

    corvane::app::MainWindow frmMain(instance, corvane::app::MainWindow::Options{});
    if (!frmMain.Load()) {
        return 1;
    }
    MSG m;
    while (::GetMessageA(&m, nullptr, 0, 0) > 0) {
        if (frmMain.TranslateKeyboard(m)) {
            continue;
        }
        ::TranslateMessage(&m);
        ::DispatchMessageA(&m);
    }
    return static_cast<int>(m.wParam);
}
