#pragma once
// Drives real modal dialogs (message boxes, common dialogs) from the thread that opened
// them, the way a person would: it waits for the dialog to become active, then acts on it.
#include <windows.h>

#include <functional>
#include <string>

namespace corvane::test {

struct DialogTexts {
    std::string title;
    std::string text;  // a message box's message (static control 0xFFFF)
};

DialogTexts ReadDialogTexts(HWND dialog);

// Presses a button of a dialog by posting its command (IDOK, IDCANCEL, IDRETRY, ...).
void PressButton(HWND dialog, int id);

// While alive, every dialog (#32770) that becomes active on this thread is handed to the
// action shortly after it has initialised. A dialog still open after watchdogMs is
// cancelled, so a failing test cannot hang the run.
class DialogDriver {
public:
    using Action = std::function<void(HWND dialog)>;

    // windowClass: the class of the dialogs to act on (the system's dialog class by default).
    explicit DialogDriver(Action action, UINT watchdogMs = 5000, std::string windowClass = "#32770");
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;
    ~DialogDriver();

    int DialogsSeen() const noexcept { return seen_; }
    bool WatchdogFired() const noexcept { return watchdogFired_; }

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK ActTimer(HWND, UINT, UINT_PTR, DWORD);
    static void CALLBACK WatchdogTimer(HWND, UINT, UINT_PTR, DWORD);

    Action action_;
    UINT watchdogMs_;
    std::string windowClass_;
    HHOOK hook_ = nullptr;
    HWND pending_ = nullptr;
    UINT_PTR actTimer_ = 0;
    UINT_PTR watchdog_ = 0;
    int seen_ = 0;
    bool watchdogFired_ = false;
    DialogDriver* previous_ = nullptr;
};

// A Linux path of the build tree as Wine's Z: drive sees it.
std::string HostPathToWindows(const std::string& unixPath);

// A fresh, empty folder under %TEMP% for one test; removed with everything in it.
class TempDir {
public:
    TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir();
    const std::string& Path() const noexcept { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);

// Runs the message loop of this thread until pred() holds or timeoutMs passes.
bool PumpUntil(const std::function<bool()>& pred, DWORD timeoutMs);

} // namespace corvane::test
