#include <gtest/gtest.h>

#include "base/component_error.h"
#include "settings/ini_rules.h"

namespace corvane::ini {
namespace {

TEST(IniEscape, LineBreakPairsOnlyBothWays) {
    EXPECT_EQ(EscapeLineBreaks("one\r\ntwo"), "one%%&&Chr(13)&&%%two");
    EXPECT_EQ(EscapeLineBreaks("\r\n\r\n"), "%%&&Chr(13)&&%%%%&&Chr(13)&&%%");
    // Lone CR, lone LF and LF CR are not pairs.
    EXPECT_EQ(EscapeLineBreaks("a\rb\nc\n\rd"), "a\rb\nc\n\rd");
    EXPECT_EQ(EscapeLineBreaks("\r\r\n"), "\r%%&&Chr(13)&&%%");
    EXPECT_EQ(EscapeLineBreaks(""), "");

    EXPECT_EQ(UnescapeLineBreaks("one%%&&Chr(13)&&%%two"), "one\r\ntwo");
    EXPECT_EQ(UnescapeLineBreaks("%%&&Chr(13)&&%%"), "\r\n");
    // Case-sensitive, and a partial token is left alone.
    EXPECT_EQ(UnescapeLineBreaks("%%&&chr(13)&&%%"), "%%&&chr(13)&&%%");
    EXPECT_EQ(UnescapeLineBreaks("%%&&Chr(13)&&%"), "%%&&Chr(13)&&%");
    // Scanning left to right: the first complete token wins.
    EXPECT_EQ(UnescapeLineBreaks("%%%&&Chr(13)&&%%%"), "%\r\n%");
}

TEST(IniEscape, RoundTripKeepsEveryValue) {
    for (const char* v : {"plain", "a\r\nb\r\nc", "\r\n", "x\ry", "x\ny", "tail\r"}) {
        EXPECT_EQ(UnescapeLineBreaks(EscapeLineBreaks(v)), v) << v;
    }
}

TEST(IniSetupCheck, BufferSizeFirstThenFileName) {
    auto errorOf = [](std::int32_t size, const char* file) -> std::string {
        try {
            CheckSetup(size, file);
        } catch (const ComponentError& e) {
            EXPECT_EQ(e.Number(), 670);
            EXPECT_EQ(e.Source(), "INIReadWrite");
            return e.Description();
        }
        return "none";
    };
    EXPECT_EQ(errorOf(0, ""), "Buffer size not set");
    EXPECT_EQ(errorOf(0, "C:\\a.ini"), "Buffer size not set");
    EXPECT_EQ(errorOf(-5, "C:\\a.ini"), "Buffer size not set");
    EXPECT_EQ(errorOf(5000, ""), "Filename not set");
    EXPECT_EQ(errorOf(1, "C:\\a.ini"), "none");
}

TEST(IniReadResult, CountDecidesTheLength) {
    const char buf[8] = {'a', 'b', '\0', 'c', 'd', '\0', '\0', '\0'};
    EXPECT_EQ(TakeCount(buf, sizeof buf, 0), "");
    EXPECT_EQ(TakeCount(buf, sizeof buf, 2), "ab");
    // Not cut at an embedded NUL, nor trimmed.
    EXPECT_EQ(TakeCount(buf, sizeof buf, 5), std::string("ab\0cd", 5));
    // A count beyond the buffer never reads past it.
    EXPECT_EQ(TakeCount(buf, sizeof buf, 100).size(), sizeof buf);
}

// Whatever the program does not know (comments, other sections, other keys, blank lines, the
// spelling of a key) comes out of a save byte for byte.
TEST(IniText, SetValueChangesOnlyTheKeysValue) {
    const struct {
        const char* label;
        std::string before, section, key, value, after;
    } cases[] = {
        {"no file", "", "snd", "chrg_start", "x", "[snd]\r\nchrg_start=x\r\n"},
        {"key kept as spelt, the rest byte for byte",
         "; mine\r\n[other]\r\nk=v\r\n[SND]\r\n Chrg_Start = old \r\nchrg_100=y\r\n\r\n[x]\r\n", "snd",
         "chrg_start", "new",
         "; mine\r\n[other]\r\nk=v\r\n[SND]\r\n Chrg_Start =new\r\nchrg_100=y\r\n\r\n[x]\r\n"},
        {"new key after the section's last line", "[snd]\r\na=1\r\n\r\n[x]\r\n", "snd", "b", "2",
         "[snd]\r\na=1\r\nb=2\r\n\r\n[x]\r\n"},
        {"no line break at the end", "[snd]\r\na=1", "snd", "b", "2", "[snd]\r\na=1\r\nb=2\r\n"},
        {"new section at the end", "[snd]\r\na=1", "chrg", "c", "3", "[snd]\r\na=1\r\n[chrg]\r\nc=3\r\n"},
        {"first section of the name", "[snd]\r\n[snd]\r\nk=1\r\n", "snd", "k", "2",
         "[snd]\r\nk=2\r\n[snd]\r\nk=1\r\n"},
        {"line feeds only", "[snd]\na=1\nb=2\n", "snd", "a", "", "[snd]\na=\nb=2\n"},
        {"longer names and lines without = are other keys", "[snd]\r\nchrg_start_x=1\r\nchrg_start\r\n", "snd",
         "chrg_start", "2", "[snd]\r\nchrg_start_x=1\r\nchrg_start\r\nchrg_start=2\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SetValue(c.before, c.section, c.key, c.value), c.after) << c.label;
    }
}

TEST(IniText, FindValueReadsAsTheProfileCallDoes) {
    const struct {
        std::string text;
        std::optional<std::string> value;
    } cases[] = {
        {"[snd]\r\nk = \"a b\" \r\n", "a b"},
        {"[snd]\r\nk='x\r\n", "'x"},
        {"[ Snd ]\r\nK=v=w\r\n", "v=w"},
        {"k=v\r\n[snd]\r\n", std::nullopt},
        {"[other]\r\nk=v\r\n", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindValue(c.text, "snd", "k"), c.value) << c.text;
    }
}

} // namespace
} // namespace corvane::ini
