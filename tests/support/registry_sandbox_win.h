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
        ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\CorvaneTests");  // refused while another test has its key there
    }

private:
    std::string path_;
    HKEY key_ = nullptr;
};

// The autostart value as the shell would find it, or nothing.
inline bool ReadRunValue(std::string& data) {
    char buffer[1024] = {};
    DWORD size = sizeof buffer - 1;
    DWORD type = 0;
    if (::RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Corvane", RRF_RT_ANY, &type,
                       buffer, &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return false;
    }
    data = buffer;
    return true;
}

// The long path of the program the Run value would start: its one path, quoted when it
// holds a space. Empty when there is no value or it would not start one existing file.
inline std::string RunValueTarget() {
    std::string path;
    if (!ReadRunValue(path)) {
        return {};
    }
    if (path.size() > 1 && path.front() == '"' && path.back() == '"') {
        path = path.substr(1, path.size() - 2);
    } else if (path.find(' ') != std::string::npos) {
        return {};
    }
    char longPath[MAX_PATH] = {};
    return ::GetLongPathNameA(path.c_str(), longPath, MAX_PATH) ? std::string(longPath) : std::string();
}

inline void DeleteRunValue() {
    ::RegDeleteKeyValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Corvane");
}

} // namespace corvane::test
