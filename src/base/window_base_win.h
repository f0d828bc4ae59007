#pragma once
// One way to be a window: every window class of the program derives from WindowClass<T>,
// which registers the class once per process and links each window to its C++ object.
//
// By default the object is the creation parameter (lpCreateParams) and outlives its window.
// A control created by others, through CreateWindowEx with its class name alone, makes its
// own object instead: T then provides
//     static T* Attach(HWND, const CREATESTRUCTA&)   the object for a new window
//     static void Detach(T*, HWND)                   called on WM_NCDESTROY, link already cut
// and T's messages arrive at T::Handle(HWND, UINT, WPARAM, LPARAM).
#include <windows.h>

namespace corvane {

template <typename T>
class WindowClass {
public:
    // The object linked to a window of this class; null before WM_NCCREATE and after
    // WM_NCDESTROY, or when the window belongs to another class.
    static T* FromHwnd(HWND hwnd) noexcept {
        char name[64] = {};
        if (!hwnd || !::GetClassNameA(hwnd, name, sizeof name) || ::lstrcmpiA(name, T::kClassName) != 0) {
            return nullptr;
        }
        return reinterpret_cast<T*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }

protected:
    // Registers T::kClassName with this class's procedure, once per process and module; the
    // rest of the class (style, cursor, background, icons) comes from `wc`.
    static bool RegisterWindowClass(HINSTANCE instance, WNDCLASSEXA wc = {}) {
        WNDCLASSEXA existing{};
        existing.cbSize = sizeof existing;
        if (::GetClassInfoExA(instance, T::kClassName, &existing)) {
            return true;
        }
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &Proc;
        wc.hInstance = instance;
        wc.lpszClassName = T::kClassName;
        if (!wc.hCursor) {
            wc.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
        }
        return ::RegisterClassExA(&wc) != 0;
    }

    // Cuts the link early (an owner tearing its window down itself): later messages go to
    // DefWindowProc and Detach is not called.
    static void Unlink(HWND hwnd) noexcept { ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0); }

    static T* Attach(HWND, const CREATESTRUCTA& cs) noexcept { return static_cast<T*>(cs.lpCreateParams); }
    static void Detach(T*, HWND) noexcept {}

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_NCCREATE) {
            T* created = T::Attach(hwnd, *reinterpret_cast<const CREATESTRUCTA*>(lParam));
            ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        }
        T* self = reinterpret_cast<T*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (!self) {
            return ::DefWindowProcA(hwnd, msg, wParam, lParam);
        }
        if (msg == WM_NCDESTROY) {
            Unlink(hwnd);
            T::Detach(self, hwnd);
            return ::DefWindowProcA(hwnd, msg, wParam, lParam);
        }
        return self->Handle(hwnd, msg, wParam, lParam);
    }
};

} // namespace corvane
