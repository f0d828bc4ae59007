#pragma once
// The tray menu's items and their index rules, apart from the platform's menus: the tray
// window fills the popup from this each time it is shown.
//
// Indices start at 0 and follow the order of adding. Item 0 exists from the start, empty and
// hidden; the first AddMenuItem takes it over and each later one appends. Removing an item
// moves the later ones down; item 0 is only ever blanked.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::tray {

struct MenuItem {
    std::string caption;
    std::string key;  // given back with the item's index when it is chosen
    bool enabled = true;
    bool visible = false;
};

// A "-" caption draws a separator line, which cannot be chosen.
inline bool IsSeparatorCaption(std::string_view caption) {
    return caption == "-";
}

class MenuModel {
public:
    MenuModel();

    // Returns the new item's index; with isDefault it also becomes the default (bold) item.
    std::int32_t AddMenuItem(std::string_view caption, std::string_view key, bool isDefault);
    // Always returns 0; an index outside the items is ignored.
    std::int32_t RemoveMenuItem(std::int32_t index);
    void EnableMenuItem(std::int32_t index, bool state);

    std::int32_t DefaultMenuIndex() const noexcept { return defaultIndex_; }
    // An index outside the items sets the default to 0.
    void SetDefaultMenuIndex(std::int32_t index);

    bool IsValidMenuIndex(std::int32_t index) const noexcept;
    // Whether choosing the item is possible: it exists, is shown, enabled, and no separator.
    bool IsSelectable(std::int32_t index) const noexcept;

    std::int32_t Count() const noexcept { return static_cast<std::int32_t>(items_.size()); }
    const std::vector<MenuItem>& Items() const noexcept { return items_; }
    // Empty for an index outside the items; setting one outside them does nothing.
    std::string Caption(std::int32_t index) const;
    void SetCaption(std::int32_t index, std::string_view caption);
    std::string Key(std::int32_t index) const;

private:
    std::vector<MenuItem> items_;
    bool firstItemLoaded_ = false;
    std::int32_t defaultIndex_ = 0;
};

} // namespace corvane::tray
