#include "app/care_box_win.h"

#include <string>

#include "app/window_options.h"
#include "app/window_options_win.h"
#include "base/handles_win.h"
#include "base/system_calls_win.h"

namespace corvane::app {

namespace {

constexpr UINT_PTR kCareBoxSubclass = 0x4341;

LRESULT CALLBACK CareBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR leftMessage) {
    switch (msg) {
    case WM_CHAR:
        if (!options::ChargeKeyPasses(static_cast<unsigned>(wParam))) {
            return 0;
        }
        break;
    case WM_PASTE:
        PasteDigits(hwnd);
        return 0;
    case WM_KILLFOCUS: {
        // As with the critical level: switching to another program leaves the typing alone.
        const auto next = reinterpret_cast<HWND>(wParam);
        if (next && ::GetWindowThreadProcessId(next, nullptr) == ::GetCurrentThreadId()) {
            ::PostMessageA(::GetParent(hwnd), static_cast<UINT>(leftMessage), 0, reinterpret_cast<LPARAM>(hwnd));
        }
        break;
    }
    case WM_NCDESTROY:
        sys::RemoveWindowSubclass(hwnd, CareBoxProc, id);
        break;
    default:
        break;
    }
    return sys::DefSubclassProc(hwnd, msg, wParam, lParam);
}

} // namespace

void AttachCareLevelBox(HWND box, UINT leftMessage) {
    sys::SetWindowSubclass(box, CareBoxProc, kCareBoxSubclass, leftMessage);
}

} // namespace corvane::app
