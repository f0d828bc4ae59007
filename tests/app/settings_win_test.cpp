// The window options and AppOpt.ini on the real main window: real check boxes, the real
// colour popup, the real profile file and the Run value (in a user hive of the test's own).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window_ids.h"
#include "app/main_window_win.h"
#include "app/window_options_win.h"
#include "base/message_box_win.h"
#include "app/app_settings_win.h"
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
        s.ACLineStatus = 0;
        s.BatteryLifePercent = 57;
        return true;
    }
};

class FixedClock : public Clock {
public:
    std::int32_t SecondsOfDay() override { return 40000; }
    std::int64_t MonotonicMilliseconds() override { return 40000 * 1000; }
    UnixTime UtcNow() override { return 1765000000; }
    std::int64_t LocalOffsetAt(UnixTime) override { return 0; }
};

bool Checked(MainWindow& w, int id) { return ::IsDlgButtonChecked(w.Hwnd(), id) == BST_CHECKED; }

std::vector<int> TickedColours(MainWindow& w) {
    const auto colour = w.Chosen().barColour;
    return colour ? std::vector<int>{*colour} : std::vector<int>{};
}

bool Topmost(HWND hwnd) { return (::GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

class SettingsWindowTest : public ::testing::Test {
protected:
    SettingsWindowTest() {
        test::CreateFolders(dir.File("Corvane folder"));
        test::WriteWholeFile(program, "MZ");
    }
    std::unique_ptr<MainWindow> Start() {
        MainWindow::Options o;
        o.source = &battery;
        o.clock = &clock;
        o.quitWhenDestroyed = false;
        o.programPath = program;
        auto w = std::make_unique<MainWindow>(::GetModuleHandleA(nullptr), o);
        EXPECT_TRUE(w->Load());
        return w;
    }
    bool FileExists() const { return ::GetFileAttributesA(ini.c_str()) != INVALID_FILE_ATTRIBUTES; }

    test::CurrentUserSandbox user;
    test::TempDir dir;
    const std::string program = dir.File("Corvane folder\\Corvane.exe");
    const std::string ini = dir.File("Corvane folder\\AppOpt.ini");
    FakeBattery battery;
    FixedClock clock;
};

TEST_F(SettingsWindowTest, FirstStartWritesTheRunValueAndEachUnloadTheFile) {
    for (const bool endOfSession : {false, true}) {
        SCOPED_TRACE(endOfSession ? "end of session" : "Quit");
        ::DeleteFileA(ini.c_str());
        test::DeleteRunValue();
        auto w = Start();
        EXPECT_FALSE(FileExists()) << "loading creates no file";
        EXPECT_TRUE(Checked(*w, IDC_CHK_STARTUP));
        EXPECT_FALSE(Checked(*w, IDC_CHK_ON_TOP));
        EXPECT_EQ(TickedColours(*w), std::vector<int>{3});
        EXPECT_EQ(w->pgBatteryLevel().ProgressLook(), 7);
        EXPECT_STRCASEEQ(test::RunValueTarget().c_str(), program.c_str());

        // The close box only hides and saves nothing.
        w->MenuClick(0, "");
        ::SendMessageA(w->Hwnd(), WM_CLOSE, 0, 0);
        EXPECT_FALSE(FileExists());

        if (endOfSession) {
            EXPECT_TRUE(::SendMessageA(w->Hwnd(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
            ::SendMessageA(w->Hwnd(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
        } else {
            ::SendMessageA(w->Hwnd(), WM_COMMAND, IDM_QUIT, 0);
        }
        EXPECT_EQ(w->Hwnd(), nullptr);
        EXPECT_EQ(test::ReadWholeFile(ini),
                  "[alert]\r\nchrg_start=0\r\nchrg_100=1\r\nchrg_low=1\r\n"
                  "[snd]\r\nchrg_start=\r\nchrg_100=\r\nchrg_low=\r\n"
                  "[chrg]\r\nalert_val=10\r\ntime_rec=40000\r\nline_status=0\r\n"
                  "[settings]\r\nstartup=1\r\nontop=0\r\npglook=3\r\ntraycharge=0\r\ncareon=0\r\ncareval=80\r\n");
    }
}

// Right-clicks the bar and acts on the real popup; returns its entries as shown.
std::vector<std::string> UseColourMenu(MainWindow& w, const std::vector<WPARAM>& keys) {
    std::vector<std::string> entries;
    test::PopupDriver driver([&](HWND menu) {
        HMENU popup = reinterpret_cast<HMENU>(::SendMessageA(menu, MN_GETHMENU, 0, 0));
        for (int i = 0; i < ::GetMenuItemCount(popup); ++i) {
            char text[32] = {};
            ::GetMenuStringA(popup, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            const bool ticked = (::GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED) != 0;
            entries.push_back(std::string(ticked ? "*" : "") + text);
        }
        test::PressKeys(menu, keys);
    });
    const HWND bar = w.pgBatteryLevel().Hwnd();
    ::PostMessageA(bar, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 5));
    ::PostMessageA(bar, WM_RBUTTONUP, 0, MAKELPARAM(20, 5));
    test::PumpUntil([&] { return driver.Acted(); }, 3000);
    test::PumpUntil([] { return false; }, 200);
    EXPECT_FALSE(driver.WatchdogFired());
    return entries;
}

TEST_F(SettingsWindowTest, ChoicesSurviveARestart) {
    {
        auto w = Start();
        w->MenuClick(0, "");
        EXPECT_EQ(UseColourMenu(*w, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}),
                  (std::vector<std::string>{"Blue", "Green", "Orange", "*Red", "Gold"}));
        EXPECT_EQ(TickedColours(*w), std::vector<int>{4});
        EXPECT_EQ(w->pgBatteryLevel().ProgressLook(), 3);
        EXPECT_EQ(w->pgBatteryLevel().Value(), 57) << "the colour keeps the charge shown";
        // The left button opens nothing.
        ::SendMessageA(w->pgBatteryLevel().Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(20, 5));

        ::SendMessageA(ControlById(w->Controls(), IDC_CHK_ON_TOP), BM_CLICK, 0, 0);
        EXPECT_TRUE(Topmost(w->Hwnd()));
        ::SendMessageA(ControlById(w->Controls(), IDC_CHK_STARTUP), BM_CLICK, 0, 0);
        std::string stored;
        EXPECT_FALSE(test::ReadRunValue(stored)) << "unticking removes the Run value";
        ::SendMessageA(w->Controls().chkStartCharging, BM_CLICK, 0, 0);
        ::SendMessageA(w->Controls().chkEndCharging, BM_CLICK, 0, 0);
        ::SetWindowTextA(w->Controls().txtChargeAlert, "");
        ::SendMessageA(w->Controls().chkTrayCharge, BM_CLICK, 0, 0);
        ::SendMessageA(w->Controls().chkCareOn, BM_CLICK, 0, 0);
        ::SetWindowTextA(w->Controls().txtCareVal, "65");
        UserOptions chosen = w->Chosen();
        chosen.soundFiles[2] = "C:\\no such folder\\alarm.wav";
        w->Choose(chosen);
        w->MenuClick(6, "");
    }
    EXPECT_NE(test::ReadWholeFile(ini).find("pglook=4"), std::string::npos);
    auto w = Start();
    EXPECT_TRUE(Checked(*w, IDC_CHK_START_CHARGING));
    EXPECT_FALSE(Checked(*w, IDC_CHK_END_CHARGING));
    EXPECT_TRUE(Checked(*w, IDC_CHK_CHARGE_LOW));
    EXPECT_FALSE(Checked(*w, IDC_CHK_STARTUP));
    std::string stored;
    EXPECT_FALSE(test::ReadRunValue(stored));
    EXPECT_TRUE(Checked(*w, IDC_CHK_ON_TOP));
    // On top from the start, yet hidden and still offered as "Show Corvane".
    EXPECT_TRUE(Topmost(w->Hwnd()));
    EXPECT_FALSE(w->Visible());
    EXPECT_EQ(w->oSysTray().MenuCaption(0), "Show Corvane");
    EXPECT_EQ(TickedColours(*w), std::vector<int>{4});
    EXPECT_EQ(w->pgBatteryLevel().ProgressLook(), 3);
    char text[16] = {};
    ::GetWindowTextA(w->Controls().txtChargeAlert, text, sizeof text);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(w->Chosen().soundFiles[2], "C:\\no such folder\\alarm.wav");
    EXPECT_TRUE(Checked(*w, IDC_CHK_TRAY_CHARGE));
    EXPECT_TRUE(Checked(*w, IDC_CHK_CARE_ON));
    ::GetWindowTextA(w->Controls().txtCareVal, text, sizeof text);
    EXPECT_STREQ(text, "65");
    EXPECT_NE(w->oSysTray().IconHandle(), reinterpret_cast<HICON>(::SendMessageA(w->Hwnd(), WM_GETICON, ICON_SMALL, 0)))
        << "the charge is drawn from the start";

    // Unticking on top shows the window without touching the tray entry.
    ::SendMessageA(ControlById(w->Controls(), IDC_CHK_ON_TOP), BM_CLICK, 0, 0);
    EXPECT_FALSE(Topmost(w->Hwnd()));
    EXPECT_TRUE(w->Visible());
    EXPECT_EQ(w->oSysTray().MenuCaption(0), "Show Corvane");
}

TEST_F(SettingsWindowTest, UntickingWhenTheRunValueIsAlreadyGoneIsNoError) {
    auto w = Start();
    test::DeleteRunValue();
    MessageBoxInterceptor boxes;
    ::SendMessageA(ControlById(w->Controls(), IDC_CHK_STARTUP), BM_CLICK, 0, 0);
    EXPECT_FALSE(Checked(*w, IDC_CHK_STARTUP));
    EXPECT_TRUE(boxes.Calls().empty());
    ::SendMessageA(ControlById(w->Controls(), IDC_CHK_STARTUP), BM_CLICK, 0, 0);
    EXPECT_STRCASEEQ(test::RunValueTarget().c_str(), program.c_str());
}

// A folder named like environment variables still gives a plain Run value: expanded at
// logon, it would name another program.
TEST_F(SettingsWindowTest, RunValueIsPlainTextWhateverThePathHolds) {
    for (const char* folder : {"%OS%", "50% of %PATH%"}) {
        SCOPED_TRACE(folder);
        const std::string odd = dir.File(folder) + "\\Corvane.exe";
        test::CreateFolders(dir.File(folder));
        test::WriteWholeFile(odd, "MZ");
        test::DeleteRunValue();
        MainWindow::Options o;
        o.source = &battery;
        o.clock = &clock;
        o.quitWhenDestroyed = false;
        o.programPath = odd;
        MainWindow w(::GetModuleHandleA(nullptr), o);
        ASSERT_TRUE(w.Load());
        ASSERT_TRUE(Checked(w, IDC_CHK_STARTUP));
        DWORD type = 0;
        EXPECT_EQ(::RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Corvane",
                                 RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
        EXPECT_STRCASEEQ(test::RunValueTarget().c_str(), odd.c_str());
    }
}

// A save is whole or nothing: a file another program holds keeps every byte it had.
TEST_F(SettingsWindowTest, AFailedSaveIsReportedAndLeavesTheFileAsItWas) {
    const std::string before = "; mine\r\n[alert]\r\nchrg_start=1\r\n";
    // Held without sharing, nothing can read it; held for reading, it cannot be replaced.
    for (const DWORD share : {DWORD{0}, DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE}}) {
        SCOPED_TRACE(share);
        auto w = Start();
        test::WriteWholeFile(ini, before);
        const HANDLE held = ::CreateFileA(ini.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        const HWND hwnd = w->Hwnd();
        MessageBoxInterceptor boxes;
        ::SendMessageA(hwnd, WM_COMMAND, IDM_QUIT, 0);
        ::CloseHandle(held);
        ASSERT_EQ(boxes.Calls().size(), 1u);
        EXPECT_EQ(boxes.Calls()[0].text,
                  "Error in Saving Application Settings for future use. Please try re-installing Corvane to solve "
                  "this problem.");
        EXPECT_EQ(boxes.Calls()[0].title, "Error in Saving Application Settings ...");
        EXPECT_EQ(boxes.Calls()[0].Icon(), static_cast<UINT>(MB_ICONINFORMATION));
        EXPECT_FALSE(::IsWindow(hwnd));
        EXPECT_EQ(test::ReadWholeFile(ini), before);
        EXPECT_EQ(::GetFileAttributesA((ini + ".new").c_str()), INVALID_FILE_ATTRIBUTES) << "no temporary file left";
    }
}

TEST_F(SettingsWindowTest, CriticalLevelTakesDigitsAndWarnsWhenLeftAboveTheCharge) {
    auto w = Start();
    w->MenuClick(0, "");
    const HWND box = w->Controls().txtChargeAlert;
    ::SetWindowTextA(box, "");
    for (const char c : std::string("9a-x0. ")) {
        ::SendMessageA(box, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 1);
    }
    char text[16] = {};
    ::GetWindowTextA(box, text, sizeof text);
    EXPECT_STREQ(text, "90");
    ::SendMessageA(box, WM_CHAR, VK_BACK, 1);
    ::SendMessageA(box, WM_CHAR, '5', 1);
    ::GetWindowTextA(box, text, sizeof text);
    EXPECT_STREQ(text, "95");
    // A paste brings in only its digits.
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL pasted = ::GlobalAlloc(GMEM_MOVEABLE, 8);
    std::memcpy(::GlobalLock(pasted), "x1 y", 5);
    ::GlobalUnlock(pasted);
    ::SetClipboardData(CF_TEXT, pasted);
    ::CloseClipboard();
    ::SendMessageA(box, EM_SETSEL, 0, -1);
    ::SendMessageA(box, WM_PASTE, 0, 0);
    ::GetWindowTextA(box, text, sizeof text);
    EXPECT_STREQ(text, "1");

    // Leaving it for another control of the window: above the charge (57 %) warns, below not.
    MessageBoxInterceptor boxes;
    for (const char* level : {"95", "10"}) {
        ::SetWindowTextA(box, level);
        ::SetFocus(box);
        ::SetFocus(w->Controls().chkChargeLow);
        test::PumpUntil([] { return false; }, 100);
    }
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text, "Battery power is critical. Please connect your laptop to your charger.");
    EXPECT_EQ(boxes.Calls()[0].title, "Corvane Critical Charge Alert");
    EXPECT_EQ(boxes.Calls()[0].Icon(), static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_EQ(::GetFocus(), w->Controls().chkChargeLow);

    // The reminder's level box takes the same keys; a level outside 50..100 is refused when the
    // box is left, and the last accepted one stays.
    const HWND care = w->Controls().txtCareVal;
    for (const char* typed : {"4x5", "6-5"}) {
        ::SetWindowTextA(care, "");
        for (const char* c = typed; *c; ++c) {
            ::SendMessageA(care, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(*c)), 1);
        }
        ::SetFocus(care);
        ::SetFocus(w->Controls().chkCareOn);
        test::PumpUntil([] { return false; }, 100);
    }
    ASSERT_EQ(boxes.Calls().size(), 2u);
    EXPECT_EQ(boxes.Calls()[1].text,
              "The reminder level must be a whole number from 50 to 100 (percent). An empty box means 80.");
    EXPECT_EQ(boxes.Calls()[1].title, "Corvane :: Battery Care Reminder");
    ::GetWindowTextA(care, text, sizeof text);
    EXPECT_STREQ(text, "65") << "the refused 45 gave way to 80, then 65 was taken";
    EXPECT_EQ(w->Chosen().careLevel, 65);
    EXPECT_EQ(::GetFocus(), w->Controls().chkCareOn);
}

// A settings file from the system's old code page keeps its letters once the program runs in
// the UTF-8 code page, also when the recoded file cannot be stored at start: the values are
// read from the recoded text and the next save stores it. Lines already in UTF-8 stay.
TEST(SettingsFileCodePage, OldCodePageLettersSurviveStartAndSave) {
    corvane::test::TempDir folder;
    const std::string ini = folder.File("AppOpt.ini");
    const std::string old = "[snd]\r\nchrg_start=C:\\caf\xE9.wav\r\nchrg_low=C:\\\xC3\xA9t\xC3\xA9.wav\r\n[mine]\r\nk=\xE9\r\n";
    const std::string recoded =
        "[snd]\r\nchrg_start=C:\\caf\xC3\xA9.wav\r\nchrg_low=C:\\\xC3\xA9t\xC3\xA9.wav\r\n[mine]\r\nk=\xC3\xA9\r\n";
    for (const int block : {0, 1, 2}) { // nothing, the temporary name taken, the file held open
        SCOPED_TRACE(block);
        corvane::test::WriteWholeFile(ini, old);
        ASSERT_TRUE(block != 1 || ::CreateDirectoryA((ini + ".new").c_str(), nullptr));
        const HANDLE held = block != 2 ? INVALID_HANDLE_VALUE
                                       : ::CreateFileA(ini.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                       nullptr, OPEN_EXISTING, 0, nullptr);
        settings::ProfileSettingsFile start(CP_UTF8);
        start.Setup(ini, 5000);
        EXPECT_EQ(start.Read("snd", "chrg_start", ""), "C:\\caf\xC3\xA9.wav");
        EXPECT_EQ(start.Read("snd", "chrg_low", ""), "C:\\\xC3\xA9t\xC3\xA9.wav");
        EXPECT_EQ(corvane::test::ReadWholeFile(ini), block == 2 ? old : recoded);
        if (held != INVALID_HANDLE_VALUE) {
            ::CloseHandle(held);
        }
        settings::ProfileSettingsFile save(CP_UTF8);
        save.Setup(ini, 5000);
        EXPECT_TRUE(save.Commit());
        EXPECT_EQ(corvane::test::ReadWholeFile(ini), recoded);
        ::RemoveDirectoryA((ini + ".new").c_str());
    }
    settings::ProfileSettingsFile file(1252); // in the old code page itself it stays as it is
    corvane::test::WriteWholeFile(ini, old);
    file.Setup(ini, 5000);
    EXPECT_EQ(corvane::test::ReadWholeFile(ini), old);
    // A UTF-16 file stays UTF-16.
    corvane::test::WriteWholeFile(ini, std::string("\xFF\xFE[\0s\0]\0\r\0\n\0", 12));
    settings::ProfileSettingsFile utf16(CP_UTF8);
    utf16.Setup(ini, 5000);
    EXPECT_TRUE(utf16.Write("s", "k", "\xC3\xA9"));
    EXPECT_TRUE(utf16.Commit());
    EXPECT_EQ(corvane::test::ReadWholeFile(ini), std::string("\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0\xE9\0\r\0\n\0", 22));
}

} // namespace
} // namespace corvane::app
