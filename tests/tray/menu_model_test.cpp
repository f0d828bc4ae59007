#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tray/menu_model.h"

namespace corvane::tray {
namespace {

// The host's seven entries, with keys of their own so that moves are visible.
MenuModel HostMenu() {
    MenuModel menu;
    const char* captions[] = {"Show Corvane", "-", "Help", "Visit website", "About", "-", "Quit"};
    int i = 0;
    for (const char* c : captions) {
        EXPECT_EQ(menu.AddMenuItem(c, "k" + std::to_string(i), false), i);
        ++i;
    }
    return menu;
}

std::vector<std::string> Captions(const MenuModel& m) {
    std::vector<std::string> out;
    for (const MenuItem& item : m.Items()) {
        out.push_back(item.caption);
    }
    return out;
}
std::vector<std::string> Keys(const MenuModel& m) {
    std::vector<std::string> out;
    for (const MenuItem& item : m.Items()) {
        out.push_back(item.key);
    }
    return out;
}

TEST(TrayMenuModel, FirstAddReusesItemZero) {
    MenuModel menu;
    EXPECT_EQ(menu.Count(), 1);
    EXPECT_FALSE(menu.Items()[0].visible);  // the initial item is not shown until taken
    EXPECT_FALSE(menu.IsSelectable(0));
    EXPECT_EQ(menu.AddMenuItem("First", "a", false), 0);
    EXPECT_EQ(menu.Count(), 1);
    EXPECT_TRUE(menu.Items()[0].visible);
    EXPECT_EQ(menu.AddMenuItem("Second", "b", false), 1);
    EXPECT_EQ(menu.Count(), 2);
    EXPECT_EQ(menu.Key(1), "b");
    EXPECT_TRUE(menu.Items()[1].enabled);
}

TEST(TrayMenuModel, RemovingMovesLaterItemsDown) {
    MenuModel menu = HostMenu();
    EXPECT_EQ(menu.RemoveMenuItem(3), 0);
    EXPECT_EQ(Captions(menu), (std::vector<std::string>{"Show Corvane", "-", "Help", "About", "-", "Quit"}));
    EXPECT_EQ(Keys(menu), (std::vector<std::string>{"k0", "k1", "k2", "k4", "k5", "k6"}));

    MenuModel last = HostMenu();
    EXPECT_EQ(last.RemoveMenuItem(6), 0);
    EXPECT_EQ(last.Count(), 6);
    EXPECT_EQ(last.Caption(5), "-");
    EXPECT_EQ(last.Key(5), "k5");
}

TEST(TrayMenuModel, RemovingItemZeroOnlyBlanksIt) {
    MenuModel menu = HostMenu();
    EXPECT_EQ(menu.RemoveMenuItem(0), 0);
    EXPECT_EQ(menu.Count(), 7);
    EXPECT_EQ(menu.Caption(0), "");
    EXPECT_EQ(menu.Key(0), "k0");
    EXPECT_EQ(menu.Caption(6), "Quit");
    EXPECT_EQ(menu.AddMenuItem("Later", "", false), 7);
}

TEST(TrayMenuModel, OutOfRangeIndicesAreIgnored) {
    MenuModel menu = HostMenu();
    for (std::int32_t bad : {-1, 7, 99}) {
        EXPECT_FALSE(menu.IsValidMenuIndex(bad));
        EXPECT_EQ(menu.RemoveMenuItem(bad), 0);
        menu.EnableMenuItem(bad, false);
        menu.SetCaption(bad, "x");
        EXPECT_EQ(menu.Caption(bad), "");
    }
    EXPECT_TRUE(menu.IsValidMenuIndex(0));
    EXPECT_TRUE(menu.IsValidMenuIndex(6));
    EXPECT_EQ(menu.Count(), 7);
    for (std::int32_t i = 0; i < 7; ++i) {
        EXPECT_TRUE(menu.Items()[static_cast<std::size_t>(i)].enabled);
    }
}

TEST(TrayMenuModel, DefaultIndex) {
    MenuModel menu = HostMenu();
    EXPECT_EQ(menu.DefaultMenuIndex(), 0);
    menu.SetDefaultMenuIndex(4);
    EXPECT_EQ(menu.DefaultMenuIndex(), 4);
    menu.SetDefaultMenuIndex(99);
    EXPECT_EQ(menu.DefaultMenuIndex(), 0);
    menu.SetDefaultMenuIndex(-3);
    EXPECT_EQ(menu.DefaultMenuIndex(), 0);
    EXPECT_EQ(menu.AddMenuItem("Bold", "", true), 7);
    EXPECT_EQ(menu.DefaultMenuIndex(), 7);
    // Removing does not move the default along.
    menu.RemoveMenuItem(2);
    EXPECT_EQ(menu.DefaultMenuIndex(), 7);
    EXPECT_FALSE(menu.IsValidMenuIndex(7));
}

TEST(TrayMenuModel, WhatCanBeChosen) {
    MenuModel menu = HostMenu();
    EXPECT_TRUE(menu.IsSelectable(0));
    EXPECT_FALSE(menu.IsSelectable(1));  // separator
    EXPECT_FALSE(menu.IsSelectable(5));
    menu.EnableMenuItem(2, false);
    EXPECT_FALSE(menu.IsSelectable(2));
    menu.EnableMenuItem(2, true);
    EXPECT_TRUE(menu.IsSelectable(2));
    // A disabled item keeps its state when the items before it move down.
    menu.EnableMenuItem(4, false);
    menu.RemoveMenuItem(3);
    EXPECT_EQ(menu.Caption(3), "About");
    EXPECT_FALSE(menu.IsSelectable(3));
    EXPECT_TRUE(menu.IsSelectable(4) == false && menu.IsSelectable(5));
    menu.SetCaption(0, "Hide Corvane");
    EXPECT_EQ(menu.Caption(0), "Hide Corvane");
}

} // namespace
} // namespace corvane::tray
