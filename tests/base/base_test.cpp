#include <gtest/gtest.h>

#include "base/component_error.h"
#include "base/general_value.h"
#include "base/utf8.h"

namespace corvane {
namespace {

TEST(ComponentError, CarriesNumberSourceAndDescription) {
    const ComponentError e(670, "INIReadWrite", "Filename not set");
    EXPECT_EQ(e.Number(), 670);
    EXPECT_EQ(e.Source(), "INIReadWrite");
    EXPECT_EQ(e.Description(), "Filename not set");
    EXPECT_STREQ(e.what(), "670 (INIReadWrite): Filename not set");

    // Object-error numbers are above 2^31 and stay exact as signed values.
    const ComponentError reg(static_cast<std::int32_t>(0x800469ACu), "Corvane.cRegistry", "x");
    EXPECT_EQ(static_cast<std::uint32_t>(reg.Number()), 0x800469ACu);
}

TEST(ComponentError, RoutineErrorBoxLayout) {
    const MessageBoxText box = RoutineErrorBox("RefreshPowerStatus", 5, "Invalid procedure call");
    EXPECT_EQ(box.title, "Error ! (Source : RefreshPowerStatus)");
    EXPECT_EQ(box.text, "5 : \r\n\r\nInvalid procedure call");
    EXPECT_EQ(RoutineErrorBox("F", -2147221504, "").text, "-2147221504 : \r\n\r\n");
}

TEST(GeneralValue, KindsAndText) {
    EXPECT_TRUE(GeneralValue().IsEmpty());
    EXPECT_EQ(GeneralValue().ToText(), "");
    EXPECT_EQ(GeneralValue(std::int16_t{-1}).ToText(), "-1");
    EXPECT_EQ(GeneralValue(std::int16_t{-32768}).ToText(), "-32768");
    EXPECT_EQ(GeneralValue(std::int32_t{-2147483647 - 1}).ToText(), "-2147483648");
    EXPECT_EQ(GeneralValue("abc").ToText(), "abc");
    EXPECT_EQ(GeneralValue(ByteArray{0, {'h', 'i', 0, 'x'}}).ToText(), std::string("hi\0x", 4));

    EXPECT_EQ(GeneralValue(std::int16_t{7}).GetKind(), GeneralValue::Kind::Int16);
    EXPECT_EQ(GeneralValue(std::int32_t{7}).GetKind(), GeneralValue::Kind::Int32);
    EXPECT_NE(GeneralValue(std::int16_t{7}), GeneralValue(std::int32_t{7}));
}

TEST(GeneralValue, IntegersWidenOthersDoNot) {
    std::int32_t v = 99;
    EXPECT_TRUE(GeneralValue(std::int16_t{-5}).TryInt32(v));
    EXPECT_EQ(v, -5);
    EXPECT_TRUE(GeneralValue(std::int32_t{123456}).TryInt32(v));
    EXPECT_EQ(v, 123456);
    v = 99;
    EXPECT_FALSE(GeneralValue("12").TryInt32(v));
    EXPECT_FALSE(GeneralValue().TryInt32(v));
    EXPECT_EQ(v, 99);
}

TEST(GeneralValue, ByteArrayBounds) {
    const ByteArray empty{};
    EXPECT_EQ(empty.UpperBound(), -1);
    const ByteArray four{1, {1, 2, 3, 4}};
    EXPECT_EQ(four.UpperBound(), 4);
    const GeneralValue v(four);
    ASSERT_NE(v.Bytes(), nullptr);
    EXPECT_EQ(v.Bytes()->lowerBound, 1);
    EXPECT_EQ(v.Text(), nullptr);
}

// Text from the system's old code page is never mistaken for UTF-8, so it can be recoded.
TEST(Utf8, WellFormedOnly) {
    const struct {
        const char* bytes;
        bool utf8;
    } cases[] = {
        {"", true},
        {"C:\\Program Files\\Corvane\\chg_full.wav", true},
        {"caf\xC3\xA9", true},                 // e acute
        {"\xD0\x97\xD0\xBE\xD1\x8F", true},    // Cyrillic
        {"\xE2\x82\xAC \xF0\x9F\x94\x8B", true}, // euro sign, four-byte symbol
        {"caf\xE9", false},                     // e acute in code page 1252
        {"\xC7\xEE\xFF", false},                // the Cyrillic above in code page 1251
        {"\xC3", false},                        // cut short
        {"\xC0\xAF", false},                    // overlong
        {"\xE0\x80\xAF", false},                // overlong
        {"\xED\xA0\x80", false},                // surrogate
        {"\xF4\x90\x80\x80", false},            // past U+10FFFF
        {"\xC3\x28", false},                    // bad continuation
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsUtf8(c.bytes), c.utf8) << c.bytes;
    }
}

} // namespace
} // namespace corvane
