#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "base/component_error.h"
#include "controls/commondialog/common_dialog.h"
#include "controls/commondialog/fake_host.h"

namespace corvane::cdlg {
namespace {

using test::FakeDialogs;
using test::FakeHost;
using test::WriteResult;
using namespace std::string_literals;

const std::string kSoundFilter = "Sound Files      (*.wav)|*.wav";
const std::string kSoundFilterStored = "Sound Files      (*.wav)\0*.wav"s;

struct Control {
    FakeHost host;
    FakeDialogs dialogs;
    CDlg dlg{host, dialogs};
};

template <typename F>
ComponentError CatchError(F&& f) {
    try {
        f();
    } catch (const ComponentError& e) {
        return e;
    }
    ADD_FAILURE() << "no error raised";
    return ComponentError(0, "", "");
}

TEST(CDlgProperties, NewInstanceHasTheTableDefaults) {
    Control c;
    const CDlg& d = c.dlg;
    EXPECT_EQ(d.Copies(), 1);
    EXPECT_EQ(d.MaxFileSize(), 260);
    EXPECT_EQ(d.FontSize(), 8.0f);
    EXPECT_EQ(d.Orientation(), 1);

    EXPECT_EQ(d.OwnerHwnd(), 0);
    EXPECT_EQ(d.Color(), 0);
    EXPECT_FALSE(d.CancelError());
    EXPECT_EQ(d.Flags(), 0);
    for (const std::string* s : {&d.DefaultExt(), &d.FileName(), &d.Filter(), &d.InitDir(), &d.DialogTitle(),
                                 &d.FileTitle(), &d.FontName(), &d.HelpFile(), &d.HelpKey(), &d.PrinterName(),
                                 &d.FolderPath(), &d.PrinterExtraExtra()}) {
        EXPECT_EQ(*s, "");
    }
    for (std::int32_t v : {std::int32_t{d.FilterIndex()}, std::int32_t{d.FileOffset()},
                           std::int32_t{d.ExtensionOffset()}, d.FontCharSet(), d.hDC(), std::int32_t{d.Min()},
                           std::int32_t{d.Max()}, std::int32_t{d.FromPage()}, std::int32_t{d.ToPage()},
                           std::int32_t{d.Action()}, std::int32_t{d.HelpCommand()}, d.HelpContext(),
                           d.PrinterDefaultSource(), d.BrowseSpecialFolder(), std::int32_t{d.PrinterExtraCollate()},
                           d.PrinterExtraFields(), std::int32_t{d.PrinterExtraOutputOffset()}}) {
        EXPECT_EQ(v, 0);
    }
    for (bool b : {d.FontBold(), d.FontStrikeThru(), d.FontUnderLine(), d.FontItalic(), d.PrinterDefault()}) {
        EXPECT_FALSE(b);
    }
    EXPECT_EQ(d.CustomColors().size(), 64u);
    for (auto byte : d.CustomColors()) {
        EXPECT_EQ(byte, 0);
    }
    EXPECT_TRUE(c.host.changes.empty());
}

struct SetterCase {
    const char* key;
    std::function<void(CDlg&)> set;
    std::function<bool(const CDlg&)> stored;
};

std::vector<SetterCase> AllSetters() {
    return {
        {"Color", [](CDlg& d) { d.SetColor(0x00FF8040); }, [](const CDlg& d) { return d.Color() == 0x00FF8040; }},
        {"CancelError", [](CDlg& d) { d.SetCancelError(true); }, [](const CDlg& d) { return d.CancelError(); }},
        {"Flags", [](CDlg& d) { d.SetFlags(4096); }, [](const CDlg& d) { return d.Flags() == 4096; }},
        {"DefaultExt", [](CDlg& d) { d.SetDefaultExt("wav"); }, [](const CDlg& d) { return d.DefaultExt() == "wav"; }},
        {"FileName", [](CDlg& d) { d.SetFileName("a|b"); }, [](const CDlg& d) { return d.FileName() == "a|b"; }},
        {"Filter", [](CDlg& d) { d.SetFilter("x|y"); }, [](const CDlg& d) { return d.Filter() == "x\0y"s; }},
        {"InitDir", [](CDlg& d) { d.SetInitDir("C:\\"); }, [](const CDlg& d) { return d.InitDir() == "C:\\"; }},
        {"DialogTitle", [](CDlg& d) { d.SetDialogTitle("T"); }, [](const CDlg& d) { return d.DialogTitle() == "T"; }},
        {"FileTitle", [](CDlg& d) { d.SetFileTitle("t.wav"); }, [](const CDlg& d) { return d.FileTitle() == "t.wav"; }},
        {"Copies", [](CDlg& d) { d.SetCopies(3); }, [](const CDlg& d) { return d.Copies() == 3; }},
        {"FilterIndex", [](CDlg& d) { d.SetFilterIndex(2); }, [](const CDlg& d) { return d.FilterIndex() == 2; }},
        {"MaxFileSize", [](CDlg& d) { d.SetMaxFileSize(1024); }, [](const CDlg& d) { return d.MaxFileSize() == 1024; }},
        {"FileOffset", [](CDlg& d) { d.SetFileOffset(7); }, [](const CDlg& d) { return d.FileOffset() == 7; }},
        {"ExtensionOffset", [](CDlg& d) { d.SetExtensionOffset(9); },
         [](const CDlg& d) { return d.ExtensionOffset() == 9; }},
        {"FontBold", [](CDlg& d) { d.SetFontBold(true); }, [](const CDlg& d) { return d.FontBold(); }},
        {"FontName", [](CDlg& d) { d.SetFontName("Verdana"); }, [](const CDlg& d) { return d.FontName() == "Verdana"; }},
        {"FontSize", [](CDlg& d) { d.SetFontSize(10.5f); }, [](const CDlg& d) { return d.FontSize() == 10.5f; }},
        {"FontStrikeThru", [](CDlg& d) { d.SetFontStrikeThru(true); }, [](const CDlg& d) { return d.FontStrikeThru(); }},
        {"FontUnderLine", [](CDlg& d) { d.SetFontUnderLine(true); }, [](const CDlg& d) { return d.FontUnderLine(); }},
        {"FontCharSet", [](CDlg& d) { d.SetFontCharSet(2); }, [](const CDlg& d) { return d.FontCharSet() == 2; }},
        {"FontItalic", [](CDlg& d) { d.SetFontItalic(true); }, [](const CDlg& d) { return d.FontItalic(); }},
        {"hDC", [](CDlg& d) { d.SethDC(0x12345); }, [](const CDlg& d) { return d.hDC() == 0x12345; }},
        {"PrinterDefault", [](CDlg& d) { d.SetPrinterDefault(true); }, [](const CDlg& d) { return d.PrinterDefault(); }},
        {"Min", [](CDlg& d) { d.SetMin(1); }, [](const CDlg& d) { return d.Min() == 1; }},
        {"Max", [](CDlg& d) { d.SetMax(10); }, [](const CDlg& d) { return d.Max() == 10; }},
        {"FromPage", [](CDlg& d) { d.SetFromPage(2); }, [](const CDlg& d) { return d.FromPage() == 2; }},
        {"ToPage", [](CDlg& d) { d.SetToPage(5); }, [](const CDlg& d) { return d.ToPage() == 5; }},
        {"Orientation", [](CDlg& d) { d.SetOrientation(2); }, [](const CDlg& d) { return d.Orientation() == 2; }},
        {"Action", [](CDlg& d) { d.SetAction(0); }, [](const CDlg& d) { return d.Action() == 0; }},
        {"HelpCommand", [](CDlg& d) { d.SetHelpCommand(3); }, [](const CDlg& d) { return d.HelpCommand() == 3; }},
        {"HelpContext", [](CDlg& d) { d.SetHelpContext(70000); }, [](const CDlg& d) { return d.HelpContext() == 70000; }},
        {"HelpFile", [](CDlg& d) { d.SetHelpFile("x.hlp"); }, [](const CDlg& d) { return d.HelpFile() == "x.hlp"; }},
        {"HelpKey", [](CDlg& d) { d.SetHelpKey("key"); }, [](const CDlg& d) { return d.HelpKey() == "key"; }},
        {"PrinterName", [](CDlg& d) { d.SetPrinterName("P"); }, [](const CDlg& d) { return d.PrinterName() == "P"; }},
        {"PrinterDefaultSource", [](CDlg& d) { d.SetPrinterDefaultSource(15); },
         [](const CDlg& d) { return d.PrinterDefaultSource() == 15; }},
        {"FolderPath", [](CDlg& d) { d.SetFolderPath("C:\\x"); }, [](const CDlg& d) { return d.FolderPath() == "C:\\x"; }},
        {"BrowseSpecialFolder", [](CDlg& d) { d.SetBrowseSpecialFolder(5); },
         [](const CDlg& d) { return d.BrowseSpecialFolder() == 5; }},
    };
}

TEST(CDlgProperties, EverySetterStoresThenNotifiesUnderItsKey) {
    for (const SetterCase& s : AllSetters()) {
        Control c;
        s.set(c.dlg);
        EXPECT_TRUE(s.stored(c.dlg)) << s.key;
        EXPECT_EQ(c.host.changes, std::vector<std::string>{s.key}) << s.key;
    }
    Control c;
    c.dlg.SetOwnerHwnd(0x4242);
    EXPECT_EQ(c.dlg.OwnerHwnd(), 0x4242);
    EXPECT_TRUE(c.host.changes.empty()) << "OwnerHwnd is a plain store";
}

TEST(CDlgProperties, FilterTurnsEveryBarIntoANul) {
    Control c;
    c.dlg.SetFilter(kSoundFilter);
    EXPECT_EQ(c.dlg.Filter(), kSoundFilterStored);
    c.dlg.SetFilter("Text (*.txt)|*.txt|All|*.*|");
    EXPECT_EQ(c.dlg.Filter(), "Text (*.txt)\0*.txt\0All\0*.*\0"s);
    c.dlg.SetFilter("no bars");
    EXPECT_EQ(c.dlg.Filter(), "no bars");
}

TEST(CDlgProperties, GuardedSettersRefuseAtDesignTimeAndStoreNothing) {
    const std::vector<std::string> guarded = {"FileTitle", "FileOffset", "ExtensionOffset", "hDC",
                                              "Action",    "PrinterName", "PrinterDefaultSource"};
    int refused = 0;
    for (const SetterCase& s : AllSetters()) {
        Control c;
        c.host.userMode = false;
        const bool isGuarded = std::find(guarded.begin(), guarded.end(), s.key) != guarded.end();
        if (!isGuarded) {
            s.set(c.dlg);
            EXPECT_TRUE(s.stored(c.dlg)) << s.key << " is not guarded";
            continue;
        }
        ++refused;
        const ComponentError e = CatchError([&] { s.set(c.dlg); });
        EXPECT_EQ(e.Number(), kSetNotPermitted) << s.key;
        EXPECT_TRUE(c.host.changes.empty()) << s.key;
        if (std::string(s.key) != "Action") {  // Action's test value is its default
            EXPECT_FALSE(s.stored(c.dlg)) << s.key;
        }
    }
    EXPECT_EQ(refused, 7);

    Control c;
    c.host.userMode = false;
    EXPECT_THROW(c.dlg.SetAction(1), ComponentError);
    EXPECT_EQ(c.dlg.Action(), 0);
    EXPECT_TRUE(c.dialogs.calls.empty());
}

TEST(CDlgProperties, ActionRunsTheDialogOfItsNumber) {
    Control c;
    for (std::int16_t bad : {std::int16_t{-1}, std::int16_t{7}}) {
        const ComponentError e = CatchError([&] { c.dlg.SetAction(bad); });
        EXPECT_EQ(e.Number(), kInvalidPropertyValue);
    }
    EXPECT_EQ(c.dlg.Action(), 0);
    EXPECT_TRUE(c.host.changes.empty());

    c.dlg.SetAction(1);
    ASSERT_EQ(c.dialogs.calls.size(), 1u);
    EXPECT_EQ(c.dialogs.calls[0].kind, FileDialogKind::Open);
    EXPECT_EQ(c.dlg.Action(), 1);
    c.dlg.SetAction(2);
    ASSERT_EQ(c.dialogs.calls.size(), 2u);
    EXPECT_EQ(c.dialogs.calls[1].kind, FileDialogKind::Save);
    EXPECT_EQ(c.host.changes, (std::vector<std::string>{"Action", "Action"}));
    for (std::int16_t action = 3; action <= 6; ++action) {
        c.dlg.SetAction(action);
    }
    EXPECT_EQ(c.dialogs.colorCalls.size(), 1u);
    EXPECT_EQ(c.dialogs.fontCalls.size(), 1u);
    EXPECT_EQ(c.dialogs.printCalls.size(), 1u);
    EXPECT_EQ(c.dialogs.helpCalls.size(), 1u);
    EXPECT_EQ(c.dlg.Action(), 6);
    EXPECT_EQ(c.host.changes.size(), 6u);

    // The cancel error leaves the setter after the store and before the notification.
    c.host.changes.clear();
    c.dlg.SetCancelError(true);
    c.dlg.SetAction(0);
    c.host.changes.clear();
    EXPECT_EQ(CatchError([&] { c.dlg.SetAction(1); }).Number(), kCancelError);
    EXPECT_EQ(c.dlg.Action(), 1);
    EXPECT_EQ(CatchError([&] { c.dlg.SetAction(5); }).Number(), kCancelError);
    EXPECT_EQ(c.dlg.Action(), 5);
    EXPECT_TRUE(c.host.changes.empty());
}

TEST(CDlgProperties, HelpKeyKeepsTheTextOfAnyValue) {
    Control c;
    c.dlg.SetHelpKey(std::int32_t{70000});
    EXPECT_EQ(c.dlg.HelpKey(), "70000");
    c.dlg.SetHelpKey(std::int16_t{-5});
    EXPECT_EQ(c.dlg.HelpKey(), "-5");
    c.dlg.SetHelpKey(GeneralValue());
    EXPECT_EQ(c.dlg.HelpKey(), "");
}

TEST(CDlgProperties, ResizeSnapsBackTo420Twips) {
    Control c;
    c.dlg.Resize();
    ASSERT_EQ(c.host.extents.size(), 1u);
    EXPECT_EQ(c.host.extents[0], std::make_pair(420, 420));
}

// Every persisted property away from its default.
void SetEveryProperty(CDlg& d) {
    for (const SetterCase& s : AllSetters()) {
        s.set(d);
    }
    d.SetFilter(kSoundFilter);
    d.SetHelpKey(std::int32_t{12});
    d.SetFontSize(9.75f);
    // Action 0 is its default; 1 and 2 would open a dialog.
}

TEST(CDlgPersistence, SaveAndLoadKeepEveryValue) {
    Control original;
    SetEveryProperty(original.dlg);
    TextPropertyBag saved;
    original.dlg.WriteProperties(saved);
    const std::string text = saved.ToText();

    for (const SetterCase& s : AllSetters()) {
        if (std::string(s.key) != "Action") {
            EXPECT_NE(text.find(std::string(s.key) + " = "), std::string::npos) << s.key << " not saved";
        }
    }
    EXPECT_NE(text.find("Filter = \"Sound Files      (*.wav)\\0*.wav\"\n"), std::string::npos) << text;
    EXPECT_NE(text.find("FontSize = 9.75\n"), std::string::npos) << text;

    Control loaded;
    loaded.host.userMode = false;
    loaded.dlg.ReadProperties(TextPropertyBag::FromText(text));
    EXPECT_EQ(loaded.dlg.Filter(), kSoundFilterStored);
    EXPECT_EQ(loaded.dlg.FileTitle(), "t.wav");
    EXPECT_EQ(loaded.dlg.HelpKey(), "12");
    EXPECT_TRUE(loaded.dlg.CancelError());
    EXPECT_EQ(loaded.dlg.MaxFileSize(), 1024);
    EXPECT_EQ(loaded.dlg.HelpContext(), 70000);
    TextPropertyBag again;
    loaded.dlg.WriteProperties(again);
    EXPECT_EQ(again.ToText(), text);
    EXPECT_TRUE(loaded.host.changes.empty()) << "loading notifies nothing";
}

TEST(CDlgPersistence, LoadingRunsNoSetterRule) {
    Control c;
    c.host.userMode = false;  // guarded fields load at design time
    c.dlg.ReadProperties(TextPropertyBag::FromText("Filter = \"a|b\"\nFileTitle = \"x.wav\"\nAction = 1\n"
                                                   "hDC = 77\nPrinterName = \"P\"\n"));
    EXPECT_EQ(c.dlg.Filter(), "a|b") << "no bar conversion";
    EXPECT_EQ(c.dlg.FileTitle(), "x.wav");
    EXPECT_EQ(c.dlg.Action(), 1);
    EXPECT_EQ(c.dlg.hDC(), 77);
    EXPECT_EQ(c.dlg.PrinterName(), "P");
    EXPECT_TRUE(c.dialogs.calls.empty()) << "no Action dispatch";
    EXPECT_TRUE(c.host.changes.empty());
}

TEST(CDlgPersistence, MissingOrUnreadableKeysLoadTheirDefaults) {
    Control c;
    SetEveryProperty(c.dlg);
    c.dlg.ReadProperties(TextPropertyBag::FromText("Copies = \"three\"\nMaxFileSize = 40000\n"));
    EXPECT_EQ(c.dlg.Copies(), 1);
    EXPECT_EQ(c.dlg.MaxFileSize(), 260);
    EXPECT_EQ(c.dlg.FontSize(), 8.0f);
    EXPECT_EQ(c.dlg.Filter(), "");
    EXPECT_FALSE(c.dlg.CancelError());

    TextPropertyBag saved;
    c.dlg.WriteProperties(saved);
    EXPECT_EQ(saved.ToText(), "") << "a control at its defaults stores nothing";
}

TEST(CDlgPersistence, OwnerHwndIsNotStored) {
    Control c;
    c.dlg.SetOwnerHwnd(0x777);
    TextPropertyBag saved;
    c.dlg.WriteProperties(saved);
    EXPECT_EQ(saved.ToText(), "");
    c.dlg.ReadProperties(TextPropertyBag::FromText("OwnerHwnd = 5\n"));
    EXPECT_EQ(c.dlg.OwnerHwnd(), 0x777);
}

std::uint32_t Le32(const OpenFileNameBytes& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

std::uint32_t Low32(const void* p) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p)); }

TEST(CDlgFileDialog, OpenHandsOverThe76ByteRecordAsTheTableSays) {
    Control c;
    c.dlg.SetFilter(kSoundFilter);
    c.dlg.SetFlags(4096);
    c.dlg.SetDialogTitle("Select WAV file for Sound Alert ...");
    c.dlg.SetDefaultExt("wav");
    c.dlg.SetFileName("C:\\preset.wav");  // not given to the dialog
    c.dlg.SetFilterIndex(3);              // nor this
    c.dlg.ShowOpen();

    ASSERT_EQ(c.dialogs.calls.size(), 1u);
    const auto& call = c.dialogs.calls[0];
    const OpenFileNameRecord& r = call.record;
    const OpenFileNameBytes& b = call.bytes;
    EXPECT_EQ(call.kind, FileDialogKind::Open);

    OpenFileNameBytes expected{};
    auto put = [&](std::size_t at, std::uint32_t v, int width = 4) {
        for (int i = 0; i < width; ++i) {
            expected[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
        }
    };
    put(0, 76);
    put(4, 0x00010A2C);
    put(8, 0x00400000);
    put(12, Low32(r.filter));
    put(28, Low32(r.file));
    put(32, 261);
    put(36, Low32(r.fileTitle));
    put(40, 261);
    put(44, Low32(r.initialDir));
    put(48, Low32(r.title));
    put(52, 4096);
    put(60, Low32(r.defExt));
    EXPECT_EQ(b, expected);
    EXPECT_EQ(Le32(b, 24), 0u) << "nFilterIndex";

    EXPECT_EQ(call.filter, "Sound Files      (*.wav)\0*.wav\0\0"s);
    EXPECT_EQ(call.fileBuffer, std::string(260, ' ') + '\0');
    EXPECT_EQ(call.titleBuffer, std::string(260, ' ') + '\0');
    ASSERT_NE(r.initialDir, nullptr);
    EXPECT_STREQ(r.initialDir, "") << "an empty InitDir is an empty text, not a null";
    EXPECT_STREQ(r.title, "Select WAV file for Sound Alert ...");
    EXPECT_STREQ(r.defExt, "wav");
    EXPECT_EQ(r.customFilter, nullptr);
    EXPECT_EQ(r.hook, 0u);
    EXPECT_EQ(r.templateName, nullptr);
}

TEST(CDlgFileDialog, ChosenFileIsReadBackWithoutNotificationOrGuard) {
    Control c;
    c.host.userMode = false;  // read-back stores even guarded fields
    c.dlg.SetFilter(kSoundFilter);
    c.host.changes.clear();
    c.dialogs.answer = [](OpenFileNameRecord& r) {
        WriteResult(r.file, "C:\\Sounds\\ding.wav");
        WriteResult(r.fileTitle, "ding.wav");
        r.fileOffset = 10;
        r.fileExtension = 15;
        r.filterIndex = 1;
        return true;
    };
    c.dlg.ShowOpen();
    EXPECT_EQ(c.dlg.FileName(), "C:\\Sounds\\ding.wav");
    EXPECT_EQ(c.dlg.FileTitle(), "ding.wav");
    EXPECT_EQ(c.dlg.FileOffset(), 10);
    EXPECT_EQ(c.dlg.ExtensionOffset(), 15);
    EXPECT_EQ(c.dlg.FilterIndex(), 1);
    EXPECT_TRUE(c.host.changes.empty());
}

TEST(CDlgFileDialog, FileNameIsTrimmedOfSpacesButFileTitleIsNot) {
    Control c;
    c.dialogs.answer = [](OpenFileNameRecord& r) {
        WriteResult(r.file, "  C:\\a b.wav  ");
        WriteResult(r.fileTitle, " a b.wav ");
        return true;
    };
    c.dlg.ShowSave();
    EXPECT_EQ(c.dialogs.calls.at(0).kind, FileDialogKind::Save);
    EXPECT_EQ(c.dlg.FileName(), "C:\\a b.wav");
    EXPECT_EQ(c.dlg.FileTitle(), " a b.wav ");
}

TEST(CDlgFileDialog, APathFillingTheWholeBufferIsReadWithinIt) {
    Control c;
    c.dlg.SetMaxFileSize(12);
    c.dialogs.answer = [](OpenFileNameRecord& r) {
        EXPECT_EQ(r.maxFile, 13u);
        WriteResult(r.file, "C:\\x\\abc.wav");  // 12 characters: the NUL is the 13th
        WriteResult(r.fileTitle, "abcdefgh.wav");
        return true;
    };
    c.dlg.ShowOpen();
    EXPECT_EQ(c.dlg.FileName(), "C:\\x\\abc.wav");
    EXPECT_EQ(c.dlg.FileTitle(), "abcdefgh.wav");
}

// A path too long for the buffer is reported, never taken for a cancel, whatever CancelError says.
TEST(CDlgFileDialog, BufferTooSmallIsAnErrorNotACancel) {
    for (const bool cancelError : {false, true}) {
        Control c;
        c.dlg.SetCancelError(cancelError);
        c.dlg.SetFileName("before.wav");
        c.dialogs.error = kFileBufferTooSmall;
        const ComponentError e = CatchError([&] { c.dlg.ShowOpen(); });
        EXPECT_EQ(e.Number(), 0x3003);
        EXPECT_EQ(e.Description(), kFileBufferTooSmallDescription);
        EXPECT_EQ(c.dlg.FileName(), "before.wav");
    }
}

TEST(CDlgFileDialog, NothingChosenLeavesEveryPropertyAsItWas) {
    Control c;
    c.dlg.SetFileName("before.wav");
    c.dlg.SetFileTitle("before");
    c.dlg.SetFilterIndex(2);
    TextPropertyBag before;
    c.dlg.WriteProperties(before);
    c.host.changes.clear();

    c.dlg.ShowOpen();  // CancelError false: a quiet return
    TextPropertyBag after;
    c.dlg.WriteProperties(after);
    EXPECT_EQ(after.ToText(), before.ToText());
    EXPECT_EQ(c.dlg.FileName(), "before.wav");

    c.dlg.SetCancelError(true);
    c.dlg.WriteProperties(before);
    const ComponentError e = CatchError([&] { c.dlg.ShowSave(); });
    EXPECT_EQ(e.Number(), 32755);
    EXPECT_EQ(e.Source(), "TarnCommonDialog user control");
    EXPECT_EQ(e.Description(), "Cancel was selected.");
    c.dlg.WriteProperties(after);
    EXPECT_EQ(after.ToText(), before.ToText());
    EXPECT_EQ(c.host.changes, std::vector<std::string>{"CancelError"});
}

TEST(CDlgFileDialog, BufferSizeLimits) {
    Control c;
    c.dlg.SetMaxFileSize(32767);
    EXPECT_EQ(CatchError([&] { c.dlg.ShowOpen(); }).Number(), kOverflow);
    c.dlg.SetMaxFileSize(-1);
    EXPECT_EQ(CatchError([&] { c.dlg.ShowSave(); }).Number(), kInvalidArgument);
    EXPECT_TRUE(c.dialogs.calls.empty()) << "no dialog opens";

    c.dlg.SetMaxFileSize(32766);
    c.dlg.ShowOpen();
    c.dlg.SetMaxFileSize(0);
    c.dlg.ShowOpen();
    ASSERT_EQ(c.dialogs.calls.size(), 2u);
    EXPECT_EQ(c.dialogs.calls[0].record.maxFile, 32767u);
    EXPECT_EQ(c.dialogs.calls[1].record.maxFile, 1u);
    EXPECT_EQ(c.dialogs.calls[1].fileBuffer, "\0"s);
}

TEST(CDlgFileDialog, OwnerIsResolvedOnceFromTheParentForm) {
    Control c;
    c.dlg.ShowOpen();
    EXPECT_EQ(c.dlg.OwnerHwnd(), 0x00010A2C);
    c.host.parent = 0x00020B3D;
    c.dlg.ShowOpen();
    EXPECT_EQ(c.dlg.OwnerHwnd(), 0x00010A2C);
    EXPECT_EQ(c.dialogs.calls.at(1).record.owner, 0x00010A2C);

    Control preset;
    preset.dlg.SetOwnerHwnd(0x333);
    preset.dlg.ShowSave();
    EXPECT_EQ(preset.dlg.OwnerHwnd(), 0x333);
    EXPECT_EQ(preset.dialogs.calls.at(0).record.owner, 0x333);
}

TEST(OpenFileNameRecord, PacksLittleEndianAndTakesBackOnlyTheDialogsFields) {
    OpenFileNameRecord r;
    r.owner = -2;  // a handle with its top bit set keeps all 32 bits
    r.maxCustFilter = 0x01020304;
    r.flags = 0x80001000;
    r.fileOffset = 0xBEEF;
    r.fileExtension = 0x0102;
    r.custData = 0x0A0B0C0D;
    OpenFileNameBytes b = PackOpenFileName32(r);
    EXPECT_EQ(Le32(b, 4), 0xFFFFFFFEu);
    EXPECT_EQ(Le32(b, 20), 0x01020304u);
    EXPECT_EQ(Le32(b, 52), 0x80001000u);
    EXPECT_EQ(b[56], 0xEF);
    EXPECT_EQ(b[57], 0xBE);
    EXPECT_EQ(b[58], 0x02);
    EXPECT_EQ(Le32(b, 64), 0x0A0B0C0Du);

    b[24] = 2;                 // nFilterIndex
    b[56] = 10, b[57] = 0;     // nFileOffset
    b[58] = 15, b[59] = 0;     // nFileExtension
    b[52] = 0;                 // Flags: not taken back
    OpenFileNameRecord back = r;
    ReadBackOpenFileName32(b, back);
    EXPECT_EQ(back.filterIndex, 2u);
    EXPECT_EQ(back.fileOffset, 10);
    EXPECT_EQ(back.fileExtension, 15);
    EXPECT_EQ(back.flags, 0x80001000u);
}

} // namespace
} // namespace corvane::cdlg
