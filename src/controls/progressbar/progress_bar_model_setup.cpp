// The model's range and style setters and its saving, kept apart so a program that does not use them does not carry them.
#include "controls/progressbar/progress_bar_model.h"
#include "controls/progressbar/property_names.h"

namespace corvane::progressbar {

using namespace names;

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

void ProgressBarModel::SetStyle(std::int32_t New_Style) {
    style_ = New_Style;
    changed_ = true;
}

void ProgressBarModel::WriteProperties(PropertyBag& bag) const {
    bag.WriteProperty(kMinName, min_, 0);
    bag.WriteProperty(kMaxName, max_, 100);
    bag.WriteProperty(kValueName, value_, 0);
    bag.WriteProperty(kStyleName, style_, 0);
    bag.WriteProperty(kLookName, look_, 0);
}

} // namespace corvane::progressbar
