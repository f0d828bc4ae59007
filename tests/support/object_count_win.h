#pragma once
// Counts the process's live GDI objects. GetGuiResources is a stub under Wine, so every
// possible handle value is asked for its type instead; a handle leak shows as growth.
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

} // namespace corvane::test
