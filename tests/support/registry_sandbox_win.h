#pragma once
// Keeps a test's HKEY_CURRENT_USER writes (the Run value among them) out of the prefix's real
// user hive: while alive, HKEY_CURRENT_USER of this process is a fresh key of its own.
#include <windows.h>

#include <string>

namespace corvane::test {

class CurrentUserSandbox {
public:
    CurrentUserSandbox() : path_("Software\\CorvaneTests\\User" + std::to_string(::GetCurrentProcessId())) {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
        ::RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
        ::RegOverridePredefKey(HKEY_CURRENT_USER, key_);
    }
    CurrentUserSandbox(const CurrentUserSandbox&) = delete;
    CurrentUserSandbox& operator=(const CurrentUserSandbox&) = delete;
    ~CurrentUserSandbox() {
        ::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        ::RegCloseKey(key_);
        ::RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
    }

private:
    std::string path_;
    HKEY key_ = nullptr;
};

// The autostart value as the shell would find it, or nothing.
inline bool ReadRunValue(std::string& data, HKEY root = HKEY_CURRENT_USER) {
    char buffer[1024] = {};
    DWORD size = sizeof buffer - 1;
    DWORD type = 0;
    if (::RegGetValueA(root, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Corvane", RRF_RT_ANY, &type,
                       buffer, &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return false;
    }
    data = buffer;
    return true;
}

inline void DeleteRunValue(HKEY root = HKEY_CURRENT_USER) {
    ::RegDeleteKeyValueA(root, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Corvane");
}

} // namespace corvane::test
