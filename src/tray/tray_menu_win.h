#pragma once
// The tray menu as the user sees it: a popup built from the menu's items each time it opens,
// shown at the mouse for the tray window, and closed again before ShowMenu returns.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "base/handles_win.h"
#include "tray/menu_model.h"

namespace corvane::tray {

struct MenuChoice {
    std::int32_t index = 0;
    std::string key;
};

// Command id of item i in a built popup; 0 stays free for "nothing chosen".
constexpr UINT MenuCommandId(std::int32_t index) {
    return static_cast<UINT>(index) + 1;
}

// The shown items in index order: "-" as separator lines, disabled items greyed, the default
// item bold (none when the default names no shown item).
UniqueMenu BuildPopupMenu(const MenuModel& model);

// Makes `owner` the foreground window (so a click elsewhere closes the menu), shows the popup
// at the mouse position and returns when it has closed: the chosen item, or nothing when the
// user closed it without choosing.
std::optional<MenuChoice> ShowPopupMenu(HWND owner, const MenuModel& model);

class TrayMenu {
public:
    explicit TrayMenu(HWND owner = nullptr) noexcept : owner_(owner) {}

    void SetOwner(HWND owner) noexcept { owner_ = owner; }
    MenuModel& Model() noexcept { return model_; }
    const MenuModel& Model() const noexcept { return model_; }

    // Modal; the caller raises MenuClick with the result before it returns itself.
    std::optional<MenuChoice> ShowMenu() const { return ShowPopupMenu(owner_, model_); }

private:
    HWND owner_;
    MenuModel model_;
};

} // namespace corvane::tray
