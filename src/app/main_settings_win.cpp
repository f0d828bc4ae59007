// LoadSettings and SaveSettings of frmMain: AppOpt.ini beside the program, read into the
// window's controls at start-up and written back from them when the program unloads.
#include "app/main_window_win.h"

#include "app/file_exists_win.h"
#include "app/main_window_ids.h"
#include "app/window_options_win.h"
#include "base/message_box_win.h"
#include "app/app_settings_win.h"

namespace corvane::app {

namespace {

// frmMain as the settings see it: check boxes, sound slots, the critical level, the cycle's
// two remembered items and the colour menu.
class SettingsOnWindow final : public settings::SettingsForm {
public:
    explicit SettingsOnWindow(MainWindow& frmMain) : frmMain_(frmMain) {}

    bool Checked(settings::Check box) const override {
        return ::SendMessageA(CheckBox(box), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    void SetChecked(settings::Check box, bool checked) override {
        if (Checked(box) == checked) {
            return;
        }
        ::SendMessageA(CheckBox(box), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
        if (box == settings::Check::Startup) {
            frmMain_.WindowOptions().chkStartup_Click();
        } else if (box == settings::Check::OnTop) {
            frmMain_.WindowOptions().chkOnTop_Click();
        }
    }
    std::string SoundFile(int slot) const override { return frmMain_.SoundTag(slot); }
    void ShowSoundFile(int slot, const std::string& path) override { frmMain_.ShowSoundFile(slot, path); }
    bool FileExists(const std::string& path) override { return app::FileExists(path, frmMain_.Hwnd()); }
    std::string ChargeAlertText() const override { return frmMain_.ChargeAlertText(); }
    void SetChargeAlertText(const std::string& text) override { ::SetWindowTextA(frmMain_.txtChargeAlert(), text.c_str()); }
    std::int32_t LastChangeTime() const override { return frmMain_.Cycle().State().LastChangeTime; }
    std::int32_t AlertedLineStatus() const override { return frmMain_.Cycle().State().AlertedLineStatus; }
    bool ColourTicked(int index) const override { return frmMain_.WindowOptions().ColourTicked(index); }
    void SetBarLook(std::int32_t index) override { frmMain_.WindowOptions().SetBarLook(index); }

private:
    HWND CheckBox(settings::Check box) const {
        switch (box) {
        case settings::Check::StartCharging: return frmMain_.chkStartCharging();
        case settings::Check::EndCharging: return frmMain_.chkEndCharging();
        case settings::Check::ChargeLow: return frmMain_.chkChargeLow();
        case settings::Check::Startup: return frmMain_.Control(IDC_CHK_STARTUP);
        case settings::Check::OnTop: return frmMain_.Control(IDC_CHK_ON_TOP);
        }
        return nullptr;
    }

    MainWindow& frmMain_;
};

} // namespace

void MainWindow::LoadSettings() {
    settings::ProfileSettingsFile file;
    SettingsOnWindow form(*this);
    settings::LoadSettings(file, form, AppFolder());
}

void MainWindow::SaveSettings() {
    settings::ProfileSettingsFile file;
    SettingsOnWindow form(*this);
    if (!settings::SaveSettings(file, form, AppFolder())) {
        // Said, not swallowed: the user's choices would otherwise be lost without a word.
        ShowMessageBox(hwnd_.get(), settings::kSaveErrorText, settings::kSaveErrorTitle, MB_OK | MB_ICONINFORMATION);
    }
}

} // namespace corvane::app
