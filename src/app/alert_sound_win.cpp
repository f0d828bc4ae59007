#include "app/alert_sound_win.h"

#include <mmsystem.h>

#include "base/component_error.h"
#include "base/message_box_win.h"

namespace corvane {

namespace {

AlertSoundInterceptor* g_soundInterceptor = nullptr;

std::string SystemErrorText(DWORD code) {
    char* text = nullptr;
    const DWORD n = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string s = n && text ? std::string(text, n) : "Error " + std::to_string(code) + ".";
    if (text) {
        ::LocalFree(text);
    }
    while (!s.empty() && (s.back() == '\r' || s.back() == '\n' || s.back() == ' ')) {
        s.pop_back();
    }
    return s;
}

bool IsNotFound(DWORD code) {
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND || code == ERROR_NO_MORE_FILES;
}

// FindFirstFileA's search handle, closed with FindClose.
class FindSearch {
public:
    FindSearch(const char* query, WIN32_FIND_DATAA& found) noexcept : h_(::FindFirstFileA(query, &found)) {}
    FindSearch(const FindSearch&) = delete;
    FindSearch& operator=(const FindSearch&) = delete;
    ~FindSearch() {
        if (h_ != INVALID_HANDLE_VALUE) {
            ::FindClose(h_);
        }
    }
    explicit operator bool() const noexcept { return h_ != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAA& found) noexcept { return ::FindNextFileA(h_, &found) != FALSE; }

private:
    HANDLE h_;
};

} // namespace

bool FileExists(std::string_view path) {
    // An empty slot names nothing; the lookup would otherwise list the current folder.
    if (path.empty()) {
        return false;
    }
    const std::string query(path);
    WIN32_FIND_DATAA found;
    FindSearch search(query.c_str(), found);
    if (!search) {
        const DWORD code = ::GetLastError();
        if (!IsNotFound(code)) {
            const MessageBoxText box =
                RoutineErrorBox("FileExists", static_cast<std::int32_t>(code), SystemErrorText(code));
            ShowMessageBox(nullptr, box.text, box.title, MB_OK | MB_ICONINFORMATION);
        }
        return false;
    }
    bool isFile = false;
    do {
        isFile = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    } while (!isFile && search.Next(found));
    return isFile;
}

void PlayAlertSound(const std::string& path) {
    if (!FileExists(path)) {
        return;
    }
    const UINT flags = SND_ASYNC | SND_NODEFAULT;
    if (g_soundInterceptor) {
        g_soundInterceptor->Record({path, flags});
        return;
    }
    ::sndPlaySoundA(path.c_str(), flags);
}

AlertSoundInterceptor::AlertSoundInterceptor() : previous_(g_soundInterceptor) { g_soundInterceptor = this; }

AlertSoundInterceptor::~AlertSoundInterceptor() { g_soundInterceptor = previous_; }

} // namespace corvane
