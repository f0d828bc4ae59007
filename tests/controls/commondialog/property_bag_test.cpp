#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "controls/commondialog/property_bag.h"

namespace corvane::cdlg {
namespace {

using namespace std::string_literals;

PropertyValue RoundTrip(const PropertyValue& value, const PropertyValue& defaultValue) {
    TextPropertyBag bag;
    bag.WriteProperty("Key", value, defaultValue);
    return TextPropertyBag::FromText(bag.ToText()).ReadProperty("Key", defaultValue);
}

TEST(TextPropertyBag, TextsWithAnyCharacterComeBackUnchanged) {
    const std::string texts[] = {
        "Sound Files      (*.wav)\0*.wav"s,
        "quote \" backslash \\ equals = hash #"s,
        "line\r\nbreak\ttab\x01\x1f\x7f"s,
        "  spaces around  "s,
        "\xE9t\xE9 \x80\xFF"s,  // ANSI bytes above 127
        "\\0 is not a NUL"s,
        "\0"s,
    };
    for (const std::string& t : texts) {
        EXPECT_EQ(RoundTrip(t, std::string()), PropertyValue(t)) << t;
    }
    TextPropertyBag bag;
    bag.WriteProperty("Filter", "a\0b"s, std::string());
    EXPECT_EQ(bag.ToText(), "Filter = \"a\\0b\"\n");
}

TEST(TextPropertyBag, NumbersAndBooleansComeBackAtTheirLimits) {
    for (std::int16_t v : {std::numeric_limits<std::int16_t>::min(), std::int16_t{-1},
                           std::numeric_limits<std::int16_t>::max()}) {
        EXPECT_EQ(RoundTrip(v, std::int16_t{0}), PropertyValue(v));
    }
    for (std::int32_t v : {std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()}) {
        EXPECT_EQ(RoundTrip(v, std::int32_t{0}), PropertyValue(v));
    }
    for (float v : {8.25f, 1e-7f, -3.4e38f, 0.1f}) {
        EXPECT_EQ(RoundTrip(v, 8.0f), PropertyValue(v));
    }
    EXPECT_EQ(RoundTrip(true, false), PropertyValue(true));
    EXPECT_EQ(RoundTrip(false, true), PropertyValue(false));
}

TEST(TextPropertyBag, ValuesEqualToTheirDefaultAreNotStored) {
    TextPropertyBag bag;
    bag.WriteProperty("Copies", std::int16_t{1}, std::int16_t{1});
    EXPECT_EQ(bag.ToText(), "");
    bag.WriteProperty("Copies", std::int16_t{4}, std::int16_t{1});
    bag.WriteProperty("Flags", std::int32_t{4096}, std::int32_t{0});
    EXPECT_EQ(bag.ToText(), "Copies = 4\nFlags = 4096\n");
    bag.WriteProperty("copies", std::int16_t{1}, std::int16_t{1});  // keys ignore case
    EXPECT_EQ(bag.ToText(), "Flags = 4096\n");
    EXPECT_EQ(bag.ReadProperty("Copies", std::int16_t{1}), PropertyValue(std::int16_t{1}));
}

TEST(TextPropertyBag, UnreadableValuesGiveTheDefault) {
    const TextPropertyBag bag = TextPropertyBag::FromText(
        "Small = 40000\nWord = 12abc\nFlag = maybe\nOpen = \"no end\nInner = \"a\"b\"\nEscape = \"\\q\"\n"
        "Hex = \"\\x4\"\nSize = \nnot a line\n = 5\n");
    EXPECT_EQ(bag.ReadProperty("Small", std::int16_t{7}), PropertyValue(std::int16_t{7}));
    EXPECT_EQ(bag.ReadProperty("Small", std::int32_t{7}), PropertyValue(std::int32_t{40000}));
    EXPECT_EQ(bag.ReadProperty("Word", std::int32_t{7}), PropertyValue(std::int32_t{7}));
    EXPECT_EQ(bag.ReadProperty("Flag", false), PropertyValue(false));
    for (const char* key : {"Open", "Inner", "Escape", "Hex", "Missing"}) {
        EXPECT_EQ(bag.ReadProperty(key, "dflt"s), PropertyValue("dflt"s)) << key;
    }
    EXPECT_EQ(bag.ReadProperty("Size", 8.0f), PropertyValue(8.0f));
    EXPECT_EQ(bag.ReadProperty("Word", "d"s), PropertyValue("d"s)) << "a number is not a text";
}

} // namespace
} // namespace corvane::cdlg
