#include "support/dialog_driver_win.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace corvane::test {

namespace {
DialogDriver* g_driver = nullptr;

bool IsDialogClass(HWND hwnd, const std::string& wanted) {
    char cls[64] = {};
    ::GetClassNameA(hwnd, cls, sizeof cls);
    return cls == wanted;
}

std::string WindowText(HWND hwnd) {
    const int n = ::GetWindowTextLengthA(hwnd);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    ::GetWindowTextA(hwnd, s.data(), n + 1);
    s.resize(static_cast<size_t>(n));
    return s;
}

void DeleteTree(const std::string& dir) {
    WIN32_FIND_DATAA fd;
    HANDLE h = ::FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = fd.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            const std::string full = dir + "\\" + name;
            ::SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                DeleteTree(full);
            } else {
                ::DeleteFileA(full.c_str());
            }
        } while (::FindNextFileA(h, &fd));
        ::FindClose(h);
    }
    ::RemoveDirectoryA(dir.c_str());
}
} // namespace

DialogTexts ReadDialogTexts(HWND dialog) {
    DialogTexts t;
    t.title = WindowText(dialog);
    if (HWND msg = ::GetDlgItem(dialog, 0xFFFF)) {
        t.text = WindowText(msg);
    }
    return t;
}

void PressButton(HWND dialog, int id) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

DialogDriver::DialogDriver(Action action, UINT watchdogMs, std::string windowClass)
    : action_(std::move(action)), watchdogMs_(watchdogMs), windowClass_(std::move(windowClass)), previous_(g_driver) {
    g_driver = this;
    hook_ = ::SetWindowsHookExA(WH_CBT, CbtProc, nullptr, ::GetCurrentThreadId());
}

DialogDriver::~DialogDriver() {
    if (hook_) {
        ::UnhookWindowsHookEx(hook_);
    }
    if (actTimer_) {
        ::KillTimer(nullptr, actTimer_);
    }
    if (watchdog_) {
        ::KillTimer(nullptr, watchdog_);
    }
    g_driver = previous_;
}

LRESULT CALLBACK DialogDriver::CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    DialogDriver* self = g_driver;
    if (self && code == HCBT_ACTIVATE) {
        HWND hwnd = reinterpret_cast<HWND>(wParam);
        if (IsDialogClass(hwnd, self->windowClass_) && hwnd != self->pending_) {
            self->pending_ = hwnd;
            ++self->seen_;
            // Act once the dialog has finished WM_INITDIALOG and entered its modal loop.
            if (self->actTimer_) {
                ::KillTimer(nullptr, self->actTimer_);
            }
            self->actTimer_ = ::SetTimer(nullptr, 0, 50, ActTimer);
            if (self->watchdog_) {
                ::KillTimer(nullptr, self->watchdog_);
            }
            self->watchdog_ = ::SetTimer(nullptr, 0, self->watchdogMs_, WatchdogTimer);
        }
    }
    return ::CallNextHookEx(self ? self->hook_ : nullptr, code, wParam, lParam);
}

void CALLBACK DialogDriver::ActTimer(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    DialogDriver* self = g_driver;
    if (!self || self->actTimer_ != id) {
        return;
    }
    self->actTimer_ = 0;
    HWND dialog = self->pending_;
    if (::IsWindow(dialog) && self->action_) {
        self->action_(dialog);
    }
}

void CALLBACK DialogDriver::WatchdogTimer(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    DialogDriver* self = g_driver;
    if (!self || self->watchdog_ != id) {
        return;
    }
    self->watchdog_ = 0;
    if (::IsWindow(self->pending_)) {
        self->watchdogFired_ = true;
        ::PostMessageA(self->pending_, WM_COMMAND, IDCANCEL, 0);
    }
}

std::string HostPathToWindows(const std::string& unixPath) {
    std::string p = "Z:" + unixPath;
    std::replace(p.begin(), p.end(), '/', '\\');
    return p;
}

TempDir::TempDir() {
    char base[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, base);
    static unsigned counter = 0;
    for (;;) {
        char name[64];
        std::snprintf(name, sizeof name, "corvane-test-%lu-%u", ::GetCurrentProcessId(), ++counter);
        path_ = std::string(base) + name;
        if (::CreateDirectoryA(path_.c_str(), nullptr)) {
            break;
        }
    }
}

TempDir::~TempDir() { DeleteTree(path_); }

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

bool PumpUntil(const std::function<bool()>& pred, DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    while (!pred()) {
        if (::GetTickCount() - start > timeoutMs) {
            return false;
        }
        MSG m;
        while (::PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&m);
            ::DispatchMessageA(&m);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

} // namespace corvane::test
