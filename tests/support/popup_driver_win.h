#pragma once
// Drives the real tray popup menu in tests.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace corvane::test {

// Acts on the open popup menu the way a person would, from a timer of this thread (the
// menu's own loop dispatches it). A menu still open after the watchdog is closed.
class PopupDriver {
public:
    using Action = std::function<void(HWND menuWindow)>;

    explicit PopupDriver(Action action) {
        current_ = this;
        action_ = std::move(action);
        timer_ = ::SetTimer(nullptr, 0, 60, Tick);
    }
    PopupDriver(const PopupDriver&) = delete;
    PopupDriver& operator=(const PopupDriver&) = delete;
    ~PopupDriver() {
        ::KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    bool Acted() const noexcept { return acted_; }
    bool WatchdogFired() const noexcept { return watchdog_; }

private:
    static HWND OpenMenuWindow() {
        HWND found = nullptr;
        ::EnumThreadWindows(::GetCurrentThreadId(), FindMenu, reinterpret_cast<LPARAM>(&found));
        return found;
    }
    static BOOL CALLBACK FindMenu(HWND hwnd, LPARAM out) {
        char cls[16] = {};
        ::GetClassNameA(hwnd, cls, sizeof cls);
        if (std::string(cls) == "#32768" && ::IsWindowVisible(hwnd)) {
            *reinterpret_cast<HWND*>(out) = hwnd;
            return FALSE;
        }
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        PopupDriver* self = current_;
        if (self == nullptr) {
            return;
        }
        ++self->ticks_;
        HWND menu = OpenMenuWindow();
        if (menu != nullptr && !self->acted_) {
            self->acted_ = true;
            self->action_(menu);
        } else if (self->ticks_ > 50) {
            self->watchdog_ = true;
            ::EndMenu();
        }
    }

    static inline PopupDriver* current_ = nullptr;
    Action action_;
    UINT_PTR timer_ = 0;
    int ticks_ = 0;
    bool acted_ = false;
    bool watchdog_ = false;
};

inline void PressKeys(HWND window, const std::vector<WPARAM>& keys) {
    for (WPARAM key : keys) {
        ::PostMessageA(window, WM_KEYDOWN, key, 1);
        ::PostMessageA(window, WM_KEYUP, key, 0xC0000001);
    }
}

} // namespace corvane::test
