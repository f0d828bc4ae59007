#include "support/file_dialog_win.h"

#include "support/dialog_driver_win.h"

namespace corvane::test {

bool IsFileDialog(HWND dialog) { return ::GetDlgItem(dialog, kFileNameBox) != nullptr; }

bool IsMessageBox(HWND dialog) { return ::GetDlgItem(dialog, 0xFFFF) != nullptr && !IsFileDialog(dialog); }

std::string DialogItemText(HWND dialog, int id) {
    char text[1024] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void ChooseFile(HWND fileDialog, const std::string& path) {
    ::SetDlgItemTextA(fileDialog, kFileNameBox, path.c_str());
    PressButton(fileDialog, IDOK);
}

TestWindow::TestWindow(WNDPROC proc, int width, int height, const char* title) {
    static int counter = 0;
    const std::string cls = "CorvaneTestWindow" + std::to_string(++counter);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = cls.c_str();
    ::RegisterClassExA(&wc);
    hwnd_ = ::CreateWindowExA(0, cls.c_str(), title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, width, height,
                              nullptr, nullptr, wc.hInstance, nullptr);
}

TestWindow::~TestWindow() {
    if (hwnd_) {
        ::DestroyWindow(hwnd_);
    }
}

void CreateFolders(const std::string& path) {
    for (size_t at = path.find('\\', 3); ; at = path.find('\\', at + 1)) {
        ::CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
        if (at == std::string::npos) {
            break;
        }
    }
}

} // namespace corvane::test
