#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/sounds.h"
#include "base/component_error.h"
#include "controls/commondialog/common_dialog.h"
#include "controls/commondialog/fake_host.h"

namespace corvane::sounds {
namespace {

using namespace std::string_literals;

TEST(SoundText, IsBlankLooksOnlyAtSpaces) {
    EXPECT_TRUE(IsBlank(""));
    EXPECT_TRUE(IsBlank("   "));
    EXPECT_FALSE(IsBlank(" a "));
    EXPECT_FALSE(IsBlank("\t"));
    EXPECT_FALSE(IsBlank("\0"s));
}

TEST(SoundText, WavExtensionIsTheLastThreeCharactersInAnyCase) {
    for (const char* yes : {"C:\\Sounds\\ding.wav", "D.WAV", "x.WaV", "noDotwav", "wav"}) {
        EXPECT_TRUE(HasWavExtension(yes)) << yes;
    }
    for (const char* no : {"C:\\notes.txt", "a.wav ", "a.wave", "av", "", "a.w\xE1v"}) {
        EXPECT_FALSE(HasWavExtension(no)) << no;
    }
}

// The open dialog answers from a script: a path chosen, or nothing (cancel).
struct ScriptedChoice {
    cdlg::test::FakeHost host;
    cdlg::test::FakeDialogs dialogs;
    cdlg::CDlg dlg{host, dialogs};
    std::deque<std::optional<std::string>> picks;
    std::vector<std::string> fileNameAtCall;

    ScriptedChoice() {
        dialogs.answer = [this](cdlg::OpenFileNameRecord& r) {
            fileNameAtCall.push_back(dlg.FileName());
            if (picks.empty()) {
                ADD_FAILURE() << "dialog opened once too often";
                return false;
            }
            const std::optional<std::string> pick = picks.front();
            picks.pop_front();
            if (!pick) {
                return false;
            }
            cdlg::test::WriteResult(r.file, *pick);
            return true;
        };
    }
};

struct FakeUi final : SoundChoiceUi {
    std::deque<bool> retries;
    int boxes = 0;
    std::vector<std::pair<int, std::string>> shown;

    bool RetryWrongFileType() override {
        ++boxes;
        if (retries.empty()) {
            ADD_FAILURE() << "unexpected wrong-type box";
            return false;
        }
        const bool retry = retries.front();
        retries.pop_front();
        return retry;
    }
    void ShowSoundFile(int slot, const std::string& path) override { shown.emplace_back(slot, path); }
    void SayNotOnThisComputer() override { ++notLocal; }
    int notLocal = 0;
};

TEST(ChooseSoundFile, SetsUpTheOpenDialogAndFillsTheSlot) {
    ScriptedChoice c;
    FakeUi ui;
    c.dlg.SetFileName("C:\\earlier.wav");
    c.picks = {"C:\\Sounds\\ding.WAV"};
    ChooseSoundFile(c.dlg, ui, 2);

    ASSERT_EQ(c.dialogs.calls.size(), 1u);
    const auto& call = c.dialogs.calls[0];
    EXPECT_EQ(call.kind, cdlg::FileDialogKind::Open);
    EXPECT_STREQ(call.record.title, "Select WAV file for Sound Alert ...");
    EXPECT_EQ(call.record.flags, 4096u | 8u) << "the file must exist; the current folder stays";
    EXPECT_EQ(call.record.maxFile, 1041u) << "a path of 260 characters in UTF-8 fits";
    EXPECT_EQ(call.filter, "Sound Files      (*.wav)\0*.wav\0\0"s);
    EXPECT_EQ(c.fileNameAtCall, std::vector<std::string>{""});
    EXPECT_EQ(ui.shown, (std::vector<std::pair<int, std::string>>{{2, "C:\\Sounds\\ding.WAV"}}));
    EXPECT_EQ(ui.boxes, 0);
}

TEST(ChooseSoundFile, CancelledDialogLeavesTheSlot) {
    ScriptedChoice c;
    FakeUi ui;
    c.picks = {std::nullopt};
    ChooseSoundFile(c.dlg, ui, 0);
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(ui.boxes, 0);
}

TEST(ChooseSoundFile, WrongTypeAsksAndRetryRunsTheWholeChoiceAgain) {
    {
        ScriptedChoice c;  // Cancel in the box
        FakeUi ui;
        c.picks = {"C:\\notes.txt"};
        ui.retries = {false};
        ChooseSoundFile(c.dlg, ui, 1);
        EXPECT_TRUE(ui.shown.empty());
        EXPECT_EQ(c.dialogs.calls.size(), 1u);
    }
    {
        ScriptedChoice c;  // Retry, then a valid file
        FakeUi ui;
        c.picks = {"C:\\notes.txt", "C:\\Sounds\\ding.wav"};
        ui.retries = {true};
        ChooseSoundFile(c.dlg, ui, 1);
        EXPECT_EQ(ui.shown, (std::vector<std::pair<int, std::string>>{{1, "C:\\Sounds\\ding.wav"}}));
        EXPECT_EQ(c.fileNameAtCall, (std::vector<std::string>{"", ""})) << "FileName cleared before each dialog";
        ASSERT_EQ(c.dialogs.calls.size(), 2u);
        EXPECT_STREQ(c.dialogs.calls[1].record.title, "Select WAV file for Sound Alert ...");
    }
    {
        ScriptedChoice c;  // Retry twice, then cancel the dialog
        FakeUi ui;
        c.picks = {"C:\\a.txt", "C:\\b.mp3", std::nullopt};
        ui.retries = {true, true};
        ChooseSoundFile(c.dlg, ui, 0);
        EXPECT_TRUE(ui.shown.empty());
        EXPECT_EQ(ui.boxes, 2);
        EXPECT_EQ(c.dialogs.calls.size(), 3u);
    }
}

// Never looked up without the user: another computer's path, a URL, a device. A local long
// path is a local file; a relative one is the program's, whatever the current folder.
TEST(SoundPath, OnlyThisComputersFilesArePlayed) {
    const struct {
        const char* stored;
        const char* folder;
        std::optional<std::string> played;
    } cases[] = {
        {"D:\\Sons\\caf\xC3\xA9.wav", "C:\\Corvane", "D:\\Sons\\caf\xC3\xA9.wav"},
        {"\\\\?\\C:\\long\\a.wav", "C:\\Corvane", "\\\\?\\C:\\long\\a.wav"},
        {"\\\\.\\C:\\a.wav", "C:\\Corvane", "\\\\.\\C:\\a.wav"},
        {"alert.wav", "C:\\Corvane", "C:\\Corvane\\alert.wav"},
        {"\\Sons\\a.wav", "C:\\Corvane", "C:\\Sons\\a.wav"},
        {"\\\\192.0.2.1\\share\\alert.wav", "C:\\Corvane", std::nullopt},
        {"//host/share/a.wav", "C:\\Corvane", std::nullopt},
        {"\\\\host@SSL@443\\DavWWWRoot\\a.wav", "C:\\Corvane", std::nullopt},
        {"\\\\?\\UNC\\host\\share\\a.wav", "C:\\Corvane", std::nullopt},
        {"\\\\.\\UNC\\host\\share\\a.wav", "C:\\Corvane", std::nullopt},
        {"\\?\?\\UNC\\host\\share\\a.wav", "C:\\Corvane", std::nullopt},
        {"\\\\?\\GLOBALROOT\\Device\\Mup\\host\\a.wav", "C:\\Corvane", std::nullopt},
        {"\\\\.\\pipe\\x", "C:\\Corvane", std::nullopt},
        {"file://host/share/a.wav", "C:\\Corvane", std::nullopt},
        {"C:a.wav", "C:\\Corvane", std::nullopt},
        {"alert.wav", "\\\\host\\share\\Corvane", std::nullopt},
        {"\\Sons\\a.wav", "\\\\host\\share", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LocalSoundFile(c.stored, c.folder), c.played) << c.stored << " in " << c.folder;
    }
}

TEST(ChooseSoundFile, AFileOnAnotherComputerIsSaidAndLeavesTheSlot) {
    ScriptedChoice c;
    FakeUi ui;
    c.picks = {"\\\\host\\share\\ding.wav"};
    ChooseSoundFile(c.dlg, ui, 1);
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(ui.notLocal, 1);
    EXPECT_EQ(ui.boxes, 0);
}

TEST(ChooseSoundFile, DialogErrorsReachTheCaller) {
    ScriptedChoice c;
    FakeUi ui;
    c.dlg.SetCancelError(true);
    c.picks = {std::nullopt};
    try {
        ChooseSoundFile(c.dlg, ui, 0);
        ADD_FAILURE() << "no error";
    } catch (const ComponentError& e) {
        EXPECT_EQ(e.Number(), 32755);
    }
    EXPECT_TRUE(ui.shown.empty());
}

} // namespace
} // namespace corvane::sounds
