#include "app/main_window_win.h"

#include <commctrl.h>
#include <mmsystem.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <vector>

#include "about/about_layout.h"
#include "about/about_window_win.h"
#include "app/alert_sound_win.h"
#include "app/file_exists_win.h"
#include "app/main_layout_win.h"
#include "app/main_window_ids.h"
#include "app/power_ports_win.h"
#include "app/res/resource.h"
#include "app/shell_open_win.h"
#include "base/message_box_win.h"
#include "app/sounds_win.h"
#include "app/window_options_win.h"
#include "base/system_calls_win.h"
#include "controls/commondialog/common_dialog_win.h"
#include "controls/progressbar/progress_bar_win.h"
#include "corvane_version.h"

namespace corvane::app {

namespace {

constexpr UINT_PTR kUpdateTimer = 1;
// No WS_CLIPCHILDREN: the frames leave their insides to the window's own background.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExStyle = 0;

std::string WindowText(HWND hwnd) {
    const int n = ::GetWindowTextLengthA(hwnd);
    std::string s(static_cast<std::size_t>(n) + 1, '\0');
    s.resize(static_cast<std::size_t>(::GetWindowTextA(hwnd, s.data(), n + 1)));
    return s;
}

HMENU BuildMenuBar() {
    HMENU bar = ::CreateMenu();
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuA(menu, MF_STRING, IDM_HELP, "&Help");
    ::AppendMenuA(menu, MF_STRING, IDM_WEBSITE, "&Visit Website");
    ::AppendMenuA(menu, MF_STRING, IDM_ABOUT, "&About");
    ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(menu, MF_STRING, IDM_QUIT, "&Quit");
    ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), "&Menu");
    return bar;
}

constexpr UINT_PTR kRefuseCloseSubclass = 0x434c;

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

std::string ProgramFileDescription() {
    const std::string path = ProgramPath();
    DWORD ignored = 0;
    const DWORD size = sys::GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size != 0) {
        std::vector<char> block(size);
        struct LangCp {
            WORD lang, cp;
        }* tr = nullptr;
        UINT len = 0;
        if (sys::GetFileVersionInfoA(path.c_str(), 0, size, block.data()) &&
            sys::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&tr), &len) &&
            len >= sizeof(LangCp)) {
            char query[64];
            wsprintfA(query, "\\StringFileInfo\\%04x%04x\\FileDescription", tr->lang, tr->cp);
            char* value = nullptr;
            if (sys::VerQueryValueA(block.data(), query, reinterpret_cast<void**>(&value), &len) && value && *value) {
                return value;
            }
        }
    }
    return "Corvane";
}

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

MainWindow::MainWindow(HINSTANCE instance, Options options)
    : instance_(instance),
      options_(options),
      cycle_(SourceOf(options_, ownSource_), ClockOf(options_, ownClock_), *this, *this, *this) {}

MainWindow::~MainWindow() {
    options_.quitWhenDestroyed = false;
    Unload();
}

bool MainWindow::Load() {
    const Busy busy(*this);
    WNDCLASSEXA wc{};
    smallIcon_ = static_cast<HICON>(::LoadImageA(instance_, MAKEINTRESOURCEA(IDI_CORVANE), IMAGE_ICON,
                                                 ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON),
                                                 LR_SHARED));
    bigIcon_ = static_cast<HICON>(::LoadImageA(instance_, MAKEINTRESOURCEA(IDI_CORVANE), IMAGE_ICON,
                                               ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON),
                                               LR_SHARED));
    if (!smallIcon_ || !bigIcon_) {
        // A host without our icon (a test program) shows the system's application icon.
        smallIcon_ = bigIcon_ = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
    }
    wc.hIcon = bigIcon_;
    wc.hIconSm = smallIcon_;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    if (!RegisterWindowClass(instance_, wc)) {
        return false;
    }
    HWND hwnd = ::CreateWindowExA(kExStyle, CORVANE_MAIN_CLASS, "", kStyle, CW_USEDEFAULT, CW_USEDEFAULT, 100, 100,
                                  nullptr, BuildMenuBar(), instance_, this);
    if (!hwnd) {
        return false;
    }
    hwnd_.reset(hwnd);
    CreateMainControls(hwnd);
    ::EnumChildWindows(hwnd, RefuseClose, 0);
    cdlg1_ = std::make_unique<cdlg::CDlgOnWindow>(hwnd);
    AlertSoundControls sound;
    sound.window = hwnd;
    sound.options = {chkStartCharging(), chkEndCharging(), chkChargeLow()};
    for (int i = 0; i < 3; ++i) {
        sound.soundFiles[static_cast<std::size_t>(i)] = txtSndFile(i);
        sound.browseButtons[static_cast<std::size_t>(i)] = btnBrowse(i);
    }
    sound.programFolder = AppFolder();
    sounds_ = std::make_unique<AlertSoundsController>(sound, cdlg1_->Control());
    WindowOptionControls optionControls;
    optionControls.window = hwnd;
    optionControls.chkOnTop = Control(IDC_CHK_ON_TOP);
    optionControls.chkStartup = Control(IDC_CHK_STARTUP);
    optionControls.txtChargeAlert = txtChargeAlert();
    optionControls.bar = &pgBatteryLevel();
    optionControls.programPath = options_.programPath.empty() ? ProgramPath() : options_.programPath;
    optionControls.lastPercent = [this] { return cycle_.State().LastPercent; };
    windowOptions_ = std::make_unique<WindowOptionsController>(std::move(optionControls));
    ApplyDpi(DpiOfWindow(hwnd));
    LoadIcons(dpi_);
    const SIZE size = MainWindowSize(kStyle, kExStyle, true, dpi_);
    ::SetWindowPos(hwnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    const std::string caption = "Corvane " + ProgramVersionText();
    ::SetWindowTextA(hwnd, caption.c_str());
    ::SetDlgItemTextA(hwnd, IDC_LABEL6, " ");
    pgBatteryLevel().SetValue(57);

    tray_ = std::make_unique<tray::SysTrayWindow>(this, options_.trayVersion);
    tray_->Load(ProgramFileDescription());
    for (std::string_view entry : kTrayMenuCaptions) {
        tray_->AddMenuItem(entry, "", false);
    }
    tray_->SetIconHandle(smallIcon_);

    LoadSettings();
    if (quitPending_) {
        return true; // Quit was chosen over a box of the start-up: the program ends as this returns
    }

    cycle_.ClearBaseline();
    cycle_.RefreshPowerStatus();
    if (cycle_.Status().BatteryLifePercent == 100 && EndChargingChecked()) {
        PlayAlertSound(kSlotBatteryFull);
    }
    tray_->ShowBalloonTip(kWelcomeMessage, "Corvane", kBalloonInfo, 2);
    ::SetTimer(hwnd, kUpdateTimer, kUpdateIntervalMs, nullptr);
    ::ShowWindow(hwnd, SW_HIDE);
    return true;
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
    if (tray_) {
        // The object itself stays until this window's object goes: Quit arrives from inside the
        // tray window's own handlers, which must not find themselves deleted on return.
        tray_->Unload();
    }
    if (hwnd_ && windowOptions_ && !settingsSaved_) {
        SaveSettings();
    }
    hwnd_.reset();
}

MainWindow::Busy::~Busy() {
    if (--w_.busy_ == 0 && w_.quitPending_) {
        w_.EndNow();
    }
}

progressbar::XpProgressBar& MainWindow::pgBatteryLevel() const {
    return *progressbar::XpProgressBar::FromHwnd(Control(IDC_PG_BATTERY_LEVEL));
}

HWND MainWindow::Control(int id) const noexcept {
    // GetDlgItem asks the window server each time (tens of microseconds under Wine), and every
    // tick asks for several controls; a remembered handle is checked in-process instead.
    HWND& known = controls_[id];
    if (known == nullptr || !::IsWindow(known) || ::GetParent(known) != hwnd_.get() || ::GetDlgCtrlID(known) != id) {
        known = ::GetDlgItem(hwnd_.get(), id);
    }
    return known;
}
HWND MainWindow::chkStartCharging() const noexcept { return Control(IDC_CHK_START_CHARGING); }
HWND MainWindow::chkEndCharging() const noexcept { return Control(IDC_CHK_END_CHARGING); }
HWND MainWindow::chkChargeLow() const noexcept { return Control(IDC_CHK_CHARGE_LOW); }
HWND MainWindow::txtChargeAlert() const noexcept { return Control(IDC_TXT_CHARGE_ALERT); }
HWND MainWindow::txtSndFile(int index) const noexcept {
    return index >= 0 && index < 3 ? Control(IDC_TXT_SND_FILE0 + index) : nullptr;
}
HWND MainWindow::btnBrowse(int index) const noexcept {
    return index >= 0 && index < 3 ? Control(IDC_BTN_BROWSE0 + index) : nullptr;
}

std::string MainWindow::AppFolder() const {
    std::string folder = options_.programPath.empty() ? ProgramPath() : options_.programPath;
    const std::size_t slash = folder.find_last_of('\\');
    return slash == std::string::npos ? std::string() : folder.substr(0, slash);
}

const std::string& MainWindow::SoundTag(int slot) const {
    static const std::string none;
    return sounds_ ? sounds_->SoundFile(slot) : none;
}

void MainWindow::ShowSoundFile(int slot, std::string_view path) {
    if (sounds_) {
        sounds_->ShowSoundFile(slot, std::string(path));
    }
}

void MainWindow::ShowOrHide() {
    // The caption of the tray menu's first entry is the one record of whether the window is shown.
    if (tray_->MenuCaption(0) == kShowCaption) {
        ::ShowWindow(hwnd_.get(), SW_SHOW);
        ::SetForegroundWindow(hwnd_.get());
        tray_->SetMenuCaption(0, kHideCaption);
    } else {
        ::ShowWindow(hwnd_.get(), SW_HIDE);
        tray_->SetMenuCaption(0, kShowCaption);
    }
}

void MainWindow::CloseBox() {
    // The close box only hides. Command 0 does that while the entry reads "Hide Corvane"; a
    // window shown some other way while it reads "Show Corvane" would otherwise reappear.
    if (!tray_ || tray_->MenuCaption(0) == kShowCaption) {
        ::ShowWindow(hwnd_.get(), SW_HIDE);
    } else {
        MenuClick(0, std::string());
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
    if (options_.quitWhenDestroyed) {
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
    const bool quit = options_.quitWhenDestroyed;
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
    switch (lIndex) {
    case 0:
        ShowOrHide();
        break;
    case 2: {
        const std::string help = AppFolder() + "\\Reference.chm";
        if (FileExists(help, hwnd_.get())) {
            ShellOpen(help, HandleText(hwnd_.get()));
        } else {
            ShowMessageBox(hwnd_.get(), "Help file is missing. Please re-install the software or contact Support Center.",
                           "Help File missing", MB_OK | MB_ICONINFORMATION);
        }
        break;
    }
    case 3:
        ShellOpen(std::string(about::kProductWebPage), HandleText(hwnd_.get()));
        break;
    case 4:
        ShowAbout();
        break;
    case 6:
        Quit();
        break;
    default:
        break; // the separators
    }
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

void MainWindow::SysTrayDoubleClick(std::int32_t) { MenuClick(0, std::string()); }

void MainWindow::SysTrayMouseDown(std::int32_t eButton) {
    const Busy busy(*this); // a Quit from the menu ends the program once the menu's loop is left
    if (eButton == 2 && tray_) {
        tray_->ShowMenu();
    }
}

void MainWindow::SysTrayKeySelect() { MenuClick(0, std::string()); }

void MainWindow::SysTrayContextMenu() {
    const Busy busy(*this);
    if (tray_) {
        tray_->ShowMenu();
    }
}

void MainWindow::SelectPage(int page) {
    HWND tab = Control(IDC_TAB_MAIN);
    const HWND focus = ::GetFocus();
    ShowPage(hwnd_.get(), static_cast<Page>(page));
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
        const int count = static_cast<int>(::SendDlgItemMessageA(hwnd_.get(), IDC_TAB_MAIN, TCM_GETITEMCOUNT, 0, 0));
        const int current = static_cast<int>(::SendDlgItemMessageA(hwnd_.get(), IDC_TAB_MAIN, TCM_GETCURSEL, 0, 0));
        const int step = ::GetKeyState(VK_SHIFT) < 0 ? count - 1 : 1;
        if (count > 0) {
            SelectPage((current + step) % count);
        }
        return true;
    }
    return ::IsDialogMessageA(hwnd_.get(), &m) != FALSE;
}

void MainWindow::WriteCycleLabel(CycleLabel label, int id, std::string_view text) {
    // Every tick writes the same texts: rewriting a label would only make it flicker, and
    // remembering what was written costs less than asking the control for its text.
    std::optional<std::string>& shown = cycleLabels_[static_cast<std::size_t>(label)];
    if (shown && *shown == text) {
        return;
    }
    shown = std::string(text);
    ::SetWindowTextA(Control(id), shown->c_str());
}

void MainWindow::SetPowerInfo(std::string_view text) { WriteCycleLabel(CycleLabel::PwrInfo, IDC_LBL_PWR_INFO, text); }
void MainWindow::SetPercentText(std::string_view text) { WriteCycleLabel(CycleLabel::Percent, IDC_LBL_PERCENT, text); }
void MainWindow::ResetBar() { pgBatteryLevel().Reset(); }
void MainWindow::SetBarValue(std::int32_t value) { pgBatteryLevel().SetValue(value); }
void MainWindow::SetTimeText(std::string_view text) { WriteCycleLabel(CycleLabel::Time, IDC_LBL_TIME, text); }
bool MainWindow::StartChargingChecked() const { return Checked(IDC_CHK_START_CHARGING); }
bool MainWindow::EndChargingChecked() const { return Checked(IDC_CHK_END_CHARGING); }
bool MainWindow::ChargeLowChecked() const { return Checked(IDC_CHK_CHARGE_LOW); }
bool MainWindow::Checked(int id) const {
    // Asked on most ticks. The alert options are subclassed (right-click preview), and a
    // message through a subclass looks the subclass up in the window's properties, which
    // under Wine means the window server twice; the check state itself is the button's own.
    HWND box = Control(id);
    const auto buttonProc = reinterpret_cast<WNDPROC>(::GetClassLongPtrA(box, GCLP_WNDPROC));
    const LRESULT state = buttonProc != nullptr ? ::CallWindowProcA(buttonProc, box, BM_GETCHECK, 0, 0)
                                                : ::SendMessageA(box, BM_GETCHECK, 0, 0);
    return state == BST_CHECKED;
}
std::string MainWindow::ChargeAlertText() const { return WindowText(txtChargeAlert()); }

void MainWindow::ShowPowerStatusError() {
    ShowMessageBox(hwnd_.get(), kPowerErrorText, kPowerErrorTitle, MB_OK | MB_ICONSTOP);
}

void MainWindow::SetToolTip(std::string_view tip) {
    if (tray_ && tray_->Loaded()) {
        tray_->SetToolTip(tip);
    }
}

void MainWindow::ShowBalloonTip(std::string_view message, std::string_view title, std::int32_t icon,
                                std::int32_t timeOutMs) {
    if (tray_ && tray_->Loaded()) {
        tray_->ShowBalloonTip(message, title, icon, timeOutMs);
    }
}

void MainWindow::PlayAlertSound(int slot) {
    if (sounds_) {
        sounds_->PlayAlertSound(slot);
    }
}

void MainWindow::LoadIcons(int dpi) {
    const auto load = [&](int cx, int cy) {
        return UniqueIcon(static_cast<HICON>(::LoadImageA(instance_, MAKEINTRESOURCEA(IDI_CORVANE), IMAGE_ICON,
                                                          SystemMetricForDpi(cx, dpi), SystemMetricForDpi(cy, dpi), 0)));
    };
    UniqueIcon small = load(SM_CXSMICON, SM_CYSMICON);
    UniqueIcon big = load(SM_CXICON, SM_CYICON);
    if (!small || !big) {
        // A host without our icon (a test program) shows the one chosen at registration.
        ::SendMessageA(hwnd_.get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
        ::SendMessageA(hwnd_.get(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
        return;
    }
    // The window and the tray take the new icons before the old ones are destroyed.
    ::SendMessageA(hwnd_.get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    ::SendMessageA(hwnd_.get(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    smallIcon_ = small.get();
    bigIcon_ = big.get();
    if (tray_ && tray_->Loaded()) {
        tray_->SetIconHandle(smallIcon_);
    }
    ownSmallIcon_ = std::move(small);
    ownBigIcon_ = std::move(big);
}

void MainWindow::ApplyDpi(int dpi) {
    dpi_ = dpi;
    // The controls get the new font before the old one is deleted.
    UniqueGdiObject font = MakeUiFont(dpi);
    LayoutMainControls(hwnd_.get(), dpi, static_cast<HFONT>(font.get()));
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
        if (windowOptions_ && windowOptions_->OnCommand(wParam, lParam)) {
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
            if (hwnd_ && windowOptions_ && !unloading_ && !settingsSaved_) {
                SaveSettings();
                settingsSaved_ = true;
            }
            Quit();
        }
        return 0;
    case WM_DPICHANGED: {
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        ::SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                       suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        ApplyDpi(HIWORD(wParam));
        LoadIcons(dpi_);
        return 0;
    }
    default:
        break;
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

} // namespace corvane::app
