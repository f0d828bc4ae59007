#pragma once
// ShellOpen: opens a file or web address with the shell's default action.
#include <windows.h>

#include <string>
#include <vector>

namespace corvane {

// ShellExecuteA with no verb, the target as the file, no parameters, the working folder
// "C:\" and SW_SHOWNORMAL; sHwnd is the owner window's handle as decimal text. Whatever the
// shell answers is not examined.
void ShellOpen(const std::string& sTarget, const std::string& sHwnd);

// The owner window's handle as ShellOpen takes it.
std::string HandleText(HWND hwnd);

// While alive, ShellOpen records what it would hand to ShellExecuteA instead of calling it.
class ShellOpenInterceptor {
public:
    struct Call {
        HWND owner;
        std::string file;
        std::string directory;
        int show;
    };

    ShellOpenInterceptor();
    ShellOpenInterceptor(const ShellOpenInterceptor&) = delete;
    ShellOpenInterceptor& operator=(const ShellOpenInterceptor&) = delete;
    ~ShellOpenInterceptor();

    const std::vector<Call>& Calls() const noexcept { return calls_; }
    void Record(Call call) { calls_.push_back(std::move(call)); }

private:
    std::vector<Call> calls_;
    ShellOpenInterceptor* previous_;
};

} // namespace corvane
