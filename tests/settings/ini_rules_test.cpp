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

} // namespace
} // namespace corvane::ini
