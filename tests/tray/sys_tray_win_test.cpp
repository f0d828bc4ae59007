#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "support/dialog_driver_win.h"
#include "support/object_count_win.h"
#include "support/popup_driver_win.h"
#include "tray/sys_tray_win.h"

namespace corvane::tray {
namespace {

// Asks the shell itself whether it holds an icon: modifying nothing succeeds only then.
bool ShellHasIcon(HWND hwnd, UINT id) {
    NOTIFYICONDATAW d{};
    d.cbSize = sizeof d;
    d.hWnd = hwnd;
    d.uID = id;
    return ::Shell_NotifyIconW(NIM_MODIFY, &d) != FALSE;
}

UINT IconId(const SysTrayWindow& tray) {
    return static_cast<UINT>(reinterpret_cast<std::uintptr_t>(tray.OwnIcon()));
}

class Recorder : public SysTrayEvents {
public:
    void SysTrayMouseDown(std::int32_t b) override { seen.push_back("down " + std::to_string(b)); }
    void SysTrayMouseUp(std::int32_t b) override { seen.push_back("up " + std::to_string(b)); }
    void SysTrayMouseMove() override { seen.push_back("move"); }
    void SysTrayDoubleClick(std::int32_t b) override { seen.push_back("double " + std::to_string(b)); }
    void BalloonShow() override { seen.push_back("balloon show"); }
    void BalloonHide() override { seen.push_back("balloon hide"); }
    void BalloonTimeOut() override { seen.push_back("balloon timeout"); }
    void BalloonClicked() override { seen.push_back("balloon clicked"); }
    std::vector<std::string> seen;
};

void Pump() {
    corvane::test::PumpUntil([] { return false; }, 100);
}

TEST(SysTrayWindow, CoreLayoutIsThePlatformsRecord) {
    const NotifyLayout w = LayoutFor(true, sizeof(void*));
    EXPECT_EQ(w.hWnd, offsetof(NOTIFYICONDATAW, hWnd));
    EXPECT_EQ(w.uID, offsetof(NOTIFYICONDATAW, uID));
    EXPECT_EQ(w.uFlags, offsetof(NOTIFYICONDATAW, uFlags));
    EXPECT_EQ(w.uCallbackMessage, offsetof(NOTIFYICONDATAW, uCallbackMessage));
    EXPECT_EQ(w.hIcon, offsetof(NOTIFYICONDATAW, hIcon));
    EXPECT_EQ(w.szTip, offsetof(NOTIFYICONDATAW, szTip));
    EXPECT_EQ(w.dwState, offsetof(NOTIFYICONDATAW, dwState));
    EXPECT_EQ(w.szInfo, offsetof(NOTIFYICONDATAW, szInfo));
    EXPECT_EQ(w.uTimeout, offsetof(NOTIFYICONDATAW, uTimeout));
    EXPECT_EQ(w.szInfoTitle, offsetof(NOTIFYICONDATAW, szInfoTitle));
    EXPECT_EQ(w.dwInfoFlags, offsetof(NOTIFYICONDATAW, dwInfoFlags));
    EXPECT_EQ(w.fullSize, offsetof(NOTIFYICONDATAW, guidItem));
    EXPECT_EQ(w.earliestSize, static_cast<std::uint32_t>(NOTIFYICONDATAW_V1_SIZE));
    const NotifyLayout a = LayoutFor(false, sizeof(void*));
    EXPECT_EQ(a.szInfo, offsetof(NOTIFYICONDATAA, szInfo));
    EXPECT_EQ(a.dwInfoFlags, offsetof(NOTIFYICONDATAA, dwInfoFlags));
    EXPECT_EQ(a.fullSize, offsetof(NOTIFYICONDATAA, guidItem));
    EXPECT_EQ(a.earliestSize, static_cast<std::uint32_t>(NOTIFYICONDATAA_V1_SIZE));
}

TEST(SysTrayWindow, LoadAddsTheIconAndUnloadRemovesIt) {
    SysTrayWindow tray;
    ASSERT_TRUE(tray.Load("Corvane"));
    ASSERT_NE(tray.OwnIcon(), nullptr); // the icon's id with the shell
    char caption[64] = {};
    ::GetWindowTextA(tray.Hwnd(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Sys Tray Interface");
    EXPECT_FALSE(::IsWindowVisible(tray.Hwnd()));
    EXPECT_TRUE(tray.Record().Unicode());
    EXPECT_TRUE(tray.Record().BalloonTips());
    EXPECT_EQ(tray.ToolTip(), "Corvane");
    EXPECT_TRUE(ShellHasIcon(tray.Hwnd(), IconId(tray)));

    // Tooltip, picture and balloon requests reach the shell without disturbing the icon.
    tray.SetToolTip("Charge: 57% ; Time: 1 Hour(s), 5 Minutes, 3 Seconds.");
    EXPECT_EQ(tray.ToolTip(), "Charge: 57% ; Time: 1 Hour(s), 5 Minutes, 3 Seconds.");
    HICON other = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32516)); // IDI_INFORMATION
    tray.SetIconHandle(other);
    EXPECT_EQ(tray.IconHandle(), other);
    tray.ShowBalloonTip("Double Click to show Corvane, or Right Click to see menu options.", "Corvane", 1, 2);
    EXPECT_TRUE(ShellHasIcon(tray.Hwnd(), IconId(tray)));

    const HWND hwnd = tray.Hwnd();
    const UINT id = IconId(tray);
    tray.Unload();
    EXPECT_FALSE(ShellHasIcon(hwnd, id));
    EXPECT_FALSE(::IsWindow(hwnd));
    tray.Unload(); // twice is harmless
}

TEST(SysTrayWindow, CallbackMessagesRaiseTheirEvents) {
    Recorder events;
    SysTrayWindow tray(&events);
    ASSERT_TRUE(tray.Load("Corvane"));
    const WPARAM id = IconId(tray);
    for (int code : {0x200, 0x201, 0x202, 0x203, 0x202, 0x204, 0x205, 0x206, 0x207, 0x208, 0x400, 0x402, 0x403,
                     0x404, 0x405, 0x7B}) {
        ::PostMessageA(tray.Hwnd(), WM_MOUSEMOVE, id, MAKELPARAM(code, 0));
    }
    Pump();
    EXPECT_EQ(events.seen, (std::vector<std::string>{"move", "down 1", "double 1", "down 1", "down 2", "up 2",
                                                     "double 2", "balloon show", "balloon hide", "balloon timeout",
                                                     "balloon clicked"}));
}

TEST(SysTrayWindow, ShellRestartBroadcastPutsTheIconBack) {
    SysTrayWindow tray;
    ASSERT_TRUE(tray.Load("Corvane"));
    tray.SetToolTip("Charge: 80%");
    // The restarted shell has forgotten the icon.
    NOTIFYICONDATAW gone{};
    gone.cbSize = sizeof gone;
    gone.hWnd = tray.Hwnd();
    gone.uID = IconId(tray);
    ASSERT_TRUE(::Shell_NotifyIconW(NIM_DELETE, &gone));
    ASSERT_FALSE(ShellHasIcon(tray.Hwnd(), IconId(tray)));

    const UINT taskbarCreated = ::RegisterWindowMessageA("TaskbarCreated");
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    Pump();
    EXPECT_TRUE(ShellHasIcon(tray.Hwnd(), IconId(tray)));
    EXPECT_EQ(tray.ToolTip(), "Charge: 80%");
}

// The notification area of a shell that is still starting: it refuses the first icons.
class StartingShell : public NotifyShell {
public:
    bool Notify(bool, std::uint32_t message, std::span<const std::uint8_t> record) override {
        requests.push_back(message);
        if (message == kNimAdd && refusals > 0) {
            --refusals;
            return false;
        }
        NOTIFYICONDATAW data{};
        std::memcpy(&data, record.data(), std::min(record.size(), sizeof data));
        return ::Shell_NotifyIconW(message, &data) != FALSE;
    }
    int refusals = 2;
    std::vector<std::uint32_t> requests;
};

TEST(SysTrayWindow, RefusedIconIsOfferedAgainUntilTheShellTakesIt) {
    StartingShell shell;
    SysTrayWindow tray(nullptr, {}, &shell);
    ASSERT_TRUE(tray.Load("Corvane"));
    tray.SetToolTip("Charge: 57%");
    EXPECT_FALSE(ShellHasIcon(tray.Hwnd(), IconId(tray)));
    EXPECT_EQ(shell.requests, (std::vector<std::uint32_t>{kNimAdd, kNimModify}));
    ASSERT_TRUE(corvane::test::PumpUntil([&] { return ShellHasIcon(tray.Hwnd(), IconId(tray)); },
                                         3 * SysTrayWindow::kAddRetryMs));
    EXPECT_EQ(shell.refusals, 0);
    EXPECT_EQ(shell.requests.back(), kNimSetVersion);
    EXPECT_EQ(tray.ToolTip(), "Charge: 57%");
    // Taken: no more offers.
    EXPECT_FALSE(::KillTimer(tray.Hwnd(), SysTrayWindow::kAddRetryTimer));
}

TEST(SysTrayWindow, OlderShellsGetTheAnsiRecord) {
    SysTrayWindow me(nullptr, 0xC0005A04u); // Windows Me: ANSI with balloons
    ASSERT_TRUE(me.Load("Corvane"));
    EXPECT_FALSE(me.Record().Unicode());
    EXPECT_TRUE(me.Record().BalloonTips());
    EXPECT_TRUE(ShellHasIcon(me.Hwnd(), IconId(me)));
    me.SetToolTip("Charge: 12%");
    EXPECT_EQ(me.ToolTip(), "Charge: 12%");
    me.Unload();

    SysTrayWindow nt4(nullptr, 0x05650004u); // NT 4: wide, no balloons, 63-character tips
    ASSERT_TRUE(nt4.Load("Corvane"));
    EXPECT_TRUE(ShellHasIcon(nt4.Hwnd(), IconId(nt4)));
    nt4.SetToolTip(std::string(100, 'x'));
    EXPECT_EQ(nt4.ToolTip(), std::string(63, 'x'));
}

// A host as the main window is: the right button opens the menu, choices are recorded.
class MenuHost : public SysTrayEvents {
public:
    explicit MenuHost(SysTrayWindow*& tray) : tray_(tray) {}
    void SysTrayMouseDown(std::int32_t eButton) override {
        if (eButton == 2) {
            ++opened;
            tray_->ShowMenu();
            ++closed;
        }
    }
    void MenuClick(std::int32_t lIndex, const std::string& sKey) override {
        clicks.push_back(std::to_string(lIndex) + " " + sKey);
    }
    int opened = 0;
    int closed = 0;
    std::vector<std::string> clicks;

private:
    SysTrayWindow*& tray_;
};

void AddHostItems(SysTrayWindow& tray) {
    for (const char* caption : {"Show Corvane", "-", "Help", "Visit website", "About", "-", "Quit"}) {
        tray.AddMenuItem(caption, std::string(caption) == "Visit website" ? "abc" : "", false);
    }
}

// The shell's report of a right-button press on the icon.
void PressRightButtonOnIcon(const SysTrayWindow& tray) {
    ::PostMessageA(tray.Hwnd(), WM_MOUSEMOVE, IconId(tray), MAKELPARAM(0x204, 0));
}

class TrayMenuThroughTheWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tray.Load("Corvane"));
        AddHostItems(tray);
    }
    bool OpenAndAct(const test::PopupDriver::Action& action) {
        test::PopupDriver driver(action);
        const int before = host.closed;
        PressRightButtonOnIcon(tray);
        test::PumpUntil([&] { return host.closed > before; }, 5000);
        return driver.Acted() && !driver.WatchdogFired() && host.closed > before;
    }

    SysTrayWindow* self = &tray;
    MenuHost host{self};
    SysTrayWindow tray{&host};
};

TEST_F(TrayMenuThroughTheWindow, RightButtonOpensTheMenuAndAChoiceRaisesMenuClick) {
    EXPECT_EQ(tray.DefaultMenuIndex(), 0);
    EXPECT_EQ(tray.MenuCaption(3), "Visit website");
    // Down three times: items 0, 2 (the separator is skipped), 3.
    ASSERT_TRUE(OpenAndAct([](HWND menu) { test::PressKeys(menu, {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}); }));
    EXPECT_EQ(host.clicks, (std::vector<std::string>{"3 abc"}));
    // The menu belongs to the tray window, which came forward for it.
    EXPECT_EQ(::GetForegroundWindow(), tray.Hwnd());

    // The host's caption change shows the next time; the first item is chosen with an empty key.
    tray.SetMenuCaption(0, "Hide Corvane");
    std::string shownFirst;
    ASSERT_TRUE(OpenAndAct([&](HWND menu) {
        char text[64] = {};
        HMENU popup = reinterpret_cast<HMENU>(::SendMessageA(menu, MN_GETHMENU, 0, 0));
        ::GetMenuStringA(popup, 0, text, sizeof text, MF_BYPOSITION);
        shownFirst = text;
        test::PressKeys(menu, {VK_DOWN, VK_RETURN});
    }));
    EXPECT_EQ(shownFirst, "Hide Corvane");
    EXPECT_EQ(host.clicks, (std::vector<std::string>{"3 abc", "0 "}));

    // Closed without a choice: no event.
    ASSERT_TRUE(OpenAndAct([](HWND menu) { test::PressKeys(menu, {VK_DOWN, VK_ESCAPE, VK_ESCAPE}); }));
    EXPECT_EQ(host.clicks.size(), 2u);
}

TEST_F(TrayMenuThroughTheWindow, UnloadedWindowShowsNoMenu) {
    tray.Unload();
    tray.ShowMenu();  // returns at once: nothing to own the menu
    EXPECT_TRUE(host.clicks.empty());
    EXPECT_EQ(tray.MenuCaption(6), "Quit");  // the items outlive the window
}

TEST_F(TrayMenuThroughTheWindow, NoObjectsLeftAfterAHundredOpenings) {
    auto openAndClose = [this] { return OpenAndAct([](HWND menu) { test::PressKeys(menu, {VK_ESCAPE}); }); };
    ASSERT_TRUE(openAndClose());  // whatever the system makes once for its first menu
    const int gdiBefore = test::CountGdiObjects();
    const int userBefore = test::CountMenusAndWindows();
    int opened = 0;
    for (int i = 0; i < 100; ++i) {
        opened += openAndClose() ? 1 : 0;
    }
    const int gdiAfter = test::CountGdiObjects();
    const int userAfter = test::CountMenusAndWindows();
    EXPECT_EQ(opened, 100);
    EXPECT_EQ(host.opened, 101);
    EXPECT_TRUE(host.clicks.empty());
    EXPECT_EQ(gdiAfter, gdiBefore);
    EXPECT_EQ(userAfter, userBefore);
    std::printf("100 tray menus: GDI objects %d -> %d, menus and windows %d -> %d\n", gdiBefore, gdiAfter,
                userBefore, userAfter);
}

} // namespace
} // namespace corvane::tray
