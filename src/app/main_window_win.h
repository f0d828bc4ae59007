#pragma once
// frmMain: the program's main window. It hosts what the power-status cycle shows, owns the
// timer that drives the cycle and the tray window, and lives hidden most of the time.
#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "history/charge_log_win.h"
#include "history/history_page_win.h"
#include "app/main_layout_win.h"
#include "app/battery_now.h"
#include "app/care_reminder.h"
#include "app/main_window_ids.h"
#include "app/power_cycle.h"
#include "app/user_options.h"
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
namespace corvane::tray {
class ChargeIcon;
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
// The welcome balloon asks for two milliseconds: the shell's own minimum applies.
inline constexpr std::int32_t kWelcomeTimeOutMs = 2;
// The bar's value until the first reading.
inline constexpr std::int32_t kPlaceholderCharge = 57;

// The tray menu's commands by their entries' positions; the menu bar's entries and the icon's
// double-click run the same ones. The separators at 1 and 5 are no command.
enum class TrayCommand : std::int32_t { ShowOrHide = 0, Help = 2, WebPage = 3, About = 4, Quit = 6 };

// The program's icon in the two sizes a window shows, drawn for one DPI; a host without our
// icon (a test program) gets the system's shared application icon, which is never destroyed.
class AppIcons {
public:
    HICON Small() const noexcept;
    HICON Big() const noexcept;

private:
    friend AppIcons LoadAppIcons(HINSTANCE instance, int dpi);
    UniqueIcon small_;
    UniqueIcon big_;
};
AppIcons LoadAppIcons(HINSTANCE instance, int dpi);

class MainWindow final : public WindowClass<MainWindow>, public tray::SysTrayEvents {
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
    void tmrUpdate_Timer() { Tick(); }
    // Tray command lIndex (a TrayCommand's number); sKey is unused.
    void MenuClick(std::int32_t lIndex, const std::string& sKey) override;
    // Either button: show or hide.
    void SysTrayDoubleClick(std::int32_t eButton) override;
    // The right button opens the tray menu.
    void SysTrayMouseDown(std::int32_t eButton) override;
    // The keyboard on the icon: Enter or Space shows or hides, the menu key opens the menu.
    void SysTrayKeySelect() override;
    void SysTrayContextMenu() override;

    // The message loop's keyboard handling for this window: Ctrl+Tab and Ctrl+Shift+Tab
    // switch tabs, then the dialog keys (Tab, Shift+Tab, Enter, Escape, mnemonics). True
    // when the message has been handled.
    bool TranslateKeyboard(MSG& m);

    // The user's choices as they are now.
    const UserOptions& Chosen() const noexcept { return options_; }
    // Takes choices as the user would make them on the controls: they are shown, and what
    // acts at once (start with Windows, always on top, the bar colour) acts when it changed.
    void Choose(const UserOptions& chosen);

    const MainControls& Controls() const noexcept { return controls_; }
    // The alert-sound slots (browse, show, preview).
    AlertSoundsController& Sounds() const noexcept { return *sounds_; }
    progressbar::XpProgressBar& pgBatteryLevel() const;
    tray::SysTrayWindow& oSysTray() noexcept { return *tray_; }
    PowerCycle& Cycle() noexcept { return cycle_; }
    history::HistoryPage& History() noexcept { return history_; }
    int Dpi() const noexcept { return dpi_; }

private:
    friend class WindowClass<MainWindow>;
    // The cycle's view of the window, the tray and the sounds.
    class CyclePorts final : public CycleView, public TrayPort, public SoundPort {
    public:
        explicit CyclePorts(MainWindow& w) noexcept : w_(w) {}
        void ShowCharge(std::int32_t barValue, std::string_view percentText) override;
        void ShowPowerSource(std::string_view text) override;
        void ShowTimeLeft(std::string_view text) override;
        void ShowPowerStatusError() override;
        void SetToolTip(std::string_view tip) override;
        void ShowBalloonTip(std::string_view message, std::string_view title, std::int32_t icon,
                            std::int32_t timeOutMs) override;
        void PlayAlertSound(int slot) override;

    private:
        MainWindow& w_;
    };
    static void Detach(MainWindow* self, HWND) noexcept { self->hwnd_.release(); }
    LRESULT Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // The steps of Load.
    bool CreateFrame();
    void CreateControllers();
    void ShowDesignTexts();
    void CreateTray();
    void FirstReading();
    // ChargeLog.csv beside AppOpt.ini, and the History tab's page over the tab's page area.
    void CreateHistory();
    // One reading, taken and handed on to everything that shows or keeps it; none when the
    // power status could not be read.
    std::optional<Reading> Tick();

    void ApplyDpi(int dpi);
    void ApplyIcons(AppIcons icons);
    enum class CycleLabel { PwrInfo, Percent, Time, BatteryNow, Count };
    void WriteCycleLabel(CycleLabel label, HWND control, std::string_view text);
    // Shows the choices on the controls.
    void ShowOptions();
    // A check box or the critical level box changed: the choice follows it, then acts.
    bool OnOptionCommand(WPARAM wParam, LPARAM lParam);
    void ChooseColour(std::int32_t index);
    // The tray charge by the options, the critical level and the tray's DPI.
    void ChooseChargeIcon();
    // The care reminder by a reading; its balloon waits while another of this tick's is shown.
    void RemindOfCare(const Reading& reading);
    // The line under the estimate: what the battery is doing, at the smoothed rate.
    void ShowBatteryNow(const Reading& reading);
    void CheckCareLevel();
    void LoadSettings();
    void SaveSettings();
    std::string AppFolder() const;
    void ShowOrHide();
    void SetShown(bool shown);
    void ShowAbout();
    void SelectPage(int page);
    void CloseBox();
    // Asks for the program's end. The window goes only once no handler of ours is running:
    // a Quit chosen inside a box, dialog or menu opened by one of them would otherwise leave
    // that handler running on a window that is gone when the box returns.
    void Quit();
    void EndNow();
    // Form_Unload's order: the icon goes, then the settings are saved (once per run).
    void RemoveIconAndSave();
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
    Options startOptions_;
    std::unique_ptr<PowerSource> ownSource_;
    std::unique_ptr<Clock> ownClock_;
    PowerSource& source_;
    Clock& clock_;
    CyclePorts ports_;
    PowerCycle cycle_;
    UserOptions options_;
    std::unique_ptr<tray::SysTrayWindow> tray_;
    std::unique_ptr<tray::ChargeIcon> chargeIcon_; // while the tray is loaded
    care::Reminder careReminder_;
    RateSmoother rate_;
    // Our own balloons wait for a tick in which none of the cycle's was shown: the tray
    // shows one balloon at a time, and the newest replaces the one before.
    std::optional<care::Balloon> heldBalloon_;
    int cycleBalloons_ = 0; // the cycle's balloons in this tick
    bool welcomed_ = false; // the welcome balloon, which follows the first reading, was shown
    bool ticking_ = false;
    UniqueWindow hwnd_;
    MainControls controls_;
    UniqueGdiObject font_;
    AppIcons icons_;
    int dpi_ = 96;
    bool shown_ = false; // what the tray menu's first entry offers follows from it
    std::array<std::optional<std::string>, static_cast<std::size_t>(CycleLabel::Count)> cycleLabels_;
    std::unique_ptr<cdlg::CDlgOnWindow> cdlg1_;
    std::unique_ptr<AlertSoundsController> sounds_;
    std::unique_ptr<WindowOptionsController> windowOptions_;
    about::AboutWindow* about_ = nullptr; // while the About window is open
    bool unloading_ = false;
    int busy_ = 0;
    bool quitPending_ = false;
    bool settingsSaved_ = false;
    bool endingSession_ = false; // Windows is ending the session: a save error must hold it
    history::ChargeLog chargeLog_;
    history::HistoryPage history_; // uses font_, so it goes before it
};

// The text of the program's version as major.minor.revision.
std::string ProgramVersionText();
// The program's file description, as its version resource gives it.
std::string ProgramFileDescription();

} // namespace corvane::app
