#include "app/file_exists_win.h"

#include <string>

#include "base/component_error.h"
#include "base/message_box_win.h"

namespace corvane::app {

namespace {

struct LookupError {
    std::int32_t number;
    const char* description;
};

// The lookup's failures in the run-time error numbers and texts the program reports them with.
LookupError Classify(DWORD error) {
    switch (error) {
    case ERROR_NOT_READY:
        return {71, "Disk not ready"};
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_DEV_NOT_EXIST:
        return {68, "Device unavailable"};
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
        return {52, "Bad file name or number"};
    default:
        return {75, "Path/File access error"};
    }
}

} // namespace

bool FileExists(std::string_view path, HWND owner) {
    // An empty path would list the current folder: it names no file.
    if (path.empty()) {
        return false;
    }
    const std::string p(path);
    WIN32_FIND_DATAA data{};
    HANDLE find = ::FindFirstFileA(p.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_NO_MORE_FILES) {
            return false;
        }
        const LookupError e = Classify(error);
        ShowRoutineError(owner, "FileExists", e.number, e.description);
        return false;
    }
    bool found = false;
    do {
        found = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    } while (!found && ::FindNextFileA(find, &data));
    ::FindClose(find);
    return found;
}

} // namespace corvane::app
