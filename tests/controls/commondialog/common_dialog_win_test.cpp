#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "base/component_error.h"
#include "controls/commondialog/common_dialog_win.h"
#include "support/dialog_driver_win.h"
#include "support/file_dialog_win.h"

namespace corvane::cdlg {
namespace {

using test::DialogDriver;

// C:\Sounds\ding.wav exists for the length of a test.
class SoundsFolder {
public:
    SoundsFolder() {
        createdFolder_ = ::CreateDirectoryA("C:\\Sounds", nullptr) != FALSE;
        test::WriteWholeFile(kDing, "RIFF");
    }
    ~SoundsFolder() {
        ::DeleteFileA(kDing);
        ::DeleteFileA("C:\\Sounds\\new.wav");
        if (createdFolder_) {
            ::RemoveDirectoryA("C:\\Sounds");
        }
    }
    static constexpr char kDing[] = "C:\\Sounds\\ding.wav";

private:
    bool createdFolder_ = false;
};

struct SeenDialog {
    std::string title;
    std::string fileBox;
    HWND owner = nullptr;
};

class CDlgOnRealWindow : public ::testing::Test {
protected:
    test::TestWindow window{::DefWindowProcA};
    CDlgOnWindow control{window.get()};
    CDlg& dlg = control.Control();
    std::vector<SeenDialog> seen;

    // Drives the next dialogs: each one is noted, then given the path (or cancelled when empty).
    DialogDriver::Action Answer(std::vector<std::string> answers) {
        return [this, answers, next = std::size_t{0}](HWND d) mutable {
            seen.push_back({test::ReadDialogTexts(d).title, test::DialogItemText(d, test::kFileNameBox),
                            ::GetWindow(d, GW_OWNER)});
            const std::string path = next < answers.size() ? answers[next++] : "";
            if (path.empty()) {
                test::PressButton(d, IDCANCEL);
            } else {
                test::ChooseFile(d, path);
            }
        };
    }
};

TEST_F(CDlgOnRealWindow, OpenReturnsTheFileChosenInTheRealDialog) {
    SoundsFolder folder;
    dlg.SetDialogTitle("Select WAV file for Sound Alert ...");
    dlg.SetFlags(4096);
    dlg.SetFilter("Sound Files      (*.wav)|*.wav|All Files|*.*");
    dlg.SetFileName("C:\\preset.wav");
    ASSERT_EQ(dlg.OwnerHwnd(), 0);

    DialogDriver driver(Answer({SoundsFolder::kDing}));
    dlg.ShowOpen();

    EXPECT_FALSE(driver.WatchdogFired());
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, "Select WAV file for Sound Alert ...");
    EXPECT_EQ(seen[0].fileBox.find_first_not_of(' '), std::string::npos)
        << "the file-name box opens without the caller's FileName: '" << seen[0].fileBox << "'";
    EXPECT_EQ(seen[0].owner, window.get());
    EXPECT_EQ(dlg.OwnerHwnd(), HandleToInt32(window.get()));

    EXPECT_EQ(dlg.FileName(), "C:\\Sounds\\ding.wav");
    EXPECT_EQ(dlg.FileTitle(), "ding.wav");
    EXPECT_EQ(dlg.FileOffset(), 10);
    EXPECT_EQ(dlg.ExtensionOffset(), 15);
    EXPECT_EQ(dlg.FilterIndex(), 1);
}

TEST_F(CDlgOnRealWindow, CancelKeepsFileNameOrRaisesTheCancelError) {
    dlg.SetFileName("C:\\before.wav");
    {
        DialogDriver driver(Answer({""}));
        dlg.ShowOpen();
        EXPECT_EQ(driver.DialogsSeen(), 1);
        EXPECT_FALSE(driver.WatchdogFired());
    }
    EXPECT_EQ(dlg.FileName(), "C:\\before.wav");
    EXPECT_EQ(dlg.FileTitle(), "");
    EXPECT_EQ(dlg.FilterIndex(), 0);

    dlg.SetCancelError(true);
    DialogDriver driver(Answer({""}));
    try {
        dlg.ShowOpen();
        ADD_FAILURE() << "no cancel error";
    } catch (const ComponentError& e) {
        EXPECT_EQ(e.Number(), 32755);
        EXPECT_EQ(e.Source(), "TarnCommonDialog user control");
        EXPECT_EQ(e.Description(), "Cancel was selected.");
    }
    EXPECT_EQ(driver.DialogsSeen(), 1);
    EXPECT_EQ(dlg.FileName(), "C:\\before.wav");
}

TEST_F(CDlgOnRealWindow, SaveReturnsTheTypedNameAndTheFilterInForce) {
    SoundsFolder folder;
    dlg.SetFilter("Text (*.txt)|*.txt|Sound Files (*.wav)|*.wav");
    DialogDriver driver([](HWND d) {
        // Pick the second type, as a person would in the list.
        HWND types = ::GetDlgItem(d, test::kFileTypeList);
        ::SendMessageA(types, CB_SETCURSEL, 1, 0);
        ::SendMessageA(d, WM_COMMAND, MAKEWPARAM(test::kFileTypeList, CBN_SELENDOK), reinterpret_cast<LPARAM>(types));
        test::ChooseFile(d, "C:\\Sounds\\new.wav");
    });
    dlg.ShowSave();
    EXPECT_FALSE(driver.WatchdogFired());
    EXPECT_EQ(dlg.FileName(), "C:\\Sounds\\new.wav");
    EXPECT_EQ(dlg.FileTitle(), "new.wav");
    EXPECT_EQ(dlg.FilterIndex(), 2);
}

TEST(OpenFileNameLayout, TheRecordHandedOverIsThePlatforms40Record) {
    // The 4.0 record is handed to functions declared for today's: it must be its leading part.
    EXPECT_EQ(sizeof(OPENFILENAME_NT4A), static_cast<std::size_t>(OPENFILENAME_SIZE_VERSION_400A));
    EXPECT_EQ(offsetof(OPENFILENAME_NT4A, lpstrFile), offsetof(OPENFILENAMEA, lpstrFile));
    EXPECT_EQ(offsetof(OPENFILENAME_NT4A, nFileOffset), offsetof(OPENFILENAMEA, nFileOffset));
    EXPECT_EQ(offsetof(OPENFILENAME_NT4A, lpTemplateName), offsetof(OPENFILENAMEA, lpTemplateName));
#if defined(_WIN64)
    EXPECT_EQ(sizeof(OPENFILENAME_NT4A), 136u);
#else
    // In a 32-bit process the control's bytes are handed over as they are: every field must
    // land where the platform's record has it.
    char filter[] = "a\0*.a\0";
    char file[8] = {};
    char title[8] = {};
    OpenFileNameRecord r;
    r.owner = 0x1234;
    r.instance = 0x400000;
    r.filter = filter;
    r.filterIndex = 3;
    r.file = file;
    r.maxFile = 8;
    r.fileTitle = title;
    r.maxFileTitle = 7;
    r.initialDir = "C:\\";
    r.title = "T";
    r.flags = OFN_FILEMUSTEXIST;
    r.fileOffset = 10;
    r.fileExtension = 15;
    r.defExt = "wav";
    const OpenFileNameBytes bytes = PackOpenFileName32(r);
    OPENFILENAME_NT4A ofn;
    ASSERT_EQ(sizeof ofn, bytes.size());
    std::memcpy(&ofn, bytes.data(), sizeof ofn);
    EXPECT_EQ(ofn.lStructSize, 76u);
    EXPECT_EQ(ofn.hwndOwner, reinterpret_cast<HWND>(0x1234));
    EXPECT_EQ(ofn.hInstance, reinterpret_cast<HINSTANCE>(0x400000));
    EXPECT_EQ(ofn.lpstrFilter, filter);
    EXPECT_EQ(ofn.nFilterIndex, 3u);
    EXPECT_EQ(ofn.lpstrFile, file);
    EXPECT_EQ(ofn.nMaxFile, 8u);
    EXPECT_EQ(ofn.lpstrFileTitle, title);
    EXPECT_EQ(ofn.nMaxFileTitle, 7u);
    EXPECT_EQ(ofn.lpstrInitialDir, r.initialDir);
    EXPECT_EQ(ofn.lpstrTitle, r.title);
    EXPECT_EQ(ofn.Flags, static_cast<DWORD>(OFN_FILEMUSTEXIST));
    EXPECT_EQ(ofn.nFileOffset, 10);
    EXPECT_EQ(ofn.nFileExtension, 15);
    EXPECT_EQ(ofn.lpstrDefExt, r.defExt);
    EXPECT_EQ(ofn.lpfnHook, nullptr);
    EXPECT_EQ(ofn.lpTemplateName, nullptr);
#endif
}

} // namespace
} // namespace corvane::cdlg
