#include "base/shell_open_win.h"

#include <shellapi.h>

#include <cstdint>
#include <cstdlib>

#include "base/com_win.h"

namespace corvane {

namespace {
ShellOpenInterceptor* g_shellInterceptor = nullptr;
constexpr const char* kWorkingFolder = "C:\\";
} // namespace

std::string HandleText(HWND hwnd) { return std::to_string(reinterpret_cast<std::uintptr_t>(hwnd)); }

void ShellOpen(const std::string& sTarget, const std::string& sHwnd) {
    const auto owner = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(std::strtoull(sHwnd.c_str(), nullptr, 10)));
    if (g_shellInterceptor) {
        g_shellInterceptor->Record({owner, sTarget, kWorkingFolder, SW_SHOWNORMAL});
        return;
    }
    JoinComApartment(); // the default action may be a shell extension
    ::ShellExecuteA(owner, nullptr, sTarget.c_str(), nullptr, kWorkingFolder, SW_SHOWNORMAL);
}

ShellOpenInterceptor::ShellOpenInterceptor() : previous_(g_shellInterceptor) { g_shellInterceptor = this; }

ShellOpenInterceptor::~ShellOpenInterceptor() { g_shellInterceptor = previous_; }

} // namespace corvane
