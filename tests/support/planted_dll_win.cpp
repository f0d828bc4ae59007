// A library planted beside a program under the name of a Windows one, as a web page could
// drop it into Downloads: loaded, it leaves "<its own path>.loaded" and does nothing else.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        char path[MAX_PATH + 8] = {};
        const DWORD n = ::GetModuleFileNameA(self, path, MAX_PATH);
        ::lstrcpyA(path + n, ".loaded");
        const HANDLE marker = ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (marker != INVALID_HANDLE_VALUE) {
            ::CloseHandle(marker);
        }
    }
    return TRUE;
}
