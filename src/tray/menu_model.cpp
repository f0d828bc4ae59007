#include "tray/menu_model.h"

namespace corvane::tray {

MenuModel::MenuModel() : items_(1) {}

std::int32_t MenuModel::AddMenuItem(std::string_view caption, std::string_view key, bool isDefault) {
    std::int32_t index = 0;
    if (!firstItemLoaded_) {
        firstItemLoaded_ = true;  // item 0 is there from the start and is reused
    } else {
        index = Count();
        items_.emplace_back();
    }
    MenuItem& item = items_[static_cast<std::size_t>(index)];
    item.visible = true;
    item.key = key;
    item.caption = caption;
    if (isDefault) {
        defaultIndex_ = index;
    }
    return index;
}

std::int32_t MenuModel::RemoveMenuItem(std::int32_t index) {
    if (!IsValidMenuIndex(index)) {
        return 0;
    }
    if (index == 0) {
        items_[0].caption.clear();
        return 0;
    }
    // The whole item moves down, so a disabled command stays the disabled one.
    items_.erase(items_.begin() + index);
    return 0;
}

void MenuModel::EnableMenuItem(std::int32_t index, bool state) {
    if (IsValidMenuIndex(index)) {
        items_[static_cast<std::size_t>(index)].enabled = state;
    }
}

void MenuModel::SetDefaultMenuIndex(std::int32_t index) {
    defaultIndex_ = IsValidMenuIndex(index) ? index : 0;
}

bool MenuModel::IsValidMenuIndex(std::int32_t index) const noexcept {
    return index >= 0 && index < Count();
}

bool MenuModel::IsSelectable(std::int32_t index) const noexcept {
    if (!IsValidMenuIndex(index)) {
        return false;
    }
    const MenuItem& item = items_[static_cast<std::size_t>(index)];
    return item.visible && item.enabled && !IsSeparatorCaption(item.caption);
}

std::string MenuModel::Caption(std::int32_t index) const {
    return IsValidMenuIndex(index) ? items_[static_cast<std::size_t>(index)].caption : std::string();
}

void MenuModel::SetCaption(std::int32_t index, std::string_view caption) {
    if (IsValidMenuIndex(index)) {
        items_[static_cast<std::size_t>(index)].caption = caption;
    }
}

std::string MenuModel::Key(std::int32_t index) const {
    return IsValidMenuIndex(index) ? items_[static_cast<std::size_t>(index)].key : std::string();
}

} // namespace corvane::tray
