#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/alert_sound_win.h"
#include "app/sounds_win.h"
#include "base/message_box_win.h"
#include "base/text_win.h"
#include "controls/commondialog/common_dialog_win.h"
#include "support/dialog_driver_win.h"
#include "support/file_dialog_win.h"

namespace corvane {
namespace {

using test::DialogDriver;

AlertSoundsController* g_controller = nullptr;

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND && g_controller && g_controller->OnCommand(wParam, lParam)) {
        return 0;
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

std::string WindowText(HWND hwnd) {
    char text[1024] = {};
    ::GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

BOOL CALLBACK FindToolTip(HWND hwnd, LPARAM lp) {
    char cls[64] = {};
    ::GetClassNameA(hwnd, cls, sizeof cls);
    if (std::string(cls) == TOOLTIPS_CLASSA) {
        *reinterpret_cast<HWND*>(lp) = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The "Alert Options" controls as the main window lays them out, on a window of the test's.
class AlertOptionsPage : public ::testing::Test {
protected:
    void SetUp() override {
        HINSTANCE inst = ::GetModuleHandleA(nullptr);
        HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
        const char* captions[] = {"Alert me when charging starts or stops", "Alert me when the battery is fully charged",
                                  "Alert me when charge drops below         %."};
        for (int i = 0; i < 3; ++i) {
            const int y = 10 + i * 70;
            auto make = [&](const char* cls, const char* text, DWORD style, int x, int yy, int w, int h) {
                HWND c = ::CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, yy, w, h, window.get(),
                                           nullptr, inst, nullptr);
                ::SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
                return c;
            };
            controls.options[i] = make("BUTTON", captions[i], BS_AUTOCHECKBOX, 10, y, 300, 20);
            controls.soundFiles[i] = make("EDIT", "", WS_BORDER | ES_AUTOHSCROLL, 10, y + 26, 290, 22);
            controls.browseButtons[i] = make("BUTTON", "", BS_PUSHBUTTON, 306, y + 26, 28, 22);
        }
        controls.window = window.get();
        controller = std::make_unique<AlertSoundsController>(controls, dlg.Control());
        g_controller = controller.get();
        ::EnumThreadWindows(::GetCurrentThreadId(), FindToolTip, reinterpret_cast<LPARAM>(&toolTip));
    }
    void TearDown() override {
        g_controller = nullptr;
        controller.reset();
    }

    void ClickBrowse(int slot) { ::SendMessageA(controls.browseButtons[slot], BM_CLICK, 0, 0); }

    // The wide form: the ANSI one hands out no more than 80 characters.
    std::string ToolTipOf(HWND control) {
        wchar_t text[1024] = {};
        TTTOOLINFOW info{};
        info.cbSize = sizeof info;
        info.hwnd = window.get();
        info.uId = reinterpret_cast<UINT_PTR>(control);
        info.lpszText = text;
        ::SendMessageW(toolTip, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&info));
        return WideToAnsi(text);
    }

    void Click(HWND control, UINT down, UINT up) {
        const LPARAM at = MAKELPARAM(5, 5);
        ::SendMessageA(control, down, down == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, at);
        ::SendMessageA(control, up, 0, at);
    }

    // The slot as the user sees it: shown text, kept path, tooltip.
    struct Slot {
        std::string text, path, tip;
        bool operator==(const Slot&) const = default;
    };
    Slot SlotState(int i) {
        return {WindowText(controls.soundFiles[i]), controller->SoundFile(i), ToolTipOf(controls.soundFiles[i])};
    }

    test::TestWindow window{HostProc, 360, 260, "Alert Options"};
    cdlg::CDlgOnWindow dlg{window.get()};
    AlertSoundControls controls;
    std::unique_ptr<AlertSoundsController> controller;
    HWND toolTip = nullptr;
    test::TempDir temp;
};

TEST_F(AlertOptionsPage, ControlsGetTheirCaptionReadOnlyBoxesAndToolTips) {
    ASSERT_NE(toolTip, nullptr);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(WindowText(controls.browseButtons[i]), "...");
        EXPECT_TRUE(::GetWindowLongA(controls.soundFiles[i], GWL_STYLE) & ES_READONLY);
        EXPECT_EQ(ToolTipOf(controls.options[i]),
                  "Right-click on this Option to hear the selected Sound File (if any) ...");
        EXPECT_EQ(ToolTipOf(controls.soundFiles[i]), "");
    }
}

TEST_F(AlertOptionsPage, BrowseFillsTheSlotWithTheFileChosenInTheRealDialog) {
    const std::string folder = temp.Path() + "\\Alert sounds of this machine\\Charging and battery";
    test::CreateFolders(folder);
    const std::string chosen = folder + "\\ding.wav";
    test::WriteWholeFile(chosen, "RIFF");

    std::string title, types;
    DialogDriver driver([&](HWND d) {
        title = test::ReadDialogTexts(d).title;
        types = test::DialogItemText(d, test::kFileTypeList);
        test::ChooseFile(d, chosen);
    });
    ClickBrowse(1);

    EXPECT_EQ(driver.DialogsSeen(), 1);
    EXPECT_EQ(title, "Select WAV file for Sound Alert ...");
    EXPECT_EQ(types, "Sound Files      (*.wav)");
    const Slot slot = SlotState(1);
    EXPECT_EQ(slot.path, chosen);
    EXPECT_EQ(slot.tip, chosen);
    // The whole path is wider than 255 pixels: the box shows it shortened around an ellipsis.
    EXPECT_LT(slot.text.size(), chosen.size());
    EXPECT_NE(slot.text.find("..."), std::string::npos) << slot.text;
    EXPECT_EQ(slot.text.substr(slot.text.size() - 8), "ding.wav");
    EXPECT_EQ(slot.text.substr(0, 3), chosen.substr(0, 3));
    EXPECT_EQ(SlotState(0), (Slot{"", "", ""}));
}

TEST_F(AlertOptionsPage, ShownPathFitsTheWidthInTheWindowsContext) {
    const std::string shortPath = "C:\\a.wav";
    controller->ShowSoundFile(0, shortPath);
    EXPECT_EQ(SlotState(0), (Slot{shortPath, shortPath, shortPath}));

    const std::string longPath = "C:\\" + std::string(120, 'x') + "\\" + std::string(80, 'y') + "\\tone.wav";
    controller->ShowSoundFile(2, longPath);
    const Slot slot = SlotState(2);
    EXPECT_EQ(slot.path, longPath);
    EXPECT_EQ(slot.tip, longPath);
    HDC dc = ::GetDC(window.get());
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(controls.soundFiles[2], WM_GETFONT, 0, 0)));
    SIZE size{};
    ::GetTextExtentPoint32A(dc, slot.text.c_str(), static_cast<int>(slot.text.size()), &size);
    const int limit = ::MulDiv(255, ::GetDeviceCaps(dc, LOGPIXELSX), 96);
    ::SelectObject(dc, old);
    ::ReleaseDC(window.get(), dc);
    EXPECT_LE(size.cx, limit) << slot.text;
    EXPECT_GT(size.cx, limit / 2) << "shortened no more than needed: " << slot.text;

    controller->ShowSoundFile(2, "");
    EXPECT_EQ(SlotState(2), (Slot{"", "", ""}));
}

int CountGdiObjects() {
    int n = 0;
    for (std::uintptr_t h = 1; h <= 0xFFFF; ++h) {
        n += ::GetObjectType(reinterpret_cast<HGDIOBJ>(h)) != 0;
    }
    return n;
}

TEST_F(AlertOptionsPage, ReshowFollowsTheFontAndLeaksNothing) {
    const std::string longPath = "C:\\Sounds of this machine\\for the battery alerts\\when charging\\chime.wav";
    controller->ShowSoundFile(0, longPath);
    const std::string before = WindowText(controls.soundFiles[0]);

    HFONT big = ::CreateFontA(-22, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
    ::SendMessageA(controls.soundFiles[0], WM_SETFONT, reinterpret_cast<WPARAM>(big), FALSE);
    const int objects = CountGdiObjects();
    for (int i = 0; i < 50; ++i) {
        controller->ReshowSoundFiles();
    }
    EXPECT_EQ(CountGdiObjects(), objects);
    const std::string after = WindowText(controls.soundFiles[0]);
    EXPECT_LT(after.size(), before.size()) << "a bigger font leaves room for less: " << before << " / " << after;
    EXPECT_EQ(controller->SoundFile(0), longPath);
    ::SendMessageA(controls.soundFiles[0], WM_SETFONT, 0, FALSE);
    ::DeleteObject(big);
}

TEST_F(AlertOptionsPage, CancelledDialogLeavesTheSlot) {
    controller->ShowSoundFile(0, "C:\\old.wav");
    const Slot before = SlotState(0);
    MessageBoxInterceptor boxes;
    DialogDriver driver([](HWND d) { test::PressButton(d, IDCANCEL); });
    ClickBrowse(0);
    EXPECT_EQ(driver.DialogsSeen(), 1);
    EXPECT_EQ(SlotState(0), before);
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(AlertOptionsPage, WrongFileTypeRetryThenCancelLeavesTheSlot) {
    const std::string notes = temp.File("notes.txt");
    test::WriteWholeFile(notes, "not a sound");
    controller->ShowSoundFile(0, "C:\\old.wav");
    const Slot before = SlotState(0);

    std::vector<std::string> steps;
    DialogDriver driver([&](HWND d) {
        if (test::IsMessageBox(d)) {
            const test::DialogTexts box = test::ReadDialogTexts(d);
            steps.push_back("box: " + box.title + " / " + box.text);
            test::PressButton(d, IDRETRY);
        } else if (steps.empty()) {
            steps.push_back("dialog: " + notes);
            test::ChooseFile(d, notes);
        } else {
            steps.push_back("dialog: cancel");
            test::PressButton(d, IDCANCEL);
        }
    });
    ClickBrowse(0);

    EXPECT_FALSE(driver.WatchdogFired());
    EXPECT_EQ(steps, (std::vector<std::string>{
                         "dialog: " + notes,
                         "box: Wrong File-type. / Please select a .WAV file as a Sound Alert file.",
                         "dialog: cancel"}));
    EXPECT_EQ(SlotState(0), before);
}

TEST_F(AlertOptionsPage, WrongFileTypeRetryThenAWavFileFillsTheSlot) {
    const std::string notes = temp.File("notes.txt");
    const std::string upper = temp.File("CHIME.WAV");
    test::WriteWholeFile(notes, "x");
    test::WriteWholeFile(upper, "RIFF");

    int dialogs = 0;
    MessageBoxInterceptor boxes([](const MessageBoxCall&) { return IDRETRY; });
    DialogDriver driver([&](HWND d) { test::ChooseFile(d, ++dialogs == 1 ? notes : upper); });
    ClickBrowse(2);

    EXPECT_EQ(dialogs, 2);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    const MessageBoxCall& box = boxes.Calls()[0];
    EXPECT_EQ(box.title, "Wrong File-type.");
    EXPECT_EQ(box.text, "Please select a .WAV file as a Sound Alert file.");
    EXPECT_EQ(box.Icon(), static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_EQ(box.Buttons(), static_cast<UINT>(MB_RETRYCANCEL));
    EXPECT_EQ(box.owner, window.get());
    EXPECT_EQ(controller->SoundFile(2), upper);
}

TEST_F(AlertOptionsPage, WrongFileTypeCancelLeavesTheSlot) {
    const std::string notes = temp.File("notes.txt");
    test::WriteWholeFile(notes, "x");
    controller->ShowSoundFile(1, "C:\\kept.wav");
    const Slot before = SlotState(1);
    MessageBoxInterceptor boxes([](const MessageBoxCall&) { return IDCANCEL; });
    DialogDriver driver([&](HWND d) { test::ChooseFile(d, notes); });
    ClickBrowse(1);
    EXPECT_EQ(driver.DialogsSeen(), 1);
    EXPECT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(SlotState(1), before);
}

TEST_F(AlertOptionsPage, DialogErrorEndsTheClickWithABoxAndTheSlotUnchanged) {
    dlg.Control().SetCancelError(true);
    MessageBoxInterceptor boxes;
    DialogDriver driver([](HWND d) { test::PressButton(d, IDCANCEL); });
    ClickBrowse(0);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].title, "Error ! (Source : btnBrowse_Click)");
    EXPECT_EQ(boxes.Calls()[0].text, "32755 : \r\n\r\nCancel was selected.");
    EXPECT_EQ(controller->SoundFile(0), "");
}

TEST_F(AlertOptionsPage, RightClickPreviewsTheSlotAndALeftClickNever) {
    const std::string sound = temp.File("low.wav");
    test::WriteWholeFile(sound, "RIFF");
    controller->ShowSoundFile(2, sound);
    AlertSoundInterceptor played;

    HWND option = controls.options[2];
    const LRESULT before = ::SendMessageA(option, BM_GETCHECK, 0, 0);
    Click(option, WM_LBUTTONDOWN, WM_LBUTTONUP);
    EXPECT_NE(::SendMessageA(option, BM_GETCHECK, 0, 0), before) << "the left button switches the option";
    EXPECT_TRUE(played.Calls().empty());

    for (int i = 0; i < 2; ++i) {  // checked or not, it plays
        Click(option, WM_RBUTTONDOWN, WM_RBUTTONUP);
        Click(option, WM_LBUTTONDOWN, WM_LBUTTONUP);
    }
    ASSERT_EQ(played.Calls().size(), 2u);
    for (const auto& call : played.Calls()) {
        EXPECT_EQ(call.path, sound);
        EXPECT_EQ(call.flags, 3u) << "asynchronous, no default sound";
    }
}

TEST_F(AlertOptionsPage, RightClickOnAnEmptyOrVanishedSlotPlaysAndSaysNothing) {
    const std::string gone = temp.File("gone.wav");
    test::WriteWholeFile(gone, "RIFF");
    controller->ShowSoundFile(1, gone);
    ::DeleteFileA(gone.c_str());

    AlertSoundInterceptor played;
    MessageBoxInterceptor boxes;
    Click(controls.options[0], WM_RBUTTONDOWN, WM_RBUTTONUP);
    Click(controls.options[1], WM_RBUTTONDOWN, WM_RBUTTONUP);
    EXPECT_TRUE(played.Calls().empty());
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(WindowText(controls.soundFiles[1]).empty(), false) << "a vanished file keeps showing";
}

} // namespace
} // namespace corvane
