#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>
#include <shellapi.h>

#include <algorithm>

#include <string>
#include <vector>

#include "about/about_layout.h"
#include "about/about_window_win.h"
#include "app/alert_sound_win.h"
#include "app/sounds_win.h"
#include "app/file_exists_win.h"
#include "app/main_layout_win.h"
#include "app/main_window_ids.h"
#include "app/main_window_win.h"
#include "tray/charge_icon_win.h"
#include "base/shell_open_win.h"
#include "base/message_box_win.h"
#include "controls/progressbar/bar_accessible_win.h"
#include "controls/progressbar/progress_bar_win.h"
#include "support/dialog_driver_win.h"
#include "support/file_dialog_win.h"
#include "support/popup_driver_win.h"
#include "support/registry_sandbox_win.h"

namespace corvane::app {
namespace {

class FakeBattery : public PowerSource {
public:
    bool Read(PowerStatus& s) override {
        ++reads;
        readAt.push_back(::GetTickCount64());
        if (fail) {
            return false;
        }
        s.ACLineStatus = ac;
        s.BatteryLifePercent = percent;
        // On AC below full a battery charges, as the system says, unless a charge limit holds it.
        s.BatteryFlag = ac == 1 && percent < 100 && !held ? 8 : 0;
        return true;
    }
    std::uint8_t ac = 0;
    std::uint8_t percent = 57;
    bool held = false;
    bool fail = false;
    int reads = 0;
    std::vector<ULONGLONG> readAt;
};

class FixedClock : public Clock {
public:
    std::int32_t SecondsOfDay() override { return now; }
    std::int64_t MonotonicMilliseconds() override { return std::int64_t{now} * 1000; }
    UnixTime UtcNow() override { return 1765000000 + now; }
    std::int64_t LocalOffsetAt(UnixTime) override { return 0; }
    std::int32_t now = 40000;
};

std::string Text(HWND hwnd) {
    char buf[512] = {};
    ::GetWindowTextA(hwnd, buf, sizeof buf);
    return buf;
}

// The shell's record of the tray window's icon, to ask the shell whether it still has it.
NOTIFYICONDATAW IconRecordOf(tray::SysTrayWindow& tray) {
    NOTIFYICONDATAW d{};
    d.cbSize = sizeof d;
    d.hWnd = tray.Hwnd();
    d.uID = static_cast<UINT>(reinterpret_cast<std::uintptr_t>(tray.OwnIcon()));
    return d;
}

bool ShellHasIcon(NOTIFYICONDATAW d) { return ::Shell_NotifyIconW(NIM_MODIFY, &d) != FALSE; }
bool ShellHasIcon(tray::SysTrayWindow& tray) { return ShellHasIcon(IconRecordOf(tray)); }

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() : frmMain(::GetModuleHandleA(nullptr), Options()) {}
    MainWindow::Options Options() {
        MainWindow::Options o;
        o.source = &battery;
        o.clock = &clock;
        o.quitWhenDestroyed = false;
        // AppOpt.ini and the default sounds are looked for beside the program: a folder of
        // this test's own, so that no test sees what another saved.
        o.programPath = programFolder.File("Corvane.exe");
        return o;
    }
    std::string Label(int id) const { return Text(ControlById(frmMain.Controls(), id)); }

    corvane::test::CurrentUserSandbox user;
    corvane::test::TempDir programFolder;
    FakeBattery battery;
    FixedClock clock;
    MainWindow frmMain;
};

TEST_F(MainWindowTest, StartUpShowsTheFirstReadingAndHides) {
    ASSERT_TRUE(frmMain.Load());
    EXPECT_EQ(Text(frmMain.Hwnd()), "Corvane 1.3.3");
    EXPECT_FALSE(frmMain.Visible());
    EXPECT_EQ(Label(IDC_LBL_PERCENT), "57%");
    EXPECT_EQ(Label(IDC_LBL_PWR_INFO), "Working on battery power.");
    EXPECT_EQ(Label(IDC_LBL_TIME), "(calculating ... please wait)");
    EXPECT_EQ(Label(IDC_LABEL6), " ");
    EXPECT_EQ(Label(IDC_LBL_ZERO), "0%");
    EXPECT_EQ(Label(IDC_LABEL1), "100%");
    EXPECT_EQ(frmMain.pgBatteryLevel().Value(), 57);
    EXPECT_EQ(frmMain.oSysTray().ToolTip(), "Charge: 57%");
    EXPECT_TRUE(ShellHasIcon(frmMain.oSysTray()));
    // The tray shows the window's own icon.
    EXPECT_EQ(frmMain.oSysTray().IconHandle(),
              reinterpret_cast<HICON>(::SendMessageA(frmMain.Hwnd(), WM_GETICON, ICON_SMALL, 0)));

    // Design states of the alert options.
    EXPECT_EQ(::IsDlgButtonChecked(frmMain.Hwnd(), IDC_CHK_START_CHARGING), BST_UNCHECKED);
    EXPECT_EQ(::IsDlgButtonChecked(frmMain.Hwnd(), IDC_CHK_END_CHARGING), BST_CHECKED);
    EXPECT_EQ(::IsDlgButtonChecked(frmMain.Hwnd(), IDC_CHK_CHARGE_LOW), BST_CHECKED);
    EXPECT_EQ(Text(frmMain.Controls().chkChargeLow), "Alert me when charge drops below         %.");
    EXPECT_EQ(Text(frmMain.Controls().txtChargeAlert), "10");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Text(frmMain.Controls().btnBrowse[i]), "...");
        EXPECT_EQ(Text(frmMain.Controls().txtSndFile[i]), "");
        EXPECT_EQ(frmMain.Chosen().soundFiles[i], "");
    }

    // The tray menu: seven entries with empty keys, the first the default.
    const tray::MenuModel& menu = frmMain.oSysTray().Menu();
    std::vector<std::string> captions;
    for (const tray::MenuItem& item : menu.Items()) {
        captions.push_back(item.caption);
        EXPECT_EQ(item.key, "");
        EXPECT_TRUE(item.visible && item.enabled);
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"Show Corvane", "-", "Help", "Visit website", "About", "-",
                                                  "Quit"}));
    EXPECT_EQ(menu.DefaultMenuIndex(), 0);
}

TEST_F(MainWindowTest, TimerRunsTheCycleEveryTwoSeconds) {
    ASSERT_TRUE(frmMain.Load());
    // The readings' own spacing: a timer of 1 s or 3 s must not pass for 2 s. The middle of
    // three intervals, since a busy machine can only delay a tick, and a late one shortens the next.
    const std::size_t first = battery.readAt.size();
    ASSERT_TRUE(corvane::test::PumpUntil([&] { return battery.readAt.size() >= first + 4; }, 10000));
    std::vector<ULONGLONG> gaps;
    for (std::size_t i = first + 1; i < first + 4; ++i) {
        gaps.push_back(battery.readAt[i] - battery.readAt[i - 1]);
    }
    std::sort(gaps.begin(), gaps.end());
    EXPECT_GE(gaps[1], 1800u);
    EXPECT_LE(gaps[1], 2400u);
    battery.percent = 56;
    clock.now += 120;
    ASSERT_TRUE(corvane::test::PumpUntil([&] { return Label(IDC_LBL_PERCENT) == "56%"; }, 3000));
    EXPECT_EQ(Label(IDC_LBL_TIME), "1 Hour(s), 52 Minutes, 0 Seconds.");
    EXPECT_EQ(frmMain.oSysTray().ToolTip(), "Charge: 56% ; Time: 1 Hour(s), 52 Minutes, 0 Seconds.");
    EXPECT_EQ(frmMain.pgBatteryLevel().Value(), 56);
    battery.ac = 1;
    ASSERT_TRUE(corvane::test::PumpUntil(
        [&] { return Label(IDC_LBL_PWR_INFO) == "AC Supply is connected to Unit."; }, 3000));
}

TEST_F(MainWindowTest, PowerBroadcastsRefreshAtOnceAndResumeStartsANewStep) {
    ASSERT_TRUE(frmMain.Load());
    // The plug goes in: shown within the message, not at the next tick.
    battery.ac = 1;
    battery.percent = 58;
    clock.now += 60;
    EXPECT_EQ(::SendMessageA(frmMain.Hwnd(), WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, 0), TRUE);
    EXPECT_EQ(Label(IDC_LBL_PWR_INFO), "AC Supply is connected to Unit.");
    EXPECT_EQ(Label(IDC_LBL_TIME), "42 Minutes, 0 Seconds.");
    // Eight hours asleep, one percent more on waking: no figure made of the sleep.
    battery.percent = 59;
    clock.now += 8 * 3600;
    ::SendMessageA(frmMain.Hwnd(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    EXPECT_EQ(Label(IDC_LBL_PERCENT), "59%");
    EXPECT_EQ(Label(IDC_LBL_TIME), "(calculating ... please wait)");
    EXPECT_EQ(frmMain.oSysTray().ToolTip(), "Charge: 59%");
    battery.percent = 60;
    clock.now += 120;
    ::SendMessageA(frmMain.Hwnd(), WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, 0);
    EXPECT_EQ(Label(IDC_LBL_TIME), "1 Hour(s), 20 Minutes, 0 Seconds.");
}

TEST_F(MainWindowTest, DoubleClickShowsAndHidesAndTheCloseBoxOnlyHides) {
    ASSERT_TRUE(frmMain.Load());
    const auto doubleClick = [&] {
        ::PostMessageA(frmMain.oSysTray().Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(0x203, 0));
        corvane::test::PumpUntil([] { return false; }, 100);
    };
    doubleClick();
    EXPECT_TRUE(frmMain.Visible());
    EXPECT_EQ(frmMain.oSysTray().MenuCaption(0), "Hide Corvane");
    doubleClick();
    EXPECT_FALSE(frmMain.Visible());
    EXPECT_EQ(frmMain.oSysTray().MenuCaption(0), "Show Corvane");

    doubleClick();
    ASSERT_TRUE(frmMain.Visible());
    ::PostMessageA(frmMain.Hwnd(), WM_CLOSE, 0, 0);
    corvane::test::PumpUntil([&] { return !frmMain.Visible(); }, 1000);
    EXPECT_FALSE(frmMain.Visible());
    EXPECT_TRUE(::IsWindow(frmMain.Hwnd()));
    EXPECT_EQ(frmMain.oSysTray().MenuCaption(0), "Show Corvane");
    EXPECT_TRUE(ShellHasIcon(frmMain.oSysTray()));

    // Shown without the tray entry changing (as always-on-top does): the close box still hides.
    ::ShowWindow(frmMain.Hwnd(), SW_SHOWNA);
    ::SendMessageA(frmMain.Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(frmMain.Visible());
    EXPECT_EQ(frmMain.oSysTray().MenuCaption(0), "Show Corvane");
}

// Opens the real tray menu as the shell reports a right-button press on the icon, and acts
// on it; returns the text of its first entry as it was shown.
std::string UseTrayMenu(MainWindow& frmMain, const std::vector<WPARAM>& keys) {
    std::string first;
    bool bold = false;
    corvane::test::PopupDriver driver([&](HWND menu) {
        HMENU popup = reinterpret_cast<HMENU>(::SendMessageA(menu, MN_GETHMENU, 0, 0));
        char text[64] = {};
        ::GetMenuStringA(popup, 0, text, sizeof text, MF_BYPOSITION);
        first = text;
        bold = ::GetMenuDefaultItem(popup, TRUE, 0) == 0;
        corvane::test::PressKeys(menu, keys);
    });
    ::PostMessageA(frmMain.oSysTray().Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(0x204, 0));
    corvane::test::PumpUntil([&] { return driver.Acted(); }, 3000);
    corvane::test::PumpUntil([] { return false; }, 200);
    EXPECT_TRUE(driver.Acted());
    EXPECT_FALSE(driver.WatchdogFired());
    EXPECT_TRUE(bold) << "the first entry is the bold default";
    return first;
}

TEST_F(MainWindowTest, TrayMenuFirstEntryShowsAndHides) {
    ASSERT_TRUE(frmMain.Load());
    EXPECT_EQ(UseTrayMenu(frmMain, {VK_DOWN, VK_RETURN}), "Show Corvane");
    EXPECT_TRUE(frmMain.Visible());
    EXPECT_EQ(frmMain.oSysTray().MenuCaption(0), "Hide Corvane");
    EXPECT_EQ(UseTrayMenu(frmMain, {VK_DOWN, VK_RETURN}), "Hide Corvane");
    EXPECT_FALSE(frmMain.Visible());
    EXPECT_EQ(frmMain.oSysTray().MenuCaption(0), "Show Corvane");

    // About opens the About window, modally; Escape on the menu chooses nothing.
    MessageBoxInterceptor boxes;
    std::string aboutTitle;
    {
        corvane::test::DialogDriver about(
            [&](HWND w) {
                aboutTitle = Text(w);
                corvane::test::PressKeys(w, {VK_ESCAPE});
            },
            3000, about::AboutWindow::kClassName);
        UseTrayMenu(frmMain, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
        EXPECT_FALSE(about.WatchdogFired());
    }
    EXPECT_EQ(aboutTitle, "About Corvane");
    UseTrayMenu(frmMain, {VK_ESCAPE});
    EXPECT_FALSE(frmMain.Visible());
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(frmMain.oSysTray().MenuCaption(0), "Show Corvane");

    // Help, from the tray.
    UseTrayMenu(frmMain, {VK_DOWN, VK_DOWN, VK_RETURN});
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].title, "Help File missing");
}

TEST_F(MainWindowTest, QuitFromTheTrayMenuRemovesTheIconAndTheWindow) {
    ASSERT_TRUE(frmMain.Load());
    const HWND hwnd = frmMain.Hwnd();
    const HWND trayHwnd = frmMain.oSysTray().Hwnd();
    ASSERT_TRUE(ShellHasIcon(frmMain.oSysTray()));
    NOTIFYICONDATAW d{};
    d.cbSize = sizeof d;
    d.hWnd = trayHwnd;
    d.uID = static_cast<UINT>(reinterpret_cast<std::uintptr_t>(frmMain.oSysTray().OwnIcon()));
    UseTrayMenu(frmMain, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_FALSE(::IsWindow(trayHwnd));
    EXPECT_FALSE(ShellHasIcon(d));
    // A double-click already on its way finds nothing to show.
    frmMain.SysTrayDoubleClick(1);
    EXPECT_EQ(frmMain.Hwnd(), nullptr);
}

TEST_F(MainWindowTest, QuitFromTheMenuBarRemovesTheIconAndTheWindow) {
    ASSERT_TRUE(frmMain.Load());
    const HWND hwnd = frmMain.Hwnd();
    const NOTIFYICONDATAW d = IconRecordOf(frmMain.oSysTray());
    ASSERT_NE(d.uID, 0u);
    ASSERT_TRUE(ShellHasIcon(d));
    ::SendMessageA(hwnd, WM_COMMAND, IDM_QUIT, 0);
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_FALSE(ShellHasIcon(d));
}

TEST_F(MainWindowTest, EndOfSessionUnloadsWithTheIcon) {
    ASSERT_TRUE(frmMain.Load());
    const HWND hwnd = frmMain.Hwnd();
    const NOTIFYICONDATAW d = IconRecordOf(frmMain.oSysTray());
    ASSERT_NE(d.uID, 0u);
    ASSERT_TRUE(ShellHasIcon(d));
    EXPECT_TRUE(::SendMessageA(hwnd, WM_QUERYENDSESSION, 0, 0));
    ::SendMessageA(hwnd, WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_FALSE(ShellHasIcon(d));
}

// Quit chosen while a box of the program is open (from the tray, by the installer's message,
// or by the end of the session) ends the program once the box's opener has returned: nothing
// runs against a window that is gone, and the settings are saved.
TEST_F(MainWindowTest, QuitOverAnOpenBoxEndsOnceTheBoxHasReturned) {
    const std::string ini = programFolder.File("AppOpt.ini");
    for (const bool startUp : {false, true}) {
        for (const int way : {0, 1, 2}) {
            SCOPED_TRACE(std::string(startUp ? "start-up box, " : "tick's box, ") +
                         (way == 0 ? "tray" : way == 1 ? "installer" : "end of session"));
            ::DeleteFileA(ini.c_str());
            HKEY version = nullptr;
            if (startUp) {
                // The first start ticks "start with Windows"; a volatile parent refuses the Run
                // key, so chkStartup_Click's error box opens inside LoadSettings.
                ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion");
                ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion", 0,
                                            nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &version, nullptr),
                          ERROR_SUCCESS);
            }
            MainWindow w(::GetModuleHandleA(nullptr), Options());
            HWND hwnd = nullptr;
            std::vector<std::string> titles;
            MessageBoxInterceptor boxes([&](const MessageBoxCall& call) {
                titles.push_back(call.title);
                hwnd = w.Hwnd();
                if (way == 0) {
                    w.MenuClick(6, "");
                } else if (way == 1) {
                    ::SendMessageA(hwnd, WM_COMMAND, IDM_QUIT, 0);
                } else {
                    ::SendMessageA(hwnd, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
                    ::SendMessageA(hwnd, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
                    // The system may end the process now: the settings are on disk already.
                    EXPECT_NE(::GetFileAttributesA(ini.c_str()), INVALID_FILE_ATTRIBUTES);
                }
                EXPECT_TRUE(::IsWindow(hwnd)) << "gone while the box's opener still runs";
                return IDOK;
            });
            ASSERT_TRUE(w.Load());
            if (!startUp) {
                ASSERT_NE(w.Hwnd(), nullptr);
                battery.fail = true;
                ::SendMessageA(w.Hwnd(), WM_TIMER, 1, 0);
                battery.fail = false;
            }
            ASSERT_EQ(titles.size(), 1u);
            EXPECT_EQ(titles[0], startUp ? "Error ! (Source : chkStartup_Click)" : std::string(kPowerErrorTitle));
            EXPECT_EQ(w.Hwnd(), nullptr);
            EXPECT_FALSE(::IsWindow(hwnd));
            EXPECT_NE(corvane::test::ReadWholeFile(ini).find("[settings]"), std::string::npos);
            if (version) {
                ::RegCloseKey(version);
            }
        }
    }
}

// Another program on the desktop posts WM_CLOSE to the bar, an alert option and the tray
// window: all stay, and the next plug-in still raises the charging alert.
TEST_F(MainWindowTest, WindowsClosedFromOutsideStayAndTheNextAlertIsRaised) {
    ASSERT_TRUE(frmMain.Load());
    ::SendMessageA(frmMain.Controls().chkStartCharging, BM_CLICK, 0, 0);  // the user ticks it
    const HWND closed[] = {frmMain.pgBatteryLevel().Hwnd(), frmMain.Controls().chkStartCharging, frmMain.oSysTray().Hwnd()};
    for (HWND w : closed) {
        ::PostMessageA(w, WM_CLOSE, 0, 0);
    }
    corvane::test::PumpUntil([] { return false; }, 200);
    for (HWND w : closed) {
        EXPECT_TRUE(::IsWindow(w));
    }
    battery.ac = 1;
    battery.percent = 58;
    ::SendMessageA(frmMain.Hwnd(), WM_TIMER, 1, 0);
    EXPECT_EQ(frmMain.Cycle().State().AlertedLineStatus, 1) << "the charging alert was not raised";
    EXPECT_EQ(frmMain.pgBatteryLevel().Value(), 58);
    EXPECT_TRUE(ShellHasIcon(frmMain.oSysTray()));
}

TEST_F(MainWindowTest, FailedReadingShowsOneBoxWhileTicksArrive) {
    ASSERT_TRUE(frmMain.Load());
    battery.fail = true;
    std::vector<corvane::test::DialogTexts> boxes;
    int readsWhileOpen = 0;
    corvane::test::DialogDriver driver(
        [&](HWND dlg) {
            boxes.push_back(corvane::test::ReadDialogTexts(dlg));
            // Leave it open over two more ticks before the user closes it.
            const int before = battery.reads;
            corvane::test::PumpUntil([] { return false; }, 4500);
            readsWhileOpen = battery.reads - before;
            corvane::test::PressButton(dlg, IDOK);
        },
        15000);
    corvane::test::PumpUntil([&] { return !boxes.empty(); }, 3000);
    corvane::test::PumpUntil([] { return false; }, 300);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, "Error in reading Battery Power Status.");
    EXPECT_EQ(boxes[0].text, "Sorry, but there was some error while reading the Power Status at Battery Interface.");
    EXPECT_EQ(readsWhileOpen, 0);
    EXPECT_EQ(Label(IDC_LBL_PERCENT), "57%");
    // Closed: the cycle carries on.
    battery.fail = false;
    battery.percent = 58;
    EXPECT_TRUE(corvane::test::PumpUntil([&] { return Label(IDC_LBL_PERCENT) == "58%"; }, 3000));
}

TEST_F(MainWindowTest, HelpWithoutItsFileSaysSo) {
    ASSERT_TRUE(frmMain.Load());
    MessageBoxInterceptor boxes;
    ::SendMessageA(frmMain.Hwnd(), WM_COMMAND, IDM_HELP, 0);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].title, "Help File missing");
    EXPECT_EQ(boxes.Calls()[0].text, "Help file is missing. Please re-install the software or contact Support Center.");
    EXPECT_EQ(boxes.Calls()[0].Icon(), static_cast<UINT>(MB_ICONINFORMATION));
}

// The "..." button of the real window: the real open dialog, the chosen file shortened in the
// slot's box and kept whole, and a right-click on the option previews it.
TEST_F(MainWindowTest, BrowseChoosesASlotsFileAndTheOptionPreviewsIt) {
    ASSERT_TRUE(frmMain.Load());
    frmMain.MenuClick(0, "");
    corvane::test::TempDir dir;
    const std::string folder = dir.File("a rather long folder name for sounds");
    corvane::test::CreateFolders(folder);
    const std::string wav = folder + "\\charging has started.wav";
    corvane::test::WriteWholeFile(wav, "RIFF");

    std::string dialogTitle;
    corvane::test::DialogDriver driver([&](HWND d) {
        dialogTitle = corvane::test::ReadDialogTexts(d).title;
        corvane::test::ChooseFile(d, wav);
    });
    ::SendMessageA(frmMain.Controls().btnBrowse[0], BM_CLICK, 0, 0);
    EXPECT_FALSE(driver.WatchdogFired());
    EXPECT_EQ(dialogTitle, "Select WAV file for Sound Alert ...");
    EXPECT_EQ(frmMain.Chosen().soundFiles[0], wav);
    const std::string shown = Text(frmMain.Controls().txtSndFile[0]);
    EXPECT_NE(shown.find("..."), std::string::npos) << shown;
    EXPECT_NE(shown.find("charging has started.wav"), std::string::npos) << shown;

    AlertSoundInterceptor played;
    const HWND option = frmMain.Controls().chkStartCharging;
    ::SendMessageA(option, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    ::SendMessageA(option, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    ASSERT_EQ(played.Calls().size(), 1u);
    EXPECT_EQ(played.Calls()[0].path, wav);
    // The cycle's alerts play the same slot.
    frmMain.Sounds().PlayAlertSound(0);
    EXPECT_EQ(played.Calls().size(), 2u);
}

TEST_F(MainWindowTest, FullBatteryAtStartUpPlaysTheFullSlotOnce) {
    const std::string full = programFolder.File("chg_full.wav");
    corvane::test::WriteWholeFile(full, "RIFF");
    battery.percent = 100;
    AlertSoundInterceptor played;
    MessageBoxInterceptor boxes;
    const bool loaded = frmMain.Load();
    ::DeleteFileA(full.c_str());
    ASSERT_TRUE(loaded);
    EXPECT_EQ(frmMain.Chosen().soundFiles[kSlotBatteryFull], full);
    ASSERT_EQ(played.Calls().size(), 1u);
    EXPECT_EQ(played.Calls()[0].path, full);
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(MainWindowTest, LayoutFollowsTheWindowsDpi) {
    ASSERT_TRUE(frmMain.Load());
    const auto placed = [&](int id) {
        RECT rc{};
        ::GetWindowRect(ControlById(frmMain.Controls(), id), &rc);
        ::MapWindowPoints(nullptr, frmMain.Hwnd(), reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    };
    const int dpi = frmMain.Dpi();
    EXPECT_EQ(placed(IDC_PG_BATTERY_LEVEL).left, ScaleDesign(30, dpi));
    EXPECT_EQ(placed(IDC_PG_BATTERY_LEVEL).right - placed(IDC_PG_BATTERY_LEVEL).left, ScaleDesign(360, dpi));
    // The critical-level box stands where the blanks of its check box's caption begin, and the
    // caption's closing "%." follows it on the same row, nothing overlapping.
    const auto rowOf = [&](int id) {
        const RECT check = placed(IDC_CHK_CHARGE_LOW);
        const RECT box = placed(IDC_TXT_CHARGE_ALERT);
        const RECT percent = placed(IDC_LBL_CHARGE_PERCENT);
        EXPECT_EQ(box.left, check.right) << id;
        EXPECT_GT(percent.left, box.right) << id;
        EXPECT_LT(percent.left, box.right + ScaleDesign(8, id)) << id;
        const int middle = (check.top + check.bottom) / 2;
        EXPECT_LE(box.top, middle) << id;
        EXPECT_GE(box.bottom, middle) << id;
        EXPECT_LE(percent.top, middle) << id;
        EXPECT_GE(percent.bottom, middle) << id;
        return check.right - check.left;
    };
    // The Settings tab's third frame lies below the other two inside the tab, its controls inside
    // it, the reminder's box in its caption's gap as the critical level's is, no caption cut.
    const auto settingsFit = [&](int id) {
        const RECT tab = placed(IDC_TAB_MAIN);
        const RECT frame = placed(IDC_FM_TRAY_CARE);
        EXPECT_GT(frame.top, placed(IDC_FM_APPLICATION_STARTUP).bottom) << id;
        EXPECT_LT(frame.bottom, tab.bottom - ScaleDesign(4, id)) << id;
        for (const int inner : {IDC_CHK_TRAY_CHARGE, IDC_CHK_CARE_ON, IDC_TXT_CARE_VAL, IDC_LBL_CARE_PERCENT}) {
            const RECT r = placed(inner);
            EXPECT_TRUE(r.left > frame.left && r.right < frame.right && r.top > frame.top && r.bottom < frame.bottom)
                << inner << " at " << id;
        }
        const RECT check = placed(IDC_CHK_CARE_ON);
        const RECT box = placed(IDC_TXT_CARE_VAL);
        EXPECT_EQ(box.left, check.right) << id;
        EXPECT_GT(placed(IDC_LBL_CARE_PERCENT).left, box.right) << id;
        const HWND tray = ControlById(frmMain.Controls(), IDC_CHK_TRAY_CHARGE);
        WindowDc dc(tray);
        SelectGuard keep(dc.get(), reinterpret_cast<HGDIOBJ>(::SendMessageA(tray, WM_GETFONT, 0, 0)));
        SIZE caption{};
        ::GetTextExtentPoint32A(dc.get(), "Show the charge in the tray icon.", 33, &caption);
        EXPECT_LT(caption.cx + SystemMetricForDpi(SM_CXMENUCHECK, id), placed(IDC_CHK_TRAY_CHARGE).right - placed(IDC_CHK_TRAY_CHARGE).left) << id;
    };
    settingsFit(dpi);
    const int checkWidth = rowOf(dpi);
    EXPECT_EQ(Text(ControlById(frmMain.Controls(), IDC_LBL_CHARGE_PERCENT)), "%.");

    UniqueGdiObject bigFont = MakeUiFont(2 * dpi);
    LayoutMainControls(frmMain.Controls(), 2 * dpi, static_cast<HFONT>(bigFont.get()));
    EXPECT_EQ(placed(IDC_PG_BATTERY_LEVEL).left, ScaleDesign(60, dpi));
    EXPECT_EQ(placed(IDC_LBL_TIME).top, ScaleDesign(2 * (162 + kBannerHeight), dpi));
    // The caption's words are measured in the new font: the check box grows with it.
    EXPECT_GT(rowOf(2 * dpi), checkWidth + checkWidth / 2);
    settingsFit(2 * dpi);
    const RECT client = [&] {
        RECT rc{};
        ::GetClientRect(frmMain.Hwnd(), &rc);
        return rc;
    }();
    EXPECT_EQ(client.right, ScaleDesign(kClientWidth, dpi));
    EXPECT_EQ(client.bottom, ScaleDesign(kClientHeight, dpi));
}

TEST(FileExists, FilesYesFoldersNoPatternsWhenAnyMatches) {
    corvane::test::TempDir dir;
    corvane::test::WriteWholeFile(dir.File("chg_start.wav"), "RIFF");
    corvane::test::WriteWholeFile(dir.File("secret.wav"), "RIFF");
    ::SetFileAttributesA(dir.File("secret.wav").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    ::CreateDirectoryA(dir.File("folder").c_str(), nullptr);
    MessageBoxInterceptor boxes;
    EXPECT_TRUE(FileExists(dir.File("chg_start.wav")));
    EXPECT_TRUE(FileExists(dir.File("secret.wav")));
    EXPECT_FALSE(FileExists(dir.File("folder")));
    EXPECT_FALSE(FileExists(dir.File("missing.wav")));
    EXPECT_FALSE(FileExists(dir.File("nowhere\\x.wav")));
    EXPECT_TRUE(FileExists(dir.File("*.wav")));
    EXPECT_FALSE(FileExists(dir.File("*.mp3")));
    EXPECT_FALSE(FileExists(""));
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_FALSE(FileExists("C:\\*?*\\x.wav"));
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].Icon(), static_cast<UINT>(MB_ICONINFORMATION));
    ::SetFileAttributesA(dir.File("secret.wav").c_str(), FILE_ATTRIBUTE_NORMAL);
}

} // namespace
} // namespace corvane::app

namespace corvane::app {
namespace {

TEST_F(MainWindowTest, HelpAndWebPageOpenThroughTheShell) {
    const std::string help = programFolder.File("Reference.chm");
    corvane::test::WriteWholeFile(help, "ITSF");
    ASSERT_TRUE(frmMain.Load());
    ShellOpenInterceptor shell;
    MessageBoxInterceptor boxes;
    ::SendMessageA(frmMain.Hwnd(), WM_COMMAND, IDM_HELP, 0);
    ::SendMessageA(frmMain.Hwnd(), WM_COMMAND, IDM_WEBSITE, 0);
    ::DeleteFileA(help.c_str());
    EXPECT_TRUE(boxes.Calls().empty());
    ASSERT_EQ(shell.Calls().size(), 2u);
    const std::string targets[] = {help, std::string(about::kProductWebPage)};
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(shell.Calls()[i].file, targets[i]);
        EXPECT_EQ(shell.Calls()[i].owner, frmMain.Hwnd());
        EXPECT_EQ(shell.Calls()[i].directory, "C:\\");
        EXPECT_EQ(shell.Calls()[i].show, SW_SHOWNORMAL);
    }
}

BOOL CALLBACK CountAbouts(HWND hwnd, LPARAM count) {
    char cls[32] = {};
    ::GetClassNameA(hwnd, cls, sizeof cls);
    *reinterpret_cast<int*>(count) += std::string(cls) == about::AboutWindow::kClassName;
    return TRUE;
}

// The About window from the menu bar: the main window waits, a second request from the tray
// brings the open one forward instead of opening another, and Quit closes it with the program.
TEST_F(MainWindowTest, AboutIsModalSingleAndEndsWithTheProgram) {
    ASSERT_TRUE(frmMain.Load());
    frmMain.MenuClick(0, "");
    int abouts = 0;
    bool mainDisabled = false;
    HWND first = nullptr;
    bool forward = false;
    corvane::test::DialogDriver driver(
        [&](HWND w) {
            first = w;
            mainDisabled = !::IsWindowEnabled(frmMain.Hwnd());
            ::EnumThreadWindows(::GetCurrentThreadId(), CountAbouts, reinterpret_cast<LPARAM>(&abouts));
            ::SetForegroundWindow(frmMain.Hwnd());
            frmMain.MenuClick(4, "");
            forward = ::GetForegroundWindow() == w;
            ::SendMessageA(frmMain.Hwnd(), WM_COMMAND, IDM_QUIT, 0);
        },
        3000, about::AboutWindow::kClassName);
    const HWND hwnd = frmMain.Hwnd();
    ::SendMessageA(hwnd, WM_COMMAND, IDM_ABOUT, 0);
    EXPECT_FALSE(driver.WatchdogFired());
    EXPECT_EQ(driver.DialogsSeen(), 1);
    EXPECT_EQ(abouts, 1);
    EXPECT_TRUE(mainDisabled);
    EXPECT_TRUE(forward);
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_FALSE(::IsWindow(hwnd));
}

// Enter or Space on the icon shows and hides; the menu key opens the menu; the shell's
// keyboard-style echoes of mouse clicks change nothing.
TEST_F(MainWindowTest, TrayIconAnswersTheKeyboard) {
    ASSERT_TRUE(frmMain.Load());
    const auto notify = [&](std::vector<int> codes) {
        for (int code : codes) {
            ::PostMessageA(frmMain.oSysTray().Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(code, 0));
        }
        corvane::test::PumpUntil([] { return false; }, 100);
    };
    notify({0x401, 0x401}); // Enter: the shell sends it twice
    EXPECT_TRUE(frmMain.Visible());
    EXPECT_EQ(frmMain.oSysTray().MenuCaption(0), "Hide Corvane");
    notify({0x201, 0x202, 0x400}); // a left click and its echo
    EXPECT_TRUE(frmMain.Visible());
    ::Sleep(::GetDoubleClickTime() + 50);
    notify({0x400});
    EXPECT_FALSE(frmMain.Visible());

    int menus = 0;
    corvane::test::PopupDriver driver([&](HWND menu) {
        ++menus;
        corvane::test::PressKeys(menu, {VK_ESCAPE});
    });
    notify({0x7B});
    corvane::test::PumpUntil([&] { return driver.Acted(); }, 3000);
    EXPECT_EQ(menus, 1);
    EXPECT_FALSE(driver.WatchdogFired());
}

TEST_F(MainWindowTest, KeyboardMovesThroughTheShownTabAndSwitchesTabs) {
    ASSERT_TRUE(frmMain.Load());
    frmMain.MenuClick(0, "");
    HWND tab = ControlById(frmMain.Controls(), IDC_TAB_MAIN);
    const auto key = [&](WPARAM vk, bool ctrl, bool shift) {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[VK_CONTROL] = ctrl ? 0x80 : 0;
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(keys);
        MSG m{::GetFocus(), WM_KEYDOWN, vk, 1, 0, {}};
        const bool handled = frmMain.TranslateKeyboard(m);
        keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
        ::SetKeyboardState(keys);
        return handled;
    };
    const auto page = [&] { return static_cast<int>(::SendMessageA(tab, TCM_GETCURSEL, 0, 0)); };
    ::SetFocus(tab);
    EXPECT_TRUE(key(VK_TAB, true, false));
    EXPECT_EQ(page(), 1);
    EXPECT_TRUE(::IsWindowVisible(frmMain.Controls().chkStartCharging));
    EXPECT_FALSE(::IsWindowVisible(ControlById(frmMain.Controls(), IDC_LBL_PERCENT)));
    // Tab visits the alert options' controls and the tab strip, nothing hidden.
    std::vector<HWND> visited;
    for (int i = 0; i < 12; ++i) {
        EXPECT_TRUE(key(VK_TAB, false, false));
        visited.push_back(::GetFocus());
        EXPECT_TRUE(::IsWindowVisible(::GetFocus())) << i;
    }
    for (HWND expected : {frmMain.Controls().chkStartCharging, frmMain.Controls().txtSndFile[0], frmMain.Controls().btnBrowse[2],
                          frmMain.Controls().txtChargeAlert, tab}) {
        EXPECT_NE(std::find(visited.begin(), visited.end(), expected), visited.end());
    }
    // Shift+Tab goes back the same way.
    ::SetFocus(frmMain.Controls().btnBrowse[0]);
    key(VK_TAB, false, true);
    EXPECT_EQ(::GetFocus(), frmMain.Controls().txtSndFile[0]);
    // Ctrl+Tab from a control of the page: the focus does not stay on a hidden control.
    EXPECT_TRUE(key(VK_TAB, true, false));
    EXPECT_EQ(page(), 2);
    EXPECT_EQ(::GetFocus(), tab);
    // The fourth tab: Tab goes into the History page's own controls.
    EXPECT_TRUE(key(VK_TAB, true, false));
    EXPECT_EQ(page(), 3);
    for (int i = 0; i < 3 && ::GetParent(::GetFocus()) != frmMain.History().Window(); ++i) {
        key(VK_TAB, false, false);
    }
    EXPECT_EQ(::GetParent(::GetFocus()), frmMain.History().Window());
    EXPECT_TRUE(key(VK_TAB, true, false));
    EXPECT_EQ(page(), 0);
    EXPECT_FALSE(::IsWindowVisible(frmMain.History().Window()));
    EXPECT_TRUE(key(VK_TAB, true, true));
    EXPECT_EQ(page(), 3);
    EXPECT_TRUE(key(VK_TAB, true, true));
    EXPECT_EQ(page(), 2);
    EXPECT_TRUE(::IsWindowVisible(ControlById(frmMain.Controls(), IDC_CHK_ON_TOP)));
    // The Settings tab's options, the reminder's level box among them, are reached by Tab too.
    std::vector<HWND> settings;
    for (int i = 0; i < 6; ++i) {
        key(VK_TAB, false, false);
        settings.push_back(::GetFocus());
    }
    for (HWND expected : {frmMain.Controls().chkOnTop, frmMain.Controls().chkStartup, frmMain.Controls().chkTrayCharge,
                          frmMain.Controls().chkCareOn, frmMain.Controls().txtCareVal}) {
        EXPECT_NE(std::find(settings.begin(), settings.end(), expected), settings.end());
    }
    // Messages of other windows are left to the loop.
    MSG other{frmMain.oSysTray().Hwnd(), WM_KEYDOWN, VK_TAB, 1, 0, {}};
    EXPECT_FALSE(frmMain.TranslateKeyboard(other));
}

// The fourth tab hosts the History page over the tab's pane, above the tab control, in the
// window's font at its DPI and after a change of it; the page follows the ticks.
TEST_F(MainWindowTest, HistoryTabShowsItsPageAtEachDpi) {
    ASSERT_TRUE(frmMain.Load());
    frmMain.MenuClick(0, "");
    HWND hwnd = frmMain.Hwnd();
    HWND tab = frmMain.Controls().tabMain;
    ::SendMessageA(tab, TCM_SETCURSEL, 3, 0);
    NMHDR change{tab, IDC_TAB_MAIN, static_cast<UINT>(TCN_SELCHANGE)};
    ::SendMessageA(hwnd, WM_NOTIFY, IDC_TAB_MAIN, reinterpret_cast<LPARAM>(&change));
    history::HistoryPage& page = frmMain.History();
    EXPECT_TRUE(::IsWindowVisible(page.Window()));
    EXPECT_FALSE(::IsWindowVisible(frmMain.Controls().chkOnTop));
    battery.percent = 56;
    ::SendMessageA(hwnd, WM_TIMER, 1, 0);
    EXPECT_NE(Text(page.Control(history::HistoryPage::kSentence)).find("now 56%"), std::string::npos);

    const auto check = [&](int dpi) {
        RECT rc{}, pane{};
        ::GetWindowRect(page.Window(), &rc);
        ::MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&rc), 2);
        const Rect area = Place(kHistoryPageArea, dpi);
        EXPECT_EQ((Rect{rc.left, rc.top, rc.right, rc.bottom}), area) << dpi;
        ::GetClientRect(tab, &pane);
        ::SendMessageA(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&pane));
        ::MapWindowPoints(tab, hwnd, reinterpret_cast<POINT*>(&pane), 2);
        EXPECT_TRUE(rc.left >= pane.left && rc.top >= pane.top && rc.right <= pane.right && rc.bottom <= pane.bottom);
        const POINT middle{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
        EXPECT_EQ(::ChildWindowFromPointEx(hwnd, middle, CWP_SKIPINVISIBLE), page.Window()) << dpi;
        EXPECT_EQ(::SendMessageA(page.Control(history::HistoryPage::kOpenLog), WM_GETFONT, 0, 0),
                  ::SendMessageA(frmMain.Controls().chkOnTop, WM_GETFONT, 0, 0));
        EXPECT_EQ(Text(page.Control(history::HistoryPage::kOpenLog)), "Open Log");
        EXPECT_EQ(Text(page.Control(history::HistoryPage::kSentence)).rfind("Last 24 hours: ", 0), 0u) << dpi;
    };
    check(frmMain.Dpi());
    const int dpi = frmMain.Dpi() * 3 / 2;
    const SIZE size = MainWindowSize(static_cast<DWORD>(::GetWindowLongPtrA(hwnd, GWL_STYLE)),
                                     static_cast<DWORD>(::GetWindowLongPtrA(hwnd, GWL_EXSTYLE)), true, dpi);
    RECT suggested{0, 0, size.cx, size.cy};
    ::SendMessageA(hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    check(dpi);
}

// Alt+M opens the menu bar's menu through the window's keyboard handling, and its A runs About.
TEST_F(MainWindowTest, MenuMnemonicsReachAbout) {
    ASSERT_TRUE(frmMain.Load());
    frmMain.MenuClick(0, "");
    std::string aboutTitle;
    corvane::test::DialogDriver about(
        [&](HWND w) {
            aboutTitle = Text(w);
            corvane::test::PressKeys(w, {VK_ESCAPE});
        },
        3000, about::AboutWindow::kClassName);
    corvane::test::PopupDriver menu([](HWND m) { ::PostMessageA(m, WM_CHAR, 'a', 0); });
    MSG alt{frmMain.Hwnd(), WM_SYSCHAR, 'm', 1 << 29, 0, {}};
    frmMain.TranslateKeyboard(alt);
    corvane::test::PumpUntil([&] { return !aboutTitle.empty(); }, 3000);
    EXPECT_TRUE(menu.Acted());
    EXPECT_EQ(aboutTitle, "About Corvane");
    EXPECT_FALSE(about.WatchdogFired());
}

TEST_F(MainWindowTest, ScreenReadersHearTheBarAsAProgressBar) {
    ASSERT_TRUE(frmMain.Load());
    HWND bar = ControlById(frmMain.Controls(), IDC_PG_BATTERY_LEVEL);
    EXPECT_EQ(::SendMessageA(bar, PBM_GETPOS, 0, 0), 57);
    PBRANGE range{-1, -1};
    EXPECT_EQ(::SendMessageA(bar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range)), 100);
    EXPECT_EQ(::SendMessageA(bar, PBM_GETRANGE, TRUE, 0), 0);
    EXPECT_EQ(range.iLow, 0);
    EXPECT_EQ(range.iHigh, 100);

    IAccessible* accessible = nullptr;
    ASSERT_HRESULT_SUCCEEDED(::AccessibleObjectFromWindow(bar, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                                          reinterpret_cast<void**>(&accessible)));
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role{};
    EXPECT_HRESULT_SUCCEEDED(accessible->get_accRole(self, &role));
    EXPECT_EQ(role.vt, VT_I4);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_PROGRESSBAR);
    BSTR value = nullptr;
    EXPECT_HRESULT_SUCCEEDED(accessible->get_accValue(self, &value));
    EXPECT_STREQ(value ? value : L"", L"57%");
    ::SysFreeString(value);
    accessible->Release();
    // Other ranges, as the bar allows them: the share of the range, never outside 0..100.
    EXPECT_EQ(progressbar::PercentOfRange(50, 150, 100), 50);
    EXPECT_EQ(progressbar::PercentOfRange(0, 3, 2), 66);
    EXPECT_EQ(progressbar::PercentOfRange(10, 10, 10), 0);
    EXPECT_EQ(progressbar::PercentOfRange(0, 100, 250), 100);
}

TEST_F(MainWindowTest, DpiChangeRepaintsTheBarAndFollowsWithFontAndIcons) {
    ASSERT_TRUE(frmMain.Load());
    frmMain.MenuClick(0, "");
    const int dpi = frmMain.Dpi() * 3 / 2;
    HWND hwnd = frmMain.Hwnd();
    const HGDIOBJ oldFont = reinterpret_cast<HGDIOBJ>(::SendMessageA(frmMain.Controls().chkStartCharging, WM_GETFONT, 0, 0));
    const HICON oldIcon = reinterpret_cast<HICON>(::SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0));
    RECT window{};
    ::GetWindowRect(hwnd, &window);
    const SIZE size = MainWindowSize(static_cast<DWORD>(::GetWindowLongPtrA(hwnd, GWL_STYLE)),
                                     static_cast<DWORD>(::GetWindowLongPtrA(hwnd, GWL_EXSTYLE)), true, dpi);
    RECT suggested{window.left, window.top, window.left + size.cx, window.top + size.cy};
    ::SendMessageA(hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));

    EXPECT_EQ(frmMain.Dpi(), dpi);
    const progressbar::XpProgressBar& bar = frmMain.pgBatteryLevel();
    EXPECT_EQ(bar.Surface().PixelWidth(), ScaleDesign(360, dpi));
    // Blocks up to 57 % at once, not a blank frame until the next tick.
    const int inside = bar.Surface().PixelHeight() / 2;
    EXPECT_NE(bar.Surface().PixelAt(ScaleDesign(360, dpi) / 3, inside), RGB(255, 255, 255));
    EXPECT_EQ(bar.Surface().PixelAt(ScaleDesign(360, dpi) * 9 / 10, inside), RGB(255, 255, 255));
    // The controls' new font is alive and not the old one (which is gone).
    const HGDIOBJ newFont = reinterpret_cast<HGDIOBJ>(::SendMessageA(frmMain.Controls().chkStartCharging, WM_GETFONT, 0, 0));
    EXPECT_NE(newFont, oldFont);
    EXPECT_EQ(::GetObjectType(newFont), static_cast<DWORD>(OBJ_FONT));
    EXPECT_EQ(::GetObjectType(oldFont), 0u);
    // The icons were drawn again for the new DPI, the old ones destroyed, and the tray shows
    // the window's icon as it is now.
    const HICON newIcon = reinterpret_cast<HICON>(::SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0));
    EXPECT_NE(newIcon, oldIcon);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(newIcon, &info));
    BITMAP mask{};
    ::GetObjectA(info.hbmMask, sizeof mask, &mask);
    ::DeleteObject(info.hbmMask);
    ::DeleteObject(info.hbmColor);
    EXPECT_EQ(mask.bmWidth, SystemMetricForDpi(SM_CXSMICON, dpi));
    ICONINFO gone{};
    EXPECT_FALSE(::GetIconInfo(oldIcon, &gone));
    EXPECT_EQ(frmMain.oSysTray().IconHandle(), newIcon);
    EXPECT_TRUE(ShellHasIcon(frmMain.oSysTray()));
}

// The balloon's title or message as the tray's record holds it for the shell (ASCII texts).
std::string BalloonText(tray::SysTrayWindow& tray, bool title) {
    const tray::NotifyLayout& layout = tray.Record().Layout();
    const auto bytes = tray.Record().Bytes();
    std::string text;
    for (std::size_t i = title ? layout.szInfoTitle : layout.szInfo; i + layout.charSize <= bytes.size();
         i += layout.charSize) {
        const unsigned c = bytes[i] | (layout.charSize == 2 ? bytes[i + 1] << 8 : 0u);
        if (c == 0) {
            break;
        }
        text.push_back(static_cast<char>(c));
    }
    return text;
}

TEST_F(MainWindowTest, TrayChargeDrawsTheIconWhileTickedAndUntickingRestoresTheProgramIcon) {
    ASSERT_TRUE(frmMain.Load());
    tray::SysTrayWindow& tray = frmMain.oSysTray();
    const HICON program = reinterpret_cast<HICON>(::SendMessageA(frmMain.Hwnd(), WM_GETICON, ICON_SMALL, 0));
    ASSERT_EQ(tray.IconHandle(), program) << "unticked at first";
    const HWND option = ControlById(frmMain.Controls(), IDC_CHK_TRAY_CHARGE);
    ::SendMessageA(option, BM_CLICK, 0, 0);
    EXPECT_TRUE(frmMain.Chosen().trayCharge);
    const HICON drawn = tray.IconHandle();
    EXPECT_NE(drawn, program) << "drawn at once, not at the next tick";
    ICONINFO info{};
    EXPECT_TRUE(ShellHasIcon(tray));
    frmMain.tmrUpdate_Timer();
    EXPECT_EQ(tray.IconHandle(), drawn) << "an unchanged reading draws nothing";

    // Another charge, then the taskbar turning light: each a new icon, the one before freed.
    battery.percent = 23;
    frmMain.tmrUpdate_Timer();
    const HICON low = tray.IconHandle();
    EXPECT_NE(low, drawn);
    EXPECT_FALSE(::GetIconInfo(drawn, &info));
    const DWORD light = 1;
    ASSERT_EQ(::RegSetKeyValueA(HKEY_CURRENT_USER, tray::kPersonalizeKey, tray::kTaskbarThemeValue, REG_DWORD, &light,
                                sizeof light),
              ERROR_SUCCESS);
    ::SendMessageA(frmMain.Hwnd(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("ImmersiveColorSet"));
    const HICON themed = tray.IconHandle();
    EXPECT_NE(themed, low);
    EXPECT_NE(themed, program);

    // The window's DPI changes and its icons are loaded again: the drawn icon stays in the tray,
    // and unticking puts back the program's icon as it is now.
    RECT window{};
    ::GetWindowRect(frmMain.Hwnd(), &window);
    const int dpi = frmMain.Dpi() * 3 / 2;
    ::SendMessageA(frmMain.Hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&window));
    const HICON reloaded = reinterpret_cast<HICON>(::SendMessageA(frmMain.Hwnd(), WM_GETICON, ICON_SMALL, 0));
    EXPECT_EQ(tray.IconHandle(), themed);

    ::SendMessageA(option, BM_CLICK, 0, 0);
    EXPECT_EQ(tray.IconHandle(), reloaded);
    EXPECT_FALSE(::GetIconInfo(themed, &info)) << "the drawn icon is freed";
    EXPECT_TRUE(ShellHasIcon(tray));
    frmMain.tmrUpdate_Timer();
    EXPECT_EQ(tray.IconHandle(), reloaded);
}

TEST_F(MainWindowTest, CareReminderComesOnceAtTheCrossingAndAgainAfterAReconnection) {
    const std::string full = programFolder.File("chg_full.wav");
    corvane::test::WriteWholeFile(full, "RIFF");
    battery.ac = 1;
    battery.percent = 70;
    AlertSoundInterceptor played;
    ASSERT_TRUE(frmMain.Load());
    ::SendMessageA(ControlById(frmMain.Controls(), IDC_CHK_CARE_ON), BM_CLICK, 0, 0);
    for (const std::uint8_t percent : {79, 80, 81, 85}) {
        battery.percent = percent;
        frmMain.tmrUpdate_Timer();
    }
    ASSERT_EQ(played.Calls().size(), 1u);
    EXPECT_EQ(played.Calls()[0].path, full);
    EXPECT_EQ(BalloonText(frmMain.oSysTray(), true), "Corvane :: Battery Care Reminder.");
    EXPECT_EQ(BalloonText(frmMain.oSysTray(), false),
              "Battery has reached 80% charge. Remove the AC supply now to help the battery last longer.");
    // Unplugged and plugged in again above the level: once more, at the charge of then.
    battery.ac = 0;
    frmMain.tmrUpdate_Timer();
    battery.ac = 1;
    frmMain.tmrUpdate_Timer();
    frmMain.tmrUpdate_Timer();
    EXPECT_EQ(played.Calls().size(), 2u);
    EXPECT_EQ(BalloonText(frmMain.oSysTray(), false).substr(0, 24), "Battery has reached 85% ");
}

// The tray shows one balloon at a time: a reminder due with another balloon waits a tick.
TEST_F(MainWindowTest, CareReminderWaitsForTheWelcomeAndForTheFullAlert) {
    const std::string ini = programFolder.File("AppOpt.ini");
    ::WritePrivateProfileStringA("settings", "careon", "1", ini.c_str());
    corvane::test::WriteWholeFile(programFolder.File("chg_full.wav"), "RIFF");
    battery.ac = 1;
    battery.percent = 85;
    AlertSoundInterceptor played;
    ASSERT_TRUE(frmMain.Load());
    tray::SysTrayWindow& tray = frmMain.oSysTray();
    EXPECT_EQ(BalloonText(tray, false), kWelcomeMessage) << "the start-up's own order is kept";
    EXPECT_TRUE(played.Calls().empty());
    frmMain.tmrUpdate_Timer();
    EXPECT_EQ(BalloonText(tray, true), "Corvane :: Battery Care Reminder.");
    EXPECT_EQ(played.Calls().size(), 1u);

    UserOptions chosen = frmMain.Chosen();
    chosen.careLevel = 100;
    frmMain.Choose(chosen);
    for (const auto& [ac, percent] : {std::pair{0, 99}, std::pair{1, 99}, std::pair{1, 100}}) {
        battery.ac = static_cast<std::uint8_t>(ac);
        battery.percent = static_cast<std::uint8_t>(percent);
        frmMain.tmrUpdate_Timer();
    }
    EXPECT_EQ(BalloonText(tray, true), "Battery Charge Full.");
    frmMain.tmrUpdate_Timer();
    EXPECT_EQ(BalloonText(tray, true), "Corvane :: Battery Care Reminder.");
    EXPECT_EQ(played.Calls().size(), 3u) << "the full sound, then the reminder's";
}

} // namespace
} // namespace corvane::app
