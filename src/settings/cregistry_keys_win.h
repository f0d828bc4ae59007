#pragma once
// The key helpers every part of cRegistry opens its keys with; private to src/settings.
#include <windows.h>

#include <cstdint>
#include <string>

#include "base/component_error.h"
#include "base/handles_win.h"
#include "base/program_path_win.h"
#include "settings/registry_rules.h"

namespace corvane::registry::keys {

// Large enough for any key or value name the registry allows, in any ANSI code page.
inline constexpr DWORD kLargestNameBuffer = 65536;

inline HKEY AsHkey(std::int32_t key) noexcept {
    // Predefined keys are sign-extended on 64-bit Windows, like the platform's own constants.
    return reinterpret_cast<HKEY>(static_cast<INT_PTR>(key));
}

[[noreturn]] inline void Raise(std::int32_t number, std::string description) {
    throw ComponentError(number, ErrorSource(ProgramPath()), std::move(description));
}

inline LSTATUS CreateOrOpen(HKEY root, const std::string& section, UniqueHkey& key) {
    char noClass[] = "";
    SECURITY_ATTRIBUTES security{}; // all zero: default security, handle not inherited
    const LSTATUS rc = ::RegCreateKeyExA(root, section.c_str(), 0, noClass, REG_OPTION_NON_VOLATILE,
                                         kAccessAllSpecific, &security, key.put(), nullptr);
    if (rc != ERROR_SUCCESS) {
        key.release();
    }
    return rc;
}

inline LSTATUS Open(HKEY root, const std::string& section, REGSAM access, UniqueHkey& key) {
    const LSTATUS rc = ::RegOpenKeyExA(root, section.c_str(), 0, access, key.put());
    if (rc != ERROR_SUCCESS) {
        key.release();
    }
    return rc;
}

} // namespace corvane::registry::keys
