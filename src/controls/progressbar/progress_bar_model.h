#pragma once
// Xp_ProgressBar's properties, their checks, its looks and its persistence, apart from any
// window: the control wraps this and paints through BarPainter.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "controls/progressbar/paint_looks.h"

namespace corvane::progressbar {

// The refusals, word for word as users of the control have always seen them.
inline constexpr std::string_view kRefusalTitle = "Error";
inline constexpr std::string_view kValueAboveMax = "Value can NOT be higher than Maximum !";
inline constexpr std::string_view kValueBelowMin = "Value can NOT be smaller than minimum !";
inline constexpr std::string_view kMinAboveMax = "Minimum can NOT be biger than maximum !";
inline constexpr std::string_view kMinBelowZero = "Minimum can NOT be smaller then 0 !";
inline constexpr std::string_view kMaxBelowMin = "Maximum can NOT be smaller than minimum !";

// The host's stored form of a control: integers by property name.
class PropertyBag {
public:
    virtual ~PropertyBag() = default;
    virtual std::int32_t ReadProperty(std::string_view name, std::int32_t defaultValue) const = 0;
    // Stores nothing when the value equals the default.
    virtual void WriteProperty(std::string_view name, std::int32_t value, std::int32_t defaultValue) = 0;
};

class MemoryPropertyBag final : public PropertyBag {
public:
    std::int32_t ReadProperty(std::string_view name, std::int32_t defaultValue) const override;
    void WriteProperty(std::string_view name, std::int32_t value, std::int32_t defaultValue) override;
    const std::map<std::string, std::int32_t, std::less<>>& Stored() const noexcept { return stored_; }
    void Put(std::string name, std::int32_t value) { stored_[std::move(name)] = value; }

private:
    std::map<std::string, std::int32_t, std::less<>> stored_;
};

// What a write did: a refusal to show, or whether the bar has to paint the new value.
struct WriteResult {
    std::optional<std::string_view> refusal;
    bool paint = false;
};

class ProgressBarModel {
public:
    std::int32_t Min() const noexcept { return min_; }
    std::int32_t Max() const noexcept { return max_; }
    std::int32_t Value() const noexcept { return value_; }
    std::int32_t Style() const noexcept { return style_; }
    std::int32_t ProgressLook() const noexcept { return look_; }
    // The look whose pieces are in use; nothing until a valid look was applied.
    std::optional<std::int32_t> PiecesLook() const noexcept { return pieces_; }
    bool BlockStyle() const noexcept { return style_ == 0; }

    WriteResult SetMin(std::int32_t New_Mini);
    WriteResult SetMax(std::int32_t New_Maxi);
    WriteResult SetValue(std::int32_t New_Value);
    void SetStyle(std::int32_t New_Style);
    void SetProgressLook(std::int32_t New_ProgressLook);

    // Copies the selected look's pieces into use; values outside 0..7 keep the pieces.
    void ApplyLook() noexcept;

    // Loading takes the stored values without the checks and applies the look.
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    // Set by every accepted write, for the host that saves its controls.
    bool Changed() const noexcept { return changed_; }
    void ClearChanged() noexcept { changed_ = false; }

private:
    std::int32_t min_ = 0;
    std::int32_t max_ = 100;
    std::int32_t value_ = 0;
    std::int32_t style_ = 0;
    std::int32_t look_ = 0;
    std::optional<std::int32_t> pieces_;
    bool changed_ = false;
};

} // namespace corvane::progressbar
