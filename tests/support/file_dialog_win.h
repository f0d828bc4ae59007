#pragma once
// Helpers for tests that drive the real file dialogs and host controls on a real window.
#include <windows.h>

#include <string>

namespace corvane::test {

// The explorer-style file dialog's file-name box (a ComboBoxEx) and type list.
inline constexpr int kFileNameBox = 0x47C;  // cmb13
inline constexpr int kFileTypeList = 0x470; // cmb1

bool IsFileDialog(HWND dialog);
bool IsMessageBox(HWND dialog);
std::string DialogItemText(HWND dialog, int id);

// Types the path into the file-name box and presses Open (or Save).
void ChooseFile(HWND fileDialog, const std::string& path);

// A visible top-level window of its own class whose procedure is the given function.
class TestWindow {
public:
    explicit TestWindow(WNDPROC proc, int width = 480, int height = 260, const char* title = "Corvane test");
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    ~TestWindow();
    HWND get() const noexcept { return hwnd_; }

private:
    HWND hwnd_ = nullptr;
};

// Creates a folder and everything above it that is missing.
void CreateFolders(const std::string& path);

} // namespace corvane::test
