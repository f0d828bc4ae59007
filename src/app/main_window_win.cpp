#include "app/main_window_win.h"

#include <commctrl.h>
#include <mmsystem.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <vector>

#include "about/about_layout.h"
#include "about/about_window_win.h"
#include "app/alert_sound_win.h"
#include "app/app_settings.h"
#include "history/battery_health.h"
#include "app/battery_now.h"
#include "app/care_box_win.h"
#include "app/file_exists_win.h"
#include "app/main_layout_win.h"
#include "app/main_window_ids.h"
#include "app/power_ports_win.h"
#include "base/clock_win.h"
#include "base/reentry.h"
#include "app/res/resource.h"
#include "base/shell_open_win.h"
#include "base/message_box_win.h"
#include "app/sounds_win.h"
#include "app/window_options.h"
#include "app/window_options_win.h"
#include "base/system_calls_win.h"
#include "base/text_win.h"
#include "controls/commondialog/common_dialog_win.h"
#include "controls/progressbar/progress_bar_win.h"
#include "corvane_version.h"
#include "tray/charge_icon_win.h"

namespace corvane::app {

namespace {

constexpr UINT_PTR kUpdateTimer = 1;
// No WS_CLIPCHILDREN: the frames leave their insides to the window's own background.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExStyle = 0;

constexpr UINT_PTR kRefuseCloseSubclass = 0x434c;
// Posted by the reminder level box once it was left for another of the program's windows.
constexpr UINT kCareLevelLeft = WM_APP + 0x40;

// The standard controls are closed by nothing of ours: a WM_CLOSE can only come from another
// program, and a control it destroyed would leave its option reading as unticked and its
// handle dangling in the objects that hold it.
LRESULT CALLBACK RefuseCloseProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (msg == WM_CLOSE) {
        return 0;
    }
    if (msg == WM_NCDESTROY) {
        sys::RemoveWindowSubclass(hwnd, RefuseCloseProc, kRefuseCloseSubclass);
    }
    return sys::DefSubclassProc(hwnd, msg, wParam, lParam);
}

BOOL CALLBACK RefuseClose(HWND child, LPARAM) {
    sys::SetWindowSubclass(child, RefuseCloseProc, kRefuseCloseSubclass, 0);
    return TRUE;
}

} // namespace

std::string ProgramVersionText() { return CORVANE_VERSION_TEXT; }

std::string ProgramFileDescription() { return CORVANE_FILE_DESCRIPTION; }

namespace {
PowerSource& SourceOf(const MainWindow::Options& o, std::unique_ptr<PowerSource>& own) {
    if (o.source) {
        return *o.source;
    }
    own = std::make_unique<SystemPowerSource>();
    return *own;
}
Clock& ClockOf(const MainWindow::Options& o, std::unique_ptr<Clock>& own) {
    if (o.clock) {
        return *o.clock;
    }
    own = std::make_unique<SystemClock>();
    return *own;
}
} // namespace

HICON AppIcons::Small() const noexcept { return small_ ? small_.get() : ::LoadIconA(nullptr, MAKEINTRESOURCEA(32512)); }
HICON AppIcons::Big() const noexcept { return big_ ? big_.get() : ::LoadIconA(nullptr, MAKEINTRESOURCEA(32512)); }

AppIcons LoadAppIcons(HINSTANCE instance, int dpi) {
    const auto load = [&](int cx, int cy) {
        return UniqueIcon(static_cast<HICON>(::LoadImageA(instance, MAKEINTRESOURCEA(IDI_CORVANE), IMAGE_ICON,
                                                          SystemMetricForDpi(cx, dpi), SystemMetricForDpi(cy, dpi), 0)));
    };
    AppIcons icons;
    icons.small_ = load(SM_CXSMICON, SM_CYSMICON);
    icons.big_ = load(SM_CXICON, SM_CYICON);
    if (!icons.small_ || !icons.big_) {
        icons = AppIcons(); // both from the same place
    }
    return icons;
}

MainWindow::MainWindow(HINSTANCE instance, Options options)
    : instance_(instance),
      startOptions_(options),
      source_(SourceOf(startOptions_, ownSource_)),
      clock_(ClockOf(startOptions_, ownClock_)),
      ports_(*this),
      cycle_(ports_, ports_, ports_),
      history_(clock_, &history::QueryBatteries) {}

MainWindow::~MainWindow() {
    startOptions_.quitWhenDestroyed = false;
    Unload();
}

bool MainWindow::Load() {
    const Busy busy(*this);
    if (!CreateFrame()) {
        return false;
    }
    CreateControllers();
    CreateHistory();
    ApplyDpi(DpiOfWindow(hwnd_.get()));
    ApplyIcons(LoadAppIcons(instance_, dpi_));
    const SIZE size = MainWindowSize(kStyle, kExStyle, true, dpi_);
    ::SetWindowPos(hwnd_.get(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowDesignTexts();
    CreateTray();
    LoadSettings();
    if (quitPending_) {
        return true; // Quit was chosen over a box of the start-up: the program ends as this returns
    }
    FirstReading();
    tray_->ShowBalloonTip(kWelcomeMessage, "Corvane", kBalloonInfo, kWelcomeTimeOutMs);
    welcomed_ = true;
    ::SetTimer(hwnd_.get(), kUpdateTimer, kUpdateIntervalMs, nullptr);
    ::ShowWindow(hwnd_.get(), SW_HIDE);
    return true;
}

bool MainWindow::CreateFrame() {
    WNDCLASSEXA wc{};
    // The icons come per window, for its DPI (ApplyIcons).
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    if (!RegisterWindowClass(instance_, wc)) {
        return false;
    }
    HWND hwnd = ::CreateWindowExA(kExStyle, CORVANE_MAIN_CLASS, "", kStyle, CW_USEDEFAULT, CW_USEDEFAULT, 100, 100,
                                  nullptr, ::LoadMenuA(instance_, MAKEINTRESOURCEA(IDR_MAIN_MENU)), instance_, this);
    if (!hwnd) {
        return false;
    }
    hwnd_.reset(hwnd);
    controls_ = CreateMainControls(hwnd);
    ::EnumChildWindows(hwnd, RefuseClose, 0);
    return true;
}

void MainWindow::CreateControllers() {
    HWND hwnd = hwnd_.get();
    cdlg1_ = std::make_unique<cdlg::CDlgOnWindow>(hwnd);
    AlertSoundControls sound;
    sound.window = hwnd;
    sound.options = {controls_.chkStartCharging, controls_.chkEndCharging, controls_.chkChargeLow};
    sound.soundFiles = controls_.txtSndFile;
    sound.browseButtons = controls_.btnBrowse;
    sound.programFolder = AppFolder();
    sound.chosen = [this](int slot, const std::string& path) {
        options_.soundFiles.at(static_cast<std::size_t>(slot)) = path; // shown already by the slot
    };
    sounds_ = std::make_unique<AlertSoundsController>(sound, cdlg1_->Control());
    WindowOptionControls optionControls;
    optionControls.window = hwnd;
    optionControls.txtChargeAlert = controls_.txtChargeAlert;
    optionControls.bar = &pgBatteryLevel();
    optionControls.programPath = startOptions_.programPath.empty() ? ProgramPath() : startOptions_.programPath;
    optionControls.lastPercent = [this] { return cycle_.State().LastPercent; };
    optionControls.colourChosen = [this](std::int32_t index) { ChooseColour(index); };
    windowOptions_ = std::make_unique<WindowOptionsController>(std::move(optionControls));
    AttachCareLevelBox(controls_.txtCareVal, kCareLevelLeft);
    ShowOptions(); // the design states
}

void MainWindow::ShowDesignTexts() {
    const std::string caption = "Corvane " + ProgramVersionText();
    ::SetWindowTextA(hwnd_.get(), caption.c_str());
    ::SetWindowTextA(controls_.Label6, " ");
    pgBatteryLevel().SetValue(kPlaceholderCharge);
}

void MainWindow::CreateTray() {
    tray_ = std::make_unique<tray::SysTrayWindow>(this, startOptions_.trayVersion);
    tray_->Load(ProgramFileDescription());
    for (std::string_view entry : kTrayMenuCaptions) {
        tray_->AddMenuItem(entry, "", false);
    }
    tray_->SetIconHandle(icons_.Small());
    // The tray takes each drawn icon before the one it replaces is freed.
    chargeIcon_ = std::make_unique<tray::ChargeIcon>([this](HICON icon) { tray_->SetIconHandle(icon); },
                                                     icons_.Small());
}

void MainWindow::CreateHistory() {
    const std::string folder = AppFolder();
    if (!folder.empty()) {
        chargeLog_.Open(folder + "\\" + std::string(history::kChargeLogName), clock_.UtcNow());
    }
    // Font and place come with ApplyDpi, the critical level with ShowOptions. Created after
    // the tab control, the page would lie beneath it and the tab would take its clicks.
    if (history_.Create(hwnd_.get(), nullptr, dpi_, IDC_HISTORY_FIRST, &chargeLog_,
                        folder + "\\" + std::string(history::kBatteryHealthName))) {
        ::SetWindowPos(history_.Window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

std::optional<Reading> MainWindow::Tick() {
    // A tick that arrives while a box of this one is open (the read error, a sound file's
    // lookup error) would stack boxes and repeat alerts: it is skipped.
    if (ticking_) {
        return std::nullopt;
    }
    const ReentryGuard guard(ticking_);
    const std::optional<Reading> reading = TakeReading(source_, clock_);
    cycleBalloons_ = 0;
    cycle_.RefreshPowerStatus(reading, options_.Alerts());
    if (!reading) {
        return reading;
    }
    const int percent = reading->status.BatteryLifePercent; // 255 where unknown
    ShowBatteryNow(*reading);
    RemindOfCare(*reading);
    chargeIcon_->OnReading(percent, reading->OnAc());
    chargeLog_.Record(percent, reading->OnAc(), reading->utc);
    history_.OnReading(percent, reading->OnAc(), reading->utc);
    return reading;
}

void MainWindow::FirstReading() {
    cycle_.ClearBaseline();
    const std::optional<Reading> first = Tick();
    if (first && first->status.BatteryLifePercent == 100 && options_.endChargingAlert) {
        ports_.PlayAlertSound(kSlotBatteryFull);
    }
}

void MainWindow::Unload() {
    if (unloading_) {
        return;
    }
    unloading_ = true;
    if (about_) {
        about_->Close(); // its loop ends once this handler returns
    }
    if (hwnd_) {
        ::KillTimer(hwnd_.get(), kUpdateTimer);
    }
    RemoveIconAndSave();
    hwnd_.reset();
}

void MainWindow::RemoveIconAndSave() {
    if (tray_) {
        // The object itself stays until this window's object goes: Quit arrives from inside the
        // tray window's own handlers, which must not find themselves deleted on return.
        tray_->Unload();
    }
    chargeIcon_.reset(); // the shell no longer shows the drawn icon
    if (hwnd_ && windowOptions_ && !settingsSaved_) {
        settingsSaved_ = true; // once, even when the end of the session arrives over its box
        SaveSettings();
    }
}

MainWindow::Busy::~Busy() {
    if (--w_.busy_ == 0 && w_.quitPending_) {
        w_.EndNow();
    }
}

progressbar::XpProgressBar& MainWindow::pgBatteryLevel() const {
    return *progressbar::XpProgressBar::FromHwnd(controls_.pgBatteryLevel);
}

std::string MainWindow::AppFolder() const {
    std::string folder = startOptions_.programPath.empty() ? ProgramPath() : startOptions_.programPath;
    const std::size_t slash = folder.find_last_of('\\');
    return slash == std::string::npos ? std::string() : folder.substr(0, slash);
}

void MainWindow::SetShown(bool shown) {
    shown_ = shown;
    tray_->SetMenuCaption(0, shown_ ? kHideCaption : kShowCaption);
}

void MainWindow::ShowOrHide() {
    if (!shown_) {
        ::ShowWindow(hwnd_.get(), SW_SHOW);
        ::SetForegroundWindow(hwnd_.get());
    } else {
        ::ShowWindow(hwnd_.get(), SW_HIDE);
    }
    SetShown(!shown_);
}

void MainWindow::CloseBox() {
    // The close box only hides. Showing or hiding does that while the window counts as shown;
    // a window shown some other way (always on top) would otherwise reappear.
    if (!tray_ || !shown_) {
        ::ShowWindow(hwnd_.get(), SW_HIDE);
    } else {
        MenuClick(static_cast<std::int32_t>(TrayCommand::ShowOrHide), std::string());
    }
}

void MainWindow::Quit() {
    if (unloading_ || quitPending_) {
        return;
    }
    quitPending_ = true;
    if (hwnd_) {
        ::KillTimer(hwnd_.get(), kUpdateTimer);
    }
    if (about_) {
        about_->Close(); // its loop ends once this handler returns
    }
    // Saved, and a failure shown and answered, before the WM_QUIT below exists: a box opened
    // after it would be ended at once by it, and the user's choices lost without a word.
    RemoveIconAndSave();
    if (startOptions_.quitWhenDestroyed) {
        // Ends every box, dialog and menu loop on the way out: each hands WM_QUIT on to the
        // loop it was opened from, and the window goes once the last handler has returned.
        ::PostQuitMessage(0);
    }
    if (busy_ == 0) {
        EndNow();
    }
}

void MainWindow::EndNow() {
    quitPending_ = false;
    const bool quit = startOptions_.quitWhenDestroyed;
    Unload();
    if (quit) {
        ::PostQuitMessage(0);
    }
}

void MainWindow::MenuClick(std::int32_t lIndex, const std::string&) {
    const Busy busy(*this);
    if (!hwnd_ || !tray_ || quitPending_) {
        return;  // a command that was on its way while the program unloaded
    }
    switch (static_cast<TrayCommand>(lIndex)) {
    case TrayCommand::ShowOrHide:
        ShowOrHide();
        break;
    case TrayCommand::Help: {
        const std::string help = AppFolder() + "\\Reference.chm";
        if (FileExists(help, hwnd_.get())) {
            ShellOpen(help, HandleText(hwnd_.get()));
        } else {
            ShowMessageBox(hwnd_.get(), "Help file is missing. Please re-install the software or contact Support Center.",
                           "Help File missing", MB_OK | MB_ICONINFORMATION);
        }
        break;
    }
    case TrayCommand::WebPage:
        ShellOpen(std::string(about::kProductWebPage), HandleText(hwnd_.get()));
        break;
    case TrayCommand::About:
        ShowAbout();
        break;
    case TrayCommand::Quit:
        Quit();
        break;
    }
    // Any other number (the separators) does nothing.
}

void MainWindow::ShowAbout() {
    // Asked for again while open (from the tray), the open window comes forward instead of
    // a second one stacking on it.
    if (about_) {
        about_->BringForward();
        return;
    }
    about::AboutWindow frmAbout(instance_);
    about_ = &frmAbout;
    frmAbout.ShowModal(hwnd_.get());
    about_ = nullptr;
}

void MainWindow::SysTrayDoubleClick(std::int32_t) {
    MenuClick(static_cast<std::int32_t>(TrayCommand::ShowOrHide), std::string());
}

void MainWindow::SysTrayMouseDown(std::int32_t eButton) {
    const Busy busy(*this); // a Quit from the menu ends the program once the menu's loop is left
    if (eButton == 2 && tray_) {
        tray_->ShowMenu();
    }
}

void MainWindow::SysTrayKeySelect() {
    MenuClick(static_cast<std::int32_t>(TrayCommand::ShowOrHide), std::string());
}

void MainWindow::SysTrayContextMenu() {
    const Busy busy(*this);
    if (tray_) {
        tray_->ShowMenu();
    }
}

void MainWindow::SelectPage(int page) {
    HWND tab = controls_.tabMain;
    const HWND focus = ::GetFocus();
    ShowPage(controls_, static_cast<Page>(page));
    history_.Show(page == static_cast<int>(Page::History));
    // Focus on a control that the page change hid would leave the keyboard nowhere.
    if (focus && focus != tab && !::IsWindowVisible(focus) && ::IsChild(hwnd_.get(), focus)) {
        ::SetFocus(tab);
    }
}

bool MainWindow::TranslateKeyboard(MSG& m) {
    if (!hwnd_ || (m.hwnd != hwnd_.get() && !::IsChild(hwnd_.get(), m.hwnd))) {
        return false;
    }
    if (m.message == WM_KEYDOWN && m.wParam == VK_TAB && ::GetKeyState(VK_CONTROL) < 0) {
        const int count = static_cast<int>(::SendMessageA(controls_.tabMain, TCM_GETITEMCOUNT, 0, 0));
        const int current = static_cast<int>(::SendMessageA(controls_.tabMain, TCM_GETCURSEL, 0, 0));
        const int step = ::GetKeyState(VK_SHIFT) < 0 ? count - 1 : 1;
        if (count > 0) {
            SelectPage((current + step) % count);
        }
        return true;
    }
    return ::IsDialogMessageA(hwnd_.get(), &m) != FALSE;
}

void MainWindow::WriteCycleLabel(CycleLabel label, HWND control, std::string_view text) {
    // Every tick writes the same texts: rewriting a label would only make it flicker, and
    // remembering what was written costs less than asking the control for its text.
    std::optional<std::string>& shown = cycleLabels_[static_cast<std::size_t>(label)];
    if (shown && *shown == text) {
        return;
    }
    shown = std::string(text);
    ::SetWindowTextA(control, shown->c_str());
}

void MainWindow::CyclePorts::ShowCharge(std::int32_t barValue, std::string_view percentText) {
    // The bar starts its drawing over at every value it is given.
    w_.pgBatteryLevel().Reset();
    w_.pgBatteryLevel().SetValue(barValue);
    w_.WriteCycleLabel(CycleLabel::Percent, w_.controls_.lblPercent, percentText);
}
void MainWindow::CyclePorts::ShowPowerSource(std::string_view text) {
    w_.WriteCycleLabel(CycleLabel::PwrInfo, w_.controls_.lblPwrInfo, text);
}
void MainWindow::CyclePorts::ShowTimeLeft(std::string_view text) {
    w_.WriteCycleLabel(CycleLabel::Time, w_.controls_.lblTime, text);
}
void MainWindow::CyclePorts::ShowPowerStatusError() {
    ShowMessageBox(w_.hwnd_.get(), kPowerErrorText, kPowerErrorTitle, MB_OK | MB_ICONSTOP);
}
void MainWindow::CyclePorts::SetToolTip(std::string_view tip) {
    if (w_.tray_ && w_.tray_->Loaded()) {
        w_.tray_->SetToolTip(tip);
    }
}
void MainWindow::CyclePorts::ShowBalloonTip(std::string_view message, std::string_view title, std::int32_t icon,
                                            std::int32_t timeOutMs) {
    ++w_.cycleBalloons_;
    if (w_.tray_ && w_.tray_->Loaded()) {
        w_.tray_->ShowBalloonTip(message, title, icon, timeOutMs);
    }
}
void MainWindow::CyclePorts::PlayAlertSound(int slot) {
    if (w_.sounds_) {
        w_.sounds_->PlayAlertSound(slot);
    }
}
void MainWindow::ChooseChargeIcon() {
    if (chargeIcon_ && tray_->Loaded()) {
        chargeIcon_->Choose(options_.trayCharge, options_.Alerts().CriticalLevel().value_or(-1),
                            DpiOfWindow(tray_->Hwnd()));
    }
}

void MainWindow::ShowBatteryNow(const Reading& reading) {
    const BatteryActivity activity = ActivityOf(reading);
    const std::optional<double> rate = rate_.Add(activity, reading.battery, reading.monotonicMs);
    WriteCycleLabel(CycleLabel::BatteryNow, controls_.lblBatteryNow, BatteryNowText(reading, rate));
}

void MainWindow::RemindOfCare(const Reading& reading) {
    if (auto balloon = careReminder_.Reading(options_.careOn, options_.careLevel, reading.status.BatteryLifePercent,
                                             reading.OnAc(), ActivityOf(reading) == BatteryActivity::Held)) {
        heldBalloon_ = std::move(balloon);
    }
    // A reminder to unplug that waited is moot once the plug is out or the reminder unticked.
    if (!reading.OnAc() || !options_.careOn) {
        heldBalloon_.reset();
    }
    // The first reading's comes after the welcome balloon, a tick with a full or critical
    // alert's after that alert: either would otherwise be replaced at once.
    if (heldBalloon_ && welcomed_ && cycleBalloons_ == 0 && tray_->Loaded()) {
        tray_->ShowBalloonTip(heldBalloon_->message, heldBalloon_->title, heldBalloon_->icon,
                              static_cast<std::int32_t>(heldBalloon_->timeOutMs));
        ports_.PlayAlertSound(heldBalloon_->soundSlot);
        heldBalloon_.reset();
    }
}

void MainWindow::CheckCareLevel() {
    const care::LevelCheck check = care::CheckLevelText(WindowText(controls_.txtCareVal));
    if (check.level) {
        options_.careLevel = *check.level;
        return;
    }
    // Refused like the critical level's warning: a box, then the focus back where it was going;
    // the box shows the level that still holds.
    const HWND focus = ::GetFocus();
    ShowMessageBox(hwnd_.get(), check.refusal, care::kRefusalTitle, MB_OK | MB_ICONINFORMATION);
    ::SetWindowTextA(controls_.txtCareVal, care::LevelText(options_.careLevel).c_str());
    if (focus && ::IsWindow(focus) && ::GetFocus() != focus) {
        ::SetFocus(focus);
    }
}

void MainWindow::ShowOptions() {
    const auto check = [](HWND box, bool checked) {
        ::SendMessageA(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    };
    check(controls_.chkStartCharging, options_.startChargingAlert);
    check(controls_.chkEndCharging, options_.endChargingAlert);
    check(controls_.chkChargeLow, options_.chargeLowAlert);
    check(controls_.chkOnTop, options_.onTop);
    check(controls_.chkStartup, options_.startup);
    check(controls_.chkTrayCharge, options_.trayCharge);
    check(controls_.chkCareOn, options_.careOn);
    if (care::CheckLevelText(WindowText(controls_.txtCareVal)).level != options_.careLevel) {
        ::SetWindowTextA(controls_.txtCareVal, care::LevelText(options_.careLevel).c_str());
    }
    if (WindowText(controls_.txtChargeAlert) != options_.chargeAlertText) {
        ::SetWindowTextA(controls_.txtChargeAlert, options_.chargeAlertText.c_str()); // keeps the caret otherwise
    }
    for (int slot = 0; slot < sounds::kSlotCount; ++slot) {
        const std::string& path = options_.soundFiles[static_cast<std::size_t>(slot)];
        if (sounds_->SoundFile(slot) != path) {
            sounds_->ShowSoundFile(slot, path);
        }
    }
    history_.SetCriticalLevel(options_.Alerts().CriticalLevel());
}

void MainWindow::Choose(const UserOptions& chosen) {
    const UserOptions before = options_;
    options_ = chosen;
    ShowOptions();
    // In the order start-up has always applied them: the Run value, then on top, then the colour.
    if (chosen.startup != before.startup) {
        windowOptions_->SetStartup(chosen.startup);
    }
    if (chosen.onTop != before.onTop) {
        windowOptions_->SetOnTop(chosen.onTop);
    }
    if (chosen.barColour) {
        windowOptions_->SetBarLook(*chosen.barColour);
    }
    if (chosen.trayCharge != before.trayCharge || chosen.chargeAlertText != before.chargeAlertText) {
        ChooseChargeIcon();
    }
}

void MainWindow::ChooseColour(std::int32_t index) {
    if (options::LookOfColour(index)) {
        options_.barColour = index;
    }
    windowOptions_->SetBarLook(index);
}

bool MainWindow::OnOptionCommand(WPARAM wParam, LPARAM lParam) {
    const auto from = reinterpret_cast<HWND>(lParam);
    if (!from) {
        return false;
    }
    if (from == controls_.txtChargeAlert) {
        if (HIWORD(wParam) == EN_CHANGE) {
            options_.chargeAlertText = WindowText(from);
            history_.SetCriticalLevel(options_.Alerts().CriticalLevel());
            ChooseChargeIcon();
        }
        return HIWORD(wParam) == EN_CHANGE;
    }
    if (from == controls_.txtCareVal) {
        // A level acts as soon as it is one; anything else waits for the box to be left.
        if (HIWORD(wParam) == EN_CHANGE) {
            if (const auto level = care::CheckLevelText(WindowText(from)).level) {
                options_.careLevel = *level;
            }
        }
        return HIWORD(wParam) == EN_CHANGE;
    }
    if (HIWORD(wParam) != BN_CLICKED) {
        return false;
    }
    const bool checked = ::SendMessageA(from, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (from == controls_.chkStartCharging) {
        options_.startChargingAlert = checked;
    } else if (from == controls_.chkEndCharging) {
        options_.endChargingAlert = checked;
    } else if (from == controls_.chkChargeLow) {
        options_.chargeLowAlert = checked;
    } else if (from == controls_.chkOnTop) {
        options_.onTop = checked;
        windowOptions_->SetOnTop(checked);
    } else if (from == controls_.chkStartup) {
        options_.startup = checked;
        windowOptions_->SetStartup(checked);
    } else if (from == controls_.chkTrayCharge) {
        options_.trayCharge = checked;
        ChooseChargeIcon();
    } else if (from == controls_.chkCareOn) {
        options_.careOn = checked; // a charge already past the level reminds at the next tick
    } else {
        return false;
    }
    return true;
}

void MainWindow::ApplyIcons(AppIcons icons) {
    // The window and the tray take the new icons before the old ones are destroyed.
    ::SendMessageA(hwnd_.get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons.Big()));
    ::SendMessageA(hwnd_.get(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons.Small()));
    // A drawn charge icon stays in the tray; the program's icon stands in behind it.
    if (tray_ && tray_->Loaded() && !(chargeIcon_ && chargeIcon_->Current())) {
        tray_->SetIconHandle(icons.Small());
    }
    if (chargeIcon_) {
        chargeIcon_->ProgramIconChanged(icons.Small());
    }
    icons_ = std::move(icons);
}

void MainWindow::ApplyDpi(int dpi) {
    dpi_ = dpi;
    // The controls get the new font before the old one is deleted.
    UniqueGdiObject font = MakeUiFont(dpi);
    LayoutMainControls(controls_, dpi, static_cast<HFONT>(font.get()));
    if (history_.Window()) {
        const Rect area = Place(kHistoryPageArea, dpi);
        history_.SetFont(static_cast<HFONT>(font.get()));
        history_.Layout(RECT{area.left, area.top, area.right, area.bottom}, dpi);
    }
    font_ = std::move(font);
    // Moved and resized, the bar shows only its frame: it repaints its value at once.
    pgBatteryLevel().Repaint();
    if (sounds_) {
        sounds_->ReshowSoundFiles();  // the shortened paths depend on the font and the DPI
    }
}

LRESULT MainWindow::Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const Busy busy(*this);
    switch (msg) {
    case WM_TIMER:
        if (wParam == kUpdateTimer) {
            if (!quitPending_) {
                tmrUpdate_Timer();
            }
            return 0;
        }
        break;
    case WM_POWERBROADCAST:
        // Plugging in shows at once rather than at the next tick; after a sleep the estimate
        // starts a new step instead of counting the time asleep.
        if (wParam == PBT_APMRESUMEAUTOMATIC) {
            cycle_.Resumed();
        }
        if (!unloading_ && !quitPending_ && (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMPOWERSTATUSCHANGE)) {
            tmrUpdate_Timer();
        }
        return TRUE;
    case WM_COMMAND:
        if (sounds_ && sounds_->OnCommand(wParam, lParam)) {
            return 0;
        }
        if (windowOptions_ && OnOptionCommand(wParam, lParam)) {
            return 0;
        }
        if (HIWORD(wParam) == 0 && LOWORD(wParam) >= IDM_TRAY_COMMAND_BASE &&
            LOWORD(wParam) <= IDM_TRAY_COMMAND_BASE + 6) {
            MenuClick(LOWORD(wParam) - IDM_TRAY_COMMAND_BASE, std::string());
            return 0;
        }
        break;
    case WM_NOTIFY: {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
        if (hdr->idFrom == IDC_TAB_MAIN && hdr->code == static_cast<UINT>(TCN_SELCHANGE)) {
            SelectPage(static_cast<int>(::SendMessageA(hdr->hwndFrom, TCM_GETCURSEL, 0, 0)));
            return 0;
        }
        break;
    }
    case WM_DESTROY:
        // The controller's subclasses and tooltip go before the controls they are attached to.
        sounds_.reset();
        windowOptions_.reset();
        break;
    case WM_CLOSE:
        // Quit or the end of the session end the program; the close box does not.
        CloseBox();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam) {
            // The system may end the process as soon as this returns: the settings are saved
            // now, even when the window has to wait for a box below this handler to return.
            if (!unloading_) {
                endingSession_ = true;
                RemoveIconAndSave();
            }
            Quit();
        }
        return 0;
    case WM_DPICHANGED: {
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        ::SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                       suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        ApplyDpi(HIWORD(wParam));
        ApplyIcons(LoadAppIcons(instance_, dpi_));
        ChooseChargeIcon();
        return 0;
    }
    case WM_SETTINGCHANGE:
        if (chargeIcon_ && tray::IsThemeChange(lParam)) {
            chargeIcon_->ThemeChanged();
        }
        break;
    case kCareLevelLeft:
        if (!unloading_ && !quitPending_) {
            CheckCareLevel();
        }
        return 0;
    default:
        break;
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

} // namespace corvane::app
