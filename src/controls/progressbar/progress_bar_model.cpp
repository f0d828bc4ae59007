#include "controls/progressbar/progress_bar_model.h"
#include "controls/progressbar/property_names.h"

namespace corvane::progressbar {

using namespace names;

std::int32_t MemoryPropertyBag::ReadProperty(std::string_view name, std::int32_t defaultValue) const {
    const auto it = stored_.find(name);
    return it == stored_.end() ? defaultValue : it->second;
}

void MemoryPropertyBag::WriteProperty(std::string_view name, std::int32_t value, std::int32_t defaultValue) {
    if (value == defaultValue) {
        const auto it = stored_.find(name);
        if (it != stored_.end()) {
            stored_.erase(it);
        }
        return;
    }
    stored_[std::string(name)] = value;
}

WriteResult ProgressBarModel::SetValue(std::int32_t New_Value) {
    if (New_Value > max_) {
        return {kValueAboveMax};
    }
    if (New_Value < min_) {
        return {kValueBelowMin};
    }
    value_ = New_Value;
    changed_ = true;
    return {std::nullopt, true};
}

void ProgressBarModel::SetProgressLook(std::int32_t New_ProgressLook) {
    look_ = New_ProgressLook;
    changed_ = true;
    ApplyLook();
}

void ProgressBarModel::ApplyLook() noexcept {
    if (const auto look = LookForProgressLook(look_)) {
        pieces_ = *look;
    }
}

void ProgressBarModel::ReadProperties(const PropertyBag& bag) {
    min_ = bag.ReadProperty(kMinName, 0);
    max_ = bag.ReadProperty(kMaxName, 100);
    value_ = bag.ReadProperty(kValueName, 0);
    style_ = bag.ReadProperty(kStyleName, 0);
    SetProgressLook(bag.ReadProperty(kLookName, 0));
    changed_ = false;
}

} // namespace corvane::progressbar
