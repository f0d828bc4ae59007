#include <gtest/gtest.h>

#include "base/component_error.h"
#include "settings/mini_win.h"
#include "support/dialog_driver_win.h"

namespace corvane::mini {
namespace {

class MiniFile : public testing::Test {
protected:
    void SetUp() override {
        path_ = dir_.File("AppOpt.ini");
        INISetup(path_, 5000);
    }
    std::string FileText() const { return test::ReadWholeFile(path_); }

    test::TempDir dir_;
    std::string path_;
};

TEST_F(MiniFile, LineBreaksAreStoredOnOneLineAndComeBack) {
    INIWrite("snd", "two", GeneralValue("first line\r\nsecond line"));
    EXPECT_NE(FileText().find("two=first line%%&&Chr(13)&&%%second line"), std::string::npos) << FileText();
    EXPECT_EQ(INIRead("snd", "two", ""), "first line\r\nsecond line");

    // A token typed by the user reads back as a line break.
    test::WriteWholeFile(path_, "[snd]\r\ntyped=a%%&&Chr(13)&&%%b\r\n");
    EXPECT_EQ(INIRead("snd", "typed", ""), "a\r\nb");
}

TEST_F(MiniFile, LoneCarriageReturnAndLineFeedAreNotEscaped) {
    // The profile call cannot keep a raw line break inside a value, so the file shows what
    // happened to the text: it was handed over unchanged.
    INIWrite("s", "cr", GeneralValue("a\rb"));
    const std::string text = FileText();
    EXPECT_EQ(text.find("%%&&Chr(13)&&%%"), std::string::npos) << text;
    EXPECT_NE(text.find("cr=a\rb"), std::string::npos) << text;

    // On reading, the module returns what the profile call gives, with nothing replaced.
    test::WriteWholeFile(path_, "[s]\r\nlf=x\ny\r\ncr=p\rq\r\n");
    for (const char* key : {"lf", "cr"}) {
        char direct[64] = {};
        const DWORD n = GetPrivateProfileStringA("s", key, "", direct, sizeof direct, path_.c_str());
        EXPECT_EQ(INIRead("s", key, ""), std::string(direct, n)) << key;
    }
}

TEST_F(MiniFile, BufferSizeCutsLongValues) {
    const std::string v4999(4999, 'a');
    const std::string v6000(6000, 'b');
    INIWrite("big", "fits", GeneralValue(v4999));
    INIWrite("big", "long", GeneralValue(v6000));
    EXPECT_EQ(INIRead("big", "fits", ""), v4999);
    EXPECT_EQ(INIRead("big", "long", ""), std::string(4999, 'b'));
    // The file keeps the whole value; only the read is cut.
    EXPECT_NE(FileText().find(v6000), std::string::npos);
}

TEST_F(MiniFile, MissingKeySectionOrFileGiveTheDefault) {
    INIWrite("alert", "chkChargeLow", GeneralValue(std::int16_t{1}));
    EXPECT_EQ(INIRead("alert", "missing", ""), "");
    EXPECT_EQ(INIRead("alert", "missing", "10"), "10");
    EXPECT_EQ(INIRead("nosection", "chkChargeLow", ""), "");
    EXPECT_EQ(INIRead("nosection", "chkChargeLow", "10"), "10");
    INISetup(dir_.File("none.ini"), 5000);
    EXPECT_EQ(INIRead("alert", "chkChargeLow", ""), "");
    EXPECT_EQ(INIRead("alert", "chkChargeLow", "10"), "10");
    EXPECT_EQ(GetFileAttributesA(dir_.File("none.ini").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(MiniFile, NumbersAreStoredAsDecimalText) {
    INIWrite("chrg", "one", GeneralValue(std::int16_t{1}));
    INIWrite("chrg", "minus", GeneralValue(std::int16_t{-1}));
    INIWrite("chrg", "long", GeneralValue(std::int32_t{-2147483647 - 1}));
    INIWrite("chrg", "text", GeneralValue("10"));
    const std::string text = FileText();
    EXPECT_NE(text.find("one=1\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("minus=-1\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("long=-2147483648\r\n"), std::string::npos) << text;
    EXPECT_EQ(INIRead("chrg", "minus", "0"), "-1");
    EXPECT_EQ(INIRead("chrg", "text", ""), "10");
}

// Size 0 and an empty name are the module's state before any setup.
TEST_F(MiniFile, UnsetModuleRaises670AndTouchesNothing) {
    auto description = [](auto&& call) -> std::string {
        try {
            call();
        } catch (const ComponentError& e) {
            EXPECT_EQ(e.Number(), 670);
            EXPECT_EQ(e.Source(), "INIReadWrite");
            return e.Description();
        }
        return "no error";
    };
    INISetup("", 0);
    EXPECT_EQ(description([] { INIRead("a", "b", "c"); }), "Buffer size not set");
    EXPECT_EQ(description([] { INIWrite("a", "b", GeneralValue("c")); }), "Buffer size not set");
    INISetup(path_, 0);
    EXPECT_EQ(description([] { INIWrite("a", "b", GeneralValue("c")); }), "Buffer size not set");
    INISetup("", 5000);
    EXPECT_EQ(description([] { INIRead("a", "b", "c"); }), "Filename not set");
    EXPECT_EQ(description([] { INIWrite("a", "b", GeneralValue("c")); }), "Filename not set");
    EXPECT_EQ(GetFileAttributesA(path_.c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
} // namespace corvane::mini
