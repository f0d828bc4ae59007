#pragma once
// The host's property storage for a control: values are written under a key with their
// default and read back by key with the same default. TextPropertyBag keeps them as text,
// the way a form file stores its controls' design-time properties.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace corvane::cdlg {

using PropertyValue = std::variant<bool, std::int16_t, std::int32_t, float, std::string>;

class PropertyBag {
public:
    virtual ~PropertyBag() = default;
    // The stored value, of the default's type; the default when the key is missing or its
    // stored form cannot be read as that type.
    virtual PropertyValue ReadProperty(std::string_view key, const PropertyValue& defaultValue) const = 0;
    virtual void WriteProperty(std::string_view key, const PropertyValue& value,
                               const PropertyValue& defaultValue) = 0;
};

// One "Key = value" line per stored property, in the order written. A value equal to its
// default is not stored at all (reading gives the default back anyway), so a control left at
// its defaults saves as nothing. Texts are quoted, with C-style escapes for quotes,
// backslashes and control characters (NULs included).
class TextPropertyBag final : public PropertyBag {
public:
    TextPropertyBag() = default;
    // Lines that are not "Key = value" are ignored.
    static TextPropertyBag FromText(std::string_view text);
    std::string ToText() const;

    PropertyValue ReadProperty(std::string_view key, const PropertyValue& defaultValue) const override;
    void WriteProperty(std::string_view key, const PropertyValue& value, const PropertyValue& defaultValue) override;

private:
    const std::string* Find(std::string_view key) const;

    std::vector<std::pair<std::string, std::string>> entries_;  // key, value as written
};

} // namespace corvane::cdlg
