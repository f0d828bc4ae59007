#pragma once
// Counts the process's live GDI objects, menus and windows. GetGuiResources is a stub under
// Wine, so every possible handle value is asked instead; a handle leak shows as growth.
// (USER handles are matched on their low word alone when the high word is 0.)
#include <windows.h>

#include <cstdint>

namespace corvane::test {

inline int CountGdiObjects() {
    int live = 0;
    for (std::uintptr_t i = 1; i <= 0xFFFF; ++i) {
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0) {
            ++live;
        }
    }
    return live;
}

inline int CountMenusAndWindows() {
    int live = 0;
    for (std::uintptr_t i = 1; i <= 0xFFFF; ++i) {
        if (::IsMenu(reinterpret_cast<HMENU>(i)) || ::IsWindow(reinterpret_cast<HWND>(i))) {
            ++live;
        }
    }
    return live;
}

} // namespace corvane::test
