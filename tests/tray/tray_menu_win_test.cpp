#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/popup_driver_win.h"
#include "tray/tray_menu_win.h"

namespace corvane::tray {
namespace {

using corvane::test::PopupDriver;
using corvane::test::PressKeys;

// A hidden top-level window, as the tray window is.
UniqueWindow MakeOwner() {
    return UniqueWindow(::CreateWindowExA(0, "STATIC", "tray owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                          ::GetModuleHandleA(nullptr), nullptr));
}

void AddHostItems(MenuModel& model) {
    model.AddMenuItem("Show Corvane", "", false);
    model.AddMenuItem("-", "", false);
    model.AddMenuItem("Help", "", false);
    model.AddMenuItem("Visit website", "abc", false);
    model.AddMenuItem("About", "", false);
    model.AddMenuItem("-", "", false);
    model.AddMenuItem("Quit", "", false);
}

std::string ItemText(HMENU menu, UINT position) {
    char text[64] = {};
    ::GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

TEST(TrayPopup, BuiltFromTheItems) {
    MenuModel model;
    AddHostItems(model);
    model.SetCaption(0, "Hide Corvane");
    model.EnableMenuItem(4, false);
    UniqueMenu menu = BuildPopupMenu(model);
    ASSERT_TRUE(menu);
    ASSERT_EQ(::GetMenuItemCount(menu.get()), 7);
    EXPECT_EQ(ItemText(menu.get(), 0), "Hide Corvane");
    EXPECT_EQ(ItemText(menu.get(), 3), "Visit website");
    EXPECT_EQ(::GetMenuItemID(menu.get(), 3), MenuCommandId(3));
    for (UINT separator : {1u, 5u}) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        ASSERT_TRUE(::GetMenuItemInfoA(menu.get(), separator, TRUE, &info));
        EXPECT_TRUE(info.fType & MFT_SEPARATOR) << separator;
    }
    EXPECT_EQ(::GetMenuDefaultItem(menu.get(), FALSE, 0), MenuCommandId(0));
    EXPECT_TRUE(::GetMenuState(menu.get(), 4, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_FALSE(::GetMenuState(menu.get(), 3, MF_BYPOSITION) & MF_GRAYED);

    // A default on a later item moves the bold there; one naming no item shows none.
    model.SetDefaultMenuIndex(6);
    EXPECT_EQ(::GetMenuDefaultItem(BuildPopupMenu(model).get(), FALSE, 0), MenuCommandId(6));
    model.AddMenuItem("Extra", "", true);
    model.RemoveMenuItem(7);
    EXPECT_EQ(::GetMenuDefaultItem(BuildPopupMenu(model).get(), FALSE, 0), static_cast<UINT>(-1));

    // The untouched initial item is not shown at all.
    EXPECT_EQ(::GetMenuItemCount(BuildPopupMenu(MenuModel()).get()), 0);
}

TEST(TrayPopup, ChoosingAnItemGivesItsIndexAndKey) {
    UniqueWindow owner = MakeOwner();
    ASSERT_TRUE(owner);
    TrayMenu tray(owner.get());
    AddHostItems(tray.Model());
    UniqueWindow other(::CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                         nullptr, ::GetModuleHandleA(nullptr), nullptr));
    ::SetForegroundWindow(other.get());
    ASSERT_EQ(::GetForegroundWindow(), other.get());
    // Down three times: items 0, 2 (the separator is skipped), 3.
    PopupDriver driver([](HWND menu) { PressKeys(menu, {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}); });
    std::optional<MenuChoice> choice = tray.ShowMenu();
    EXPECT_TRUE(driver.Acted());
    EXPECT_FALSE(driver.WatchdogFired());
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->index, 3);
    EXPECT_EQ(choice->key, "abc");
    // The owner was brought forward for the menu and is nudged on afterwards.
    EXPECT_EQ(::GetForegroundWindow(), owner.get());
    MSG nudge{};
    EXPECT_TRUE(::PeekMessageA(&nudge, owner.get(), WM_NULL, WM_NULL, PM_REMOVE));
}

TEST(TrayPopup, EscapeAndClickElsewhereChooseNothing) {
    UniqueWindow owner = MakeOwner();
    TrayMenu tray(owner.get());
    AddHostItems(tray.Model());
    {
        PopupDriver driver([](HWND menu) { PressKeys(menu, {VK_DOWN, VK_ESCAPE}); });
        EXPECT_FALSE(tray.ShowMenu().has_value());
        EXPECT_TRUE(driver.Acted());
        EXPECT_FALSE(driver.WatchdogFired());
    }
    {
        // A real click far from the menu, through the input queue.
        PopupDriver driver([](HWND menu) {
            RECT r{};
            ::GetWindowRect(menu, &r);
            POINT away{r.right + 200, r.bottom + 200};
            if (away.x > 1200) {
                away.x = r.left - 200;
            }
            ::SetCursorPos(away.x, away.y);
            INPUT clicks[2] = {};
            clicks[0].type = clicks[1].type = INPUT_MOUSE;
            clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
            clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
            ::SendInput(2, clicks, sizeof(INPUT));
        });
        EXPECT_FALSE(tray.ShowMenu().has_value());
        EXPECT_TRUE(driver.Acted());
        EXPECT_FALSE(driver.WatchdogFired());
    }
}

TEST(TrayPopup, DisabledItemCannotBeChosen) {
    UniqueWindow owner = MakeOwner();
    TrayMenu tray(owner.get());
    AddHostItems(tray.Model());
    tray.Model().EnableMenuItem(0, false);
    PopupDriver driver([](HWND menu) { PressKeys(menu, {VK_DOWN, VK_RETURN}); });
    std::optional<MenuChoice> choice = tray.ShowMenu();
    EXPECT_TRUE(driver.Acted());
    // The first Down highlights the grey item; Return on it closes the menu choosing nothing.
    EXPECT_FALSE(choice.has_value());
    EXPECT_FALSE(driver.WatchdogFired());
}

} // namespace
} // namespace corvane::tray
