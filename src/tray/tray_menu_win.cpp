#include "tray/tray_menu_win.h"

namespace corvane::tray {

UniqueMenu BuildPopupMenu(const MenuModel& model) {
    UniqueMenu menu(::CreatePopupMenu());
    if (!menu) {
        return menu;
    }
    bool defaultShown = false;
    for (std::int32_t i = 0; i < model.Count(); ++i) {
        const MenuItem& item = model.Items()[static_cast<std::size_t>(i)];
        if (!item.visible) {
            continue;
        }
        if (IsSeparatorCaption(item.caption)) {
            ::AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const UINT flags = MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED);
        ::AppendMenuA(menu.get(), flags, MenuCommandId(i), item.caption.c_str());
        defaultShown = defaultShown || i == model.DefaultMenuIndex();
    }
    if (defaultShown) {
        ::SetMenuDefaultItem(menu.get(), MenuCommandId(model.DefaultMenuIndex()), FALSE);
    }
    return menu;
}

std::optional<MenuChoice> ShowPopupMenu(HWND owner, const MenuModel& model) {
    UniqueMenu menu = BuildPopupMenu(model);
    if (!menu) {
        return std::nullopt;
    }
    POINT at{};
    ::GetCursorPos(&at);
    // Without this the menu of a hidden window stays open when the user clicks elsewhere.
    ::SetForegroundWindow(owner);
    const UINT command = static_cast<UINT>(::TrackPopupMenuEx(
        menu.get(), TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, owner, nullptr));
    // Lets the owner's queue move on, so the next right-click opens the menu again at once.
    ::PostMessageA(owner, WM_NULL, 0, 0);
    if (command == 0) {
        return std::nullopt;
    }
    const auto index = static_cast<std::int32_t>(command - 1);
    if (!model.IsSelectable(index)) {
        return std::nullopt;
    }
    return MenuChoice{index, model.Key(index)};
}

} // namespace corvane::tray
