// corvane_peek: reads a running Corvane's window texts from outside, as a screen reader
// would, or asks it to quit. For the end-to-end test only.
//   corvane_peek texts   prints name=text lines of the main window's labels
//   corvane_peek quit    chooses Quit in the main window's menu
//   corvane_peek show    double-clicks the tray icon, as the shell reports it
//   corvane_peek tab N   selects tab page N (0 "Battery Level" .. 2 "Settings")
//   corvane_peek colours right-clicks the bar, which opens its colour menu
//   corvane_peek help    chooses Help in the tray menu
//   corvane_peek closehelp  closes the help viewer's window
//   corvane_peek accessible  asks the bar for its value, as a screen reader does
//   corvane_peek box     prints the title and text of Corvane's open message box, if any
//   corvane_peek answer  presses that box's OK
//   corvane_peek rect CLASS FILE  writes the place of Corvane's window of that class to FILE as
//                        ImageMagick's crop geometry (WxH+X+Y), for the screenshot scripts
#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/main_window_ids.h"

namespace {

struct Named {
    const char* name;
    int id;
};

constexpr Named kShown[] = {
    {"lblPercent", IDC_LBL_PERCENT},   {"lblPwrInfo", IDC_LBL_PWR_INFO}, {"lblTime", IDC_LBL_TIME},
    {"lblBatteryNow", IDC_LBL_BATTERY_NOW},
    {"pgBatteryLevel", IDC_PG_BATTERY_LEVEL}, {"txtChargeAlert", IDC_TXT_CHARGE_ALERT},
    {"txtSndFile0", IDC_TXT_SND_FILE0},
};

HWND OpenBox(HWND main) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(main, &pid);
    for (HWND w = ::FindWindowExA(nullptr, nullptr, "#32770", nullptr); w;
         w = ::FindWindowExA(nullptr, w, "#32770", nullptr)) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(w, &owner);
        if (owner == pid && ::IsWindowVisible(w)) {
            return w;
        }
    }
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: corvane_peek texts|show|quit|tab N|colours|help|closehelp|accessible|box|answer\n");
        return 2;
    }
    HWND main = ::FindWindowA(CORVANE_MAIN_CLASS, nullptr);
    if (!main) {
        std::fprintf(stderr, "no Corvane window\n");
        return 1;
    }
    if (std::strcmp(argv[1], "show") == 0) {
        HWND tray = ::FindWindowA("CorvaneSysTray", nullptr);
        return tray && ::PostMessageA(tray, WM_MOUSEMOVE, 0, MAKELPARAM(0x203, 0)) ? 0 : 1;
    }
    if (std::strcmp(argv[1], "tab") == 0 && argc > 2) {
        // Moving the focus selects the tab and tells the window, as a click would.
        return ::SendMessageA(::GetDlgItem(main, IDC_TAB_MAIN), TCM_SETCURFOCUS,
                              static_cast<WPARAM>(std::atoi(argv[2])), 0) == 0 ? 0 : 1;
    }
    if (std::strcmp(argv[1], "colours") == 0) {
        HWND bar = ::GetDlgItem(main, IDC_PG_BATTERY_LEVEL);
        ::PostMessageA(bar, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(40, 8));
        return ::PostMessageA(bar, WM_RBUTTONUP, 0, MAKELPARAM(40, 8)) ? 0 : 1;
    }
    if (std::strcmp(argv[1], "help") == 0) {
        return ::PostMessageA(main, WM_COMMAND, IDM_HELP, 0) ? 0 : 1;
    }
    if (std::strcmp(argv[1], "closehelp") == 0) {
        HWND viewer = ::FindWindowA("HH Parent", nullptr);
        return viewer && ::PostMessageA(viewer, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (std::strcmp(argv[1], "accessible") == 0) {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        IAccessible* bar = nullptr;
        if (FAILED(::AccessibleObjectFromWindow(::GetDlgItem(main, IDC_PG_BATTERY_LEVEL),
                                                static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                                reinterpret_cast<void**>(&bar)))) {
            return 1;
        }
        VARIANT self{};
        self.vt = VT_I4;
        BSTR value = nullptr;
        const HRESULT hr = bar->get_accValue(self, &value);
        std::printf("value=%ls\n", SUCCEEDED(hr) && value ? value : L"");
        ::SysFreeString(value);
        bar->Release();
        return SUCCEEDED(hr) ? 0 : 1;
    }
    if (std::strcmp(argv[1], "box") == 0 || std::strcmp(argv[1], "answer") == 0) {
        const HWND box = OpenBox(main);
        if (!box) {
            return 1;
        }
        if (argv[1][0] == 'a') {
            return ::PostMessageA(box, WM_COMMAND, IDOK, 0) ? 0 : 1;
        }
        char title[256] = {};
        char text[512] = {};
        ::GetWindowTextA(box, title, sizeof title);
        // The box's text is its static control's (id 0xFFFF in MessageBox's template).
        ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        std::printf("title=%s\ntext=%s\n", title, text);
        return 0;
    }
    if (std::strcmp(argv[1], "rect") == 0 && argc > 3) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(main, &pid);
        for (HWND w = ::FindWindowExA(nullptr, nullptr, argv[2], nullptr); w; w = ::FindWindowExA(nullptr, w, argv[2], nullptr)) {
            DWORD owner = 0;
            ::GetWindowThreadProcessId(w, &owner);
            RECT r{};
            if (owner != pid || !::IsWindowVisible(w) || !::GetWindowRect(w, &r)) {
                continue;
            }
            std::FILE* out = std::fopen(argv[3], "w");
            if (!out) {
                return 1;
            }
            std::fprintf(out, "%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
            return std::fclose(out) == 0 ? 0 : 1;
        }
        return 1;
    }
    if (std::strcmp(argv[1], "quit") == 0) {
        return ::PostMessageA(main, WM_COMMAND, IDM_QUIT, 0) ? 0 : 1;
    }
    char caption[128] = {};
    ::GetWindowTextA(main, caption, sizeof caption);
    std::printf("caption=%s\n", caption);
    std::printf("visible=%d\n", ::IsWindowVisible(main) ? 1 : 0);
    for (const Named& n : kShown) {
        char text[512] = {};
        ::GetWindowTextA(::GetDlgItem(main, n.id), text, sizeof text);
        std::printf("%s=%s\n", n.name, text);
    }
    return 0;
}
