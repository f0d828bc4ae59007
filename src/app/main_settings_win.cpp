// LoadSettings and SaveSettings of frmMain: AppOpt.ini beside the program, read into the
// user's choices at start-up and written back from them when the program unloads.
#include "app/main_window_win.h"

#include "app/app_settings_win.h"
#include "app/file_exists_win.h"
#include "base/message_box_win.h"

namespace corvane::app {

void MainWindow::LoadSettings() {
    settings::ProfileSettingsFile file;
    const auto fileExists = [this](const std::string& path) { return FileExists(path, hwnd_.get()); };
    // Through Choose, as if the user had set each control: the first start writes the Run
    // value and a stored "on top" makes the window topmost, as the controls' clicks would.
    Choose(settings::LoadSettings(file, AppFolder(), fileExists));
}

void MainWindow::SaveSettings() {
    settings::ProfileSettingsFile file;
    const settings::CycleRecord cycle{cycle_.State().LastChangeTime, cycle_.State().AlertedLineStatus};
    if (!settings::SaveSettings(file, options_, cycle, AppFolder())) {
        // Said, not swallowed: the user's choices would otherwise be lost without a word. At
        // the end of the session Windows ends a program as soon as it answers; while the box
        // waits, the reason stands on the screen that lists what holds the shutdown up.
        if (endingSession_) {
            ::ShutdownBlockReasonCreate(hwnd_.get(), L"Corvane could not save your settings.");
        }
        ShowMessageBox(hwnd_.get(), settings::kSaveErrorText, settings::kSaveErrorTitle, MB_OK | MB_ICONINFORMATION);
        if (endingSession_) {
            ::ShutdownBlockReasonDestroy(hwnd_.get());
        }
    }
}

} // namespace corvane::app
