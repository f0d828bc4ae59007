#include <gtest/gtest.h>

#include "base/message_box_win.h"
#include "base/text_win.h"
#include "support/dialog_driver_win.h"

namespace corvane {
namespace {

TEST(MessageBoxService, InterceptorRecordsAndAnswers) {
    MessageBoxInterceptor outer;  // first button by default
    EXPECT_EQ(ShowMessageBox(nullptr, "Text", "Title", MB_RETRYCANCEL | MB_ICONEXCLAMATION), IDRETRY);
    {
        MessageBoxInterceptor inner([](const MessageBoxCall&) { return IDCANCEL; });
        EXPECT_EQ(ShowMessageBox(nullptr, "Second", "T2", MB_RETRYCANCEL), IDCANCEL);
        ASSERT_EQ(inner.Calls().size(), 1u);
        EXPECT_EQ(inner.Calls()[0].text, "Second");
    }
    ASSERT_EQ(outer.Calls().size(), 1u);
    const MessageBoxCall& c = outer.Calls()[0];
    EXPECT_EQ(c.text, "Text");
    EXPECT_EQ(c.title, "Title");
    EXPECT_EQ(c.Icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(c.Buttons(), static_cast<UINT>(MB_RETRYCANCEL));
}

// Without an interceptor the box is the real one: a person sees it and picks a button.
TEST(MessageBoxService, RealBoxShowsTextsAndReturnsTheButtonPressed) {
    test::DialogTexts seen;
    test::DialogDriver driver([&](HWND dlg) {
        seen = test::ReadDialogTexts(dlg);
        test::PressButton(dlg, IDCANCEL);
    });
    const int r = ShowMessageBox(nullptr, "Wrong File-type.", "Error", MB_RETRYCANCEL | MB_ICONERROR);
    EXPECT_EQ(r, IDCANCEL);
    EXPECT_EQ(driver.DialogsSeen(), 1);
    EXPECT_FALSE(driver.WatchdogFired());
    EXPECT_EQ(seen.title, "Error");
    EXPECT_EQ(seen.text, "Wrong File-type.");
}

TEST(TextConversion, AnsiAndWideRoundTrip) {
    EXPECT_EQ(AnsiToWide(""), L"");
    EXPECT_EQ(AnsiToWide("Charge: 57%"), L"Charge: 57%");
    EXPECT_EQ(WideToAnsi(L"Corvane :: Battery"), "Corvane :: Battery");
    // A character of the ANSI code page beyond ASCII survives both ways.
    const std::string ansi = "caf\xE9";
    const std::wstring wide = AnsiToWide(ansi);
    ASSERT_EQ(wide.size(), 4u);
    EXPECT_EQ(WideToAnsi(wide), ansi);
    EXPECT_EQ(AnsiToWide(std::string("a\0b", 3)).size(), 3u);
}

// Settings written in the system's own code page come back as the same characters in UTF-8.
TEST(TextConversion, SystemCodePageTextIsRecodedToUtf8) {
    EXPECT_EQ(RecodeToUtf8("C:\\Sons\\alerte\xE9.wav", 1252), "C:\\Sons\\alerte\xC3\xA9.wav");
    EXPECT_EQ(RecodeToUtf8("\xC7\xEE\xFF", 1251), "\xD0\x97\xD0\xBE\xD1\x8F"); // a Cyrillic name
    EXPECT_EQ(RecodeToUtf8("", 1252), "");
}

} // namespace
} // namespace corvane
