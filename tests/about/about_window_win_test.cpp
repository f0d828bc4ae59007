#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "about/about_layout.h"
#include "about/about_window_win.h"
#include "about/banner_win.h"
#include "support/dialog_driver_win.h"
#include "support/object_count_win.h"
#include "support/popup_driver_win.h"

namespace corvane::about {
namespace {

std::string Text(HWND hwnd) {
    char buf[256] = {};
    ::GetWindowTextA(hwnd, buf, sizeof buf);
    return buf;
}

Rect PlacedIn(HWND parent, HWND child) {
    RECT rc{};
    ::GetWindowRect(child, &rc);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
    return Rect{rc.left, rc.top, rc.right, rc.bottom};
}

LOGFONTA FontOf(HWND control) {
    LOGFONTA lf{};
    ::GetObjectA(reinterpret_cast<HGDIOBJ>(::SendMessageA(control, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    return lf;
}

int TextWidth(HWND control) {
    WindowDc dc(control);
    SelectGuard keep(dc.get(), reinterpret_cast<HGDIOBJ>(::SendMessageA(control, WM_GETFONT, 0, 0)));
    const std::string text = Text(control);
    SIZE size{};
    ::GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// The weight of the font the system really chose for the control's text.
LONG RealizedWeight(HWND control) {
    WindowDc dc(control);
    SelectGuard keep(dc.get(), reinterpret_cast<HGDIOBJ>(::SendMessageA(control, WM_GETFONT, 0, 0)));
    TEXTMETRICA tm{};
    ::GetTextMetricsA(dc.get(), &tm);
    return tm.tmWeight;
}

AboutWindow::Options At(int dpi) {
    AboutWindow::Options o;
    o.dpi = dpi;
    o.versionOf = corvane::test::HostPathToWindows(CORVANE_EXE); // the program's own version resource
    return o;
}

// Opens the window modally, hands it to `look` once it runs, and closes it with `key`
// pressed on whatever has the focus; true when ShowModal returned after that.
bool ShowAndClose(AboutWindow& frmAbout, const std::function<void(HWND)>& look, WPARAM key) {
    bool acted = false;
    corvane::test::DialogDriver driver(
        [&](HWND w) {
            acted = true;
            look(w);
            corvane::test::PressKeys(::GetFocus(), {key});
        },
        3000, AboutWindow::kClassName);
    frmAbout.ShowModal(nullptr);
    return acted && !driver.WatchdogFired() && frmAbout.Hwnd() == nullptr;
}

TEST(AboutWindow, TextsFontsAndPlacesAtTwoDensities) {
    for (int dpi : {96, 144}) {
        SCOPED_TRACE(dpi);
        AboutWindow frmAbout(::GetModuleHandleA(nullptr), At(dpi));
        const bool closed = ShowAndClose(
            frmAbout,
            [&](HWND w) {
                EXPECT_EQ(Text(w), "About Corvane");
                const auto style = static_cast<DWORD>(::GetWindowLongPtrA(w, GWL_STYLE));
                EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u);
                EXPECT_NE(::GetWindowLongPtrA(w, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME, 0);
                EXPECT_EQ(::GetWindow(w, GW_OWNER), nullptr);
                RECT client{};
                ::GetClientRect(w, &client);
                EXPECT_EQ(client.right, TwipsToPixels(kClientWidthTwips, dpi));
                EXPECT_EQ(client.bottom, TwipsToPixels(kClientHeightTwips, dpi));

                const struct {
                    int id;
                    Rect place;
                    const char* text;
                    const char* face;
                    int weight;
                } controls[] = {
                    {kIdLabel1, kLabel1, "Corvane", "Tahoma", FW_BOLD},
                    {kIdLblVersion, kLblVersion, "Version 1.3.3", "Tahoma", FW_BOLD},
                    {kIdLabel3, kLabel3, "For more details, visit : https://corvane.github.io/", "Tahoma", FW_BOLD},
                    {kIdCmdOk, kCmdOk, "OK", "Verdana", FW_NORMAL},
                };
                for (const auto& c : controls) {
                    HWND control = ::GetDlgItem(w, c.id);
                    EXPECT_EQ(Text(control), c.text);
                    EXPECT_EQ(PlacedIn(w, control), ToPixels(c.place, dpi)) << c.text;
                    const LOGFONTA lf = FontOf(control);
                    EXPECT_STREQ(lf.lfFaceName, c.face);
                    EXPECT_EQ(lf.lfHeight, FontHeight(kFontHundredthsOfPoint, dpi));
                    EXPECT_EQ(lf.lfWeight, c.weight);
                    EXPECT_EQ(RealizedWeight(control), c.weight) << c.text;
                    EXPECT_LE(TextWidth(control), ToPixels(c.place, dpi).Width()) << c.text << " is cut";
                }
                HWND picture = ::GetDlgItem(w, kIdPicture1);
                EXPECT_EQ(PlacedIn(w, picture), ToPixels(kPicture1, dpi));
                ASSERT_NE(Banner::FromHwnd(picture), nullptr);
                EXPECT_TRUE(Banner::FromHwnd(picture)->HasPicture());
                EXPECT_EQ(Banner::FromHwnd(picture)->Dpi(), dpi);
                EXPECT_EQ(::GetFocus(), ::GetDlgItem(w, kIdCmdOk));
                EXPECT_NE(::GetWindowLongPtrA(::GetDlgItem(w, kIdCmdOk), GWL_STYLE) & BS_DEFPUSHBUTTON, 0);

                // The grey line across, between the address and the button.
                WindowDc dc(w);
                const int y = TwipsToPixels(kLine1Y, dpi);
                EXPECT_EQ(::GetPixel(dc.get(), TwipsToPixels(2000, dpi), y), RGB(0x80, 0x80, 0x80));
                EXPECT_NE(::GetPixel(dc.get(), TwipsToPixels(2000, dpi), y - 3), RGB(0x80, 0x80, 0x80));
            },
            VK_RETURN);
        EXPECT_TRUE(closed);
    }
}

TEST(AboutWindow, EnterEscapeAndTheCloseBoxCloseItLeavingNothingBehind) {
    const auto showAndCloseEachWay = [] {
        for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
            AboutWindow frmAbout(::GetModuleHandleA(nullptr), At(96));
            // Focus away from the button: the keys act anywhere in the window.
            EXPECT_TRUE(ShowAndClose(
                frmAbout, [](HWND w) { ::SetFocus(w); }, key))
                << key;
        }
        AboutWindow frmAbout(::GetModuleHandleA(nullptr), At(96));
        corvane::test::DialogDriver driver([](HWND w) { ::PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0); }, 3000,
                                           AboutWindow::kClassName);
        frmAbout.ShowModal(nullptr);
        EXPECT_FALSE(driver.WatchdogFired());
        EXPECT_EQ(frmAbout.Hwnd(), nullptr);
    };
    // The first round fills the system's own caches; what it leaves is counted after it.
    showAndCloseEachWay();
    const int gdi = corvane::test::CountGdiObjects();
    const int user = corvane::test::CountMenusAndWindows();
    showAndCloseEachWay();
    // Fonts, the banner's picture and the windows go with each showing.
    EXPECT_EQ(corvane::test::CountGdiObjects(), gdi);
    EXPECT_EQ(corvane::test::CountMenusAndWindows(), user);
}

// Moved to a screen of another density, the window lays itself out again for it.
TEST(AboutWindow, FollowsADpiChange) {
    AboutWindow frmAbout(::GetModuleHandleA(nullptr), At(96));
    EXPECT_TRUE(ShowAndClose(
        frmAbout,
        [](HWND w) {
            RECT suggested{10, 20, 900, 700};
            ::SendMessageA(w, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
            HWND version = ::GetDlgItem(w, kIdLblVersion);
            EXPECT_EQ(PlacedIn(w, version), ToPixels(kLblVersion, 144));
            EXPECT_EQ(FontOf(version).lfHeight, FontHeight(kFontHundredthsOfPoint, 144));
            EXPECT_EQ(Banner::FromHwnd(::GetDlgItem(w, kIdPicture1))->Dpi(), 144);
            RECT client{};
            ::GetClientRect(w, &client);
            EXPECT_EQ(client.right, TwipsToPixels(kClientWidthTwips, 144));
            RECT placed{};
            ::GetWindowRect(w, &placed);
            EXPECT_EQ(placed.left, 10);
            EXPECT_EQ(placed.top, 20);
        },
        VK_ESCAPE));
}

TEST(AboutWindow, BlocksTheGivenWindowWhileOpenAndPassesOnAQuit) {
    HWND other = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    AboutWindow frmAbout(::GetModuleHandleA(nullptr), At(96));
    bool disabledWhileOpen = false;
    corvane::test::DialogDriver driver(
        [&](HWND) {
            disabledWhileOpen = !::IsWindowEnabled(other);
            ::PostQuitMessage(3); // the program ends while the window is open
        },
        3000, AboutWindow::kClassName);
    frmAbout.ShowModal(other);
    EXPECT_TRUE(disabledWhileOpen);
    EXPECT_TRUE(::IsWindowEnabled(other));
    EXPECT_EQ(frmAbout.Hwnd(), nullptr);
    // The quit reaches the caller's loop.
    MSG m{};
    EXPECT_TRUE(::PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(m.wParam, 3u);
    ::DestroyWindow(other);
}

// The main window's banner is made at start and seldom seen: its pixels come at first paint.
TEST(Banner, HoldsNoPictureUntilItIsFirstDrawn) {
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    ASSERT_TRUE(Banner::Register(instance));
    HWND host = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 100, nullptr, nullptr, nullptr, nullptr);
    UniqueMemDc dc(::CreateCompatibleDC(nullptr));
    const int before = corvane::test::CountGdiObjects();
    HWND banner = ::CreateWindowExA(0, Banner::kClassName, "", WS_CHILD, 0, 0, kBannerWidth, kBannerHeight, host,
                                    nullptr, instance, nullptr);
    ASSERT_NE(banner, nullptr);
    EXPECT_EQ(corvane::test::CountGdiObjects(), before);
    ::SendMessageA(banner, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
    EXPECT_EQ(corvane::test::CountGdiObjects(), before + 1);
    EXPECT_TRUE(Banner::FromHwnd(banner)->HasPicture());
    ::DestroyWindow(host);
    EXPECT_EQ(corvane::test::CountGdiObjects(), before);
}

} // namespace
} // namespace corvane::about
