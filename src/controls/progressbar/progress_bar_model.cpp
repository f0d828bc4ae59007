#include "controls/progressbar/progress_bar_model.h"

namespace corvane::progressbar {

namespace {
constexpr std::string_view kMinName = "Min";
constexpr std::string_view kMaxName = "Max";
constexpr std::string_view kValueName = "Value";
constexpr std::string_view kStyleName = "Style";
constexpr std::string_view kLookName = "ProgressLook";
} // namespace

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

WriteResult ProgressBarModel::SetMin(std::int32_t New_Mini) {
    if (New_Mini > max_) {
        return {kMinAboveMax};
    }
    if (New_Mini < 0) {
        return {kMinBelowZero};
    }
    min_ = New_Mini;
    changed_ = true;
    return {};
}

WriteResult ProgressBarModel::SetMax(std::int32_t New_Maxi) {
    if (New_Maxi < min_) {
        return {kMaxBelowMin};
    }
    max_ = New_Maxi;
    changed_ = true;
    return {};
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

void ProgressBarModel::SetStyle(std::int32_t New_Style) {
    style_ = New_Style;
    changed_ = true;
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

void ProgressBarModel::WriteProperties(PropertyBag& bag) const {
    bag.WriteProperty(kMinName, min_, 0);
    bag.WriteProperty(kMaxName, max_, 100);
    bag.WriteProperty(kValueName, value_, 0);
    bag.WriteProperty(kStyleName, style_, 0);
    bag.WriteProperty(kLookName, look_, 0);
}

} // namespace corvane::progressbar
