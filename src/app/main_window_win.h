#pragma once
// frmMain: the program's main window. It hosts what the power-status cycle shows, owns the
// timer that drives the cycle and the tray window, and lives hidden most of the time.
#include <windows.h>

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/power_cycle.h"
#include "app/main_window_ids.h"
#include "base/handles_win.h"
#include "base/window_base_win.h"
#include "tray/sys_tray_win.h"

namespace corvane::progressbar {
class XpProgressBar;
}
namespace corvane::cdlg {
class CDlgOnWindow;
}
namespace corvane {
class AlertSoundsController;
}
namespace corvane::about {
class AboutWindow;
}

namespace corvane::app {

class WindowOptionsController;

inline constexpr UINT kUpdateIntervalMs = 2000;
inline constexpr std::string_view kShowCaption = "Show Corvane";
inline constexpr std::string_view kHideCaption = "Hide Corvane";
// The tray menu, in command order; entry 0 reads kHideCaption while the window is shown.
inline constexpr std::string_view kTrayMenuCaptions[] = {kShowCaption, "-",  "Help", "Visit website",
                                                         "About",      "-", "Quit"};
inline constexpr std::string_view kWelcomeMessage = "Double Click to show Corvane, or Right Click to see menu options.";

class MainWindow final : public WindowClass<MainWindow>,
                         public CycleView,
                         public TrayPort,
                         public SoundPort,
                         public tray::SysTrayEvents {
public:
    static constexpr const char* kClassName = CORVANE_MAIN_CLASS;

    struct Options {
        PowerSource* source = nullptr; // the system's power status when null
        Clock* clock = nullptr;        // the local clock when null
        std::optional<std::uint32_t> trayVersion; // what GetVersion should seem to say
        bool quitWhenDestroyed = true;  // end the message loop when the window goes
        // The program's path as the Run value names it; AppOpt.ini and the default sounds
        // are looked for in its folder. The running executable's when empty.
        std::string programPath;
    };

    explicit MainWindow(HINSTANCE instance, Options options);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    ~MainWindow() override;

    // Creates the window and runs start-up; the window ends hidden, the timer running.
    bool Load();
    // Form_Unload: the icon goes, the settings are saved, then the window goes. Safe to call
    // twice; only the first call saves.
    void Unload();

    HWND Hwnd() const noexcept { return hwnd_.get(); }
    bool Visible() const noexcept { return hwnd_ && ::IsWindowVisible(hwnd_.get()); }

    // tmrUpdate's tick.
    void tmrUpdate_Timer() { cycle_.RefreshPowerStatus(); }
    // Tray command lIndex: 0 show/hide, 2 help, 3 web page, 4 About, 6 Quit. sKey is unused.
    void MenuClick(std::int32_t lIndex, const std::string& sKey) override;
    // Either button: command 0.
    void SysTrayDoubleClick(std::int32_t eButton) override;
    // The right button opens the tray menu.
    void SysTrayMouseDown(std::int32_t eButton) override;
    // The keyboard on the icon: Enter or Space runs command 0, the menu key opens the menu.
    void SysTrayKeySelect() override;
    void SysTrayContextMenu() override;

    // The message loop's keyboard handling for this window: Ctrl+Tab and Ctrl+Shift+Tab
    // switch tabs, then the dialog keys (Tab, Shift+Tab, Enter, Escape, mnemonics). True
    // when the message has been handled.
    bool TranslateKeyboard(MSG& m);

    // The controls other parts of the program attach to.
    HWND Control(int id) const noexcept;
    HWND chkStartCharging() const noexcept;
    HWND chkEndCharging() const noexcept;
    HWND chkChargeLow() const noexcept;
    HWND txtChargeAlert() const noexcept;
    HWND txtSndFile(int index) const noexcept;
    HWND btnBrowse(int index) const noexcept;
    // A sound slot's value: the full path of its WAV file, empty when it has none.
    const std::string& SoundTag(int slot) const;
    // Shows a path in a slot, shortened to the box, and makes it the slot's value.
    void ShowSoundFile(int slot, std::string_view path);
    // The alert-sound slots (browse, show, preview) and the dialog control they choose with.
    AlertSoundsController& Sounds() const noexcept { return *sounds_; }
    cdlg::CDlgOnWindow& CDlg1() const noexcept { return *cdlg1_; }
    // The options of the "Settings" tab, the critical level box and the bar's colour menu.
    WindowOptionsController& WindowOptions() const noexcept { return *windowOptions_; }

    progressbar::XpProgressBar& pgBatteryLevel() const;
    tray::SysTrayWindow& oSysTray() noexcept { return *tray_; }
    PowerCycle& Cycle() noexcept { return cycle_; }
    int Dpi() const noexcept { return dpi_; }

    // CycleView
    void SetPowerInfo(std::string_view text) override;
    void SetPercentText(std::string_view text) override;
    void ResetBar() override;
    void SetBarValue(std::int32_t value) override;
    void SetTimeText(std::string_view text) override;
    bool StartChargingChecked() const override;
    bool EndChargingChecked() const override;
    bool ChargeLowChecked() const override;
    std::string ChargeAlertText() const override;
    void ShowPowerStatusError() override;
    // TrayPort
    void SetToolTip(std::string_view tip) override;
    void ShowBalloonTip(std::string_view message, std::string_view title, std::int32_t icon,
                        std::int32_t timeOutMs) override;
    // SoundPort
    void PlayAlertSound(int slot) override;

private:
    friend class WindowClass<MainWindow>;
    static void Detach(MainWindow* self, HWND) noexcept { self->hwnd_.release(); }
    LRESULT Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void ApplyDpi(int dpi);
    enum class CycleLabel { PwrInfo, Percent, Time, Count };
    void WriteCycleLabel(CycleLabel label, int id, std::string_view text);
    void LoadSettings();
    void SaveSettings();
    bool Checked(int id) const;
    std::string AppFolder() const;
    void ShowOrHide();
    void ShowAbout();
    void SelectPage(int page);
    void LoadIcons(int dpi);
    void CloseBox();
    // Asks for the program's end. The window goes only once no handler of ours is running:
    // a Quit chosen inside a box, dialog or menu opened by one of them would otherwise leave
    // that handler running on a window that is gone when the box returns.
    void Quit();
    void EndNow();
    // Counts the handlers of ours on the stack; the outermost one to return ends the program
    // when a Quit arrived meanwhile.
    class Busy {
    public:
        explicit Busy(MainWindow& w) noexcept : w_(w) { ++w_.busy_; }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;
        ~Busy();

    private:
        MainWindow& w_;
    };

    HINSTANCE instance_;
    Options options_;
    std::unique_ptr<PowerSource> ownSource_;
    std::unique_ptr<Clock> ownClock_;
    PowerCycle cycle_;
    std::unique_ptr<tray::SysTrayWindow> tray_;
    UniqueWindow hwnd_;
    UniqueGdiObject font_;
    HICON smallIcon_ = nullptr; // the icons in use: the owned ones below, or the system's shared one
    HICON bigIcon_ = nullptr;
    UniqueIcon ownSmallIcon_; // drawn for the window's DPI
    UniqueIcon ownBigIcon_;
    int dpi_ = 96;
    std::array<std::optional<std::string>, static_cast<std::size_t>(CycleLabel::Count)> cycleLabels_;
    mutable std::map<int, HWND> controls_;
    std::unique_ptr<cdlg::CDlgOnWindow> cdlg1_;
    std::unique_ptr<AlertSoundsController> sounds_;
    std::unique_ptr<WindowOptionsController> windowOptions_;
    about::AboutWindow* about_ = nullptr; // while the About window is open
    bool unloading_ = false;
    int busy_ = 0;
    bool quitPending_ = false;
    bool settingsSaved_ = false;
};

// The text of the program's version as major.minor.revision.
std::string ProgramVersionText();
// The program's file description from its version information ("Corvane" when there is none).
std::string ProgramFileDescription();

} // namespace corvane::app
