#include "controls/progressbar/progress_bar_model.h"

#include <algorithm>

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

std::optional<Rgb> LookColour(std::int32_t look) noexcept {
    static constexpr Rgb kColours[kLookCount] = {
        {0x2C, 0xD0, 0x2C}, // master: bright green
        {0x2A, 0x7F, 0xFF}, // blue: bright blue
        {0x1C, 0x34, 0x8C}, // bluemet: dark blue
        {0xD4, 0xA0, 0x17}, // goldmet: gold
        {0x98, 0xD8, 0x98}, // grmet: pale green
        {0x90, 0x90, 0x90}, // greymet: grey
        {0xFF, 0x8C, 0x00}, // orangemet: orange
        {0xF0, 0x48, 0x1A}, // redmet: orange-red
    };
    if (look < 0 || look >= kLookCount) {
        return std::nullopt;
    }
    return kColours[look];
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
    if (look_ >= 0 && look_ < kLookCount) {
        pieces_ = look_;
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

double ProgressBarModel::FillFraction() const noexcept {
    const double range = static_cast<double>(max_) - static_cast<double>(min_);
    if (range <= 0) {
        return 0.0;
    }
    return std::clamp((static_cast<double>(value_) - min_) / range, 0.0, 1.0);
}

} // namespace corvane::progressbar
