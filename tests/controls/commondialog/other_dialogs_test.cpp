#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/component_error.h"
#include "controls/commondialog/common_dialog.h"
#include "controls/commondialog/fake_host.h"

namespace corvane::cdlg {
namespace {

using test::FakeDialogs;
using test::FakeHost;

struct Control {
    FakeHost host;
    FakeDialogs dialogs;
    CDlg dlg{host, dialogs};
};

std::int32_t CancelErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const ComponentError& e) {
        return e.Number();
    }
    return 0;
}

template <std::size_t N>
std::array<std::uint8_t, N> Le(std::initializer_list<std::pair<std::size_t, std::uint32_t>> fields) {
    std::array<std::uint8_t, N> b{};
    for (const auto& [at, v] : fields) {
        PutLe32(&b[at], v);
    }
    return b;
}


TEST(CDlgColor, HandsOverTheRecordAndKeepsCustomColoursOnlyWhenChosen) {
    Control c;
    c.dlg.SetColor(0x123456);  // not given to the dialog
    c.dlg.SetFlags(2);
    c.dialogs.colorAnswer = [](ChooseColorRecord& r) {
        r.rgbResult = 0x00302010;
        r.custColors[0] = 0x00AABBCC;
        return true;
    };
    c.host.changes.clear();
    c.dlg.ShowColor();
    ASSERT_EQ(c.dialogs.colorCalls.size(), 1u);
    const ChooseColorBytes& b = c.dialogs.colorCalls[0].bytes;
    EXPECT_EQ(b, (Le<36>({{0, 36}, {4, 0x00010A2C}, {8, 0x00400000}, {16, GetLe32(&b[16])}, {20, 2}})));
    EXPECT_NE(GetLe32(&b[16]), 0u) << "lpCustColors";
    EXPECT_EQ(c.dlg.Color(), 0x00302010);
    EXPECT_EQ(c.dlg.CustomColors()[0], 0xCC);
    EXPECT_EQ(c.dlg.CustomColors()[2], 0xAA);
    EXPECT_TRUE(c.host.changes.empty());

    // The next call starts from them; a cancelled one drops its edits.
    c.dialogs.colorAnswer = [](ChooseColorRecord& r) {
        r.rgbResult = 0x00FFFFFF;
        r.custColors[1] = 0x00445566;
        return false;
    };
    c.dlg.ShowColor();
    EXPECT_EQ(c.dialogs.colorCalls[1].customColors[0], 0x00AABBCCu);
    EXPECT_EQ(c.dlg.Color(), 0x00302010);
    EXPECT_EQ(c.dlg.CustomColors()[4], 0);
    c.dlg.SetCancelError(true);
    EXPECT_EQ(CancelErrorOf([&] { c.dlg.ShowColor(); }), kCancelError);
    EXPECT_EQ(c.dlg.CustomColors()[4], 0);
}

TEST(CDlgFont, HandsOverTheStartingRecordsWhateverTheFontProperties) {
    Control c;
    c.dlg.SetFontName(std::string(40, 'F'));
    c.dlg.SetFontBold(true);
    c.dlg.SetFontItalic(true);
    c.dlg.SetFontSize(30);
    c.dlg.SetFlags(0x41);
    c.dlg.SetMin(8);
    c.dlg.SetMax(72);
    c.dlg.ShowFont();
    ASSERT_EQ(c.dialogs.fontCalls.size(), 1u);
    const auto& call = c.dialogs.fontCalls[0];

    LogFontBytes logFont{};
    PutLe32(&logFont[16], 400);
    logFont[23] = 1;
    logFont[27] = 16;
    std::memset(&logFont[28], 'F', 31);
    EXPECT_EQ(call.logFont, logFont);

    const std::uint32_t lpLogFont = GetLe32(&call.bytes[12]);
    EXPECT_NE(lpLogFont, 0u);
    auto expected = Le<60>({{0, 60}, {4, 0x00010A2C}, {12, lpLogFont}, {20, 0x41}, {52, 8}, {56, 72}});
    PutLe16(&expected[48], 1024);
    EXPECT_EQ(call.bytes, expected);
    EXPECT_TRUE(c.dialogs.memory.blocks.empty()) << "the LOGFONT block is freed after a cancel";
    EXPECT_TRUE(c.dialogs.memory.faults.empty());
    EXPECT_TRUE(c.dlg.FontBold()) << "nothing changes on cancel";
    EXPECT_EQ(c.dlg.FontSize(), 30.0f);
}

// Under the UTF-8 code page a face name longer than the record's 31 bytes must not end in half
// a character: the dialog would find no such font.
TEST(CDlgFont, CutsTheFaceNameAtACharacterBoundary) {
    const std::string thirty(30, 'F');
    const struct {
        std::string name;
        std::string handedOver;
    } cases[] = {
        {thirty + "\xC3\xA9", thirty},                         // e acute would span bytes 31 and 32
        {thirty + "\xF0\x9F\x94\x8B", thirty},               // four-byte symbol from byte 31
        {std::string(29, 'F') + "\xC3\xA9x", std::string(29, 'F') + "\xC3\xA9"}, // ends exactly at 31
    };
    for (const auto& k : cases) {
        Control c;
        c.dlg.SetFontName(k.name);
        c.dlg.ShowFont();
        ASSERT_EQ(c.dialogs.fontCalls.size(), 1u);
        const auto& lf = c.dialogs.fontCalls[0].logFont;
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(&lf[28])), k.handedOver) << k.name;
    }
}

TEST(CDlgFont, ReadsTheChosenFontBack) {
    struct Case {
        std::int32_t height;
        std::int32_t ppi;
        std::int32_t weight;
        float size;
        bool bold;
    };
    const Case cases[] = {
        {-13, 96, 700, 10, true},  {-20, 96, 400, 15, false}, {-6, 96, 401, 4, true},
        {-18, 96, 399, 14, false}, {-16, 96, 0, 12, false},   {-20, 120, 700, 12, true},
    };
    for (const Case& k : cases) {
        Control c;
        c.dialogs.pixelsPerInch = k.ppi;
        c.dialogs.fontAnswer = [&](ChooseFontRecord& r, LogFontBytes& lf) {
            PutLe32(&lf[0], static_cast<std::uint32_t>(k.height));
            PutLe32(&lf[16], static_cast<std::uint32_t>(k.weight));
            lf[20] = 1;    // italic
            lf[21] = 0;    // underline
            lf[22] = 255;  // strike-out
            lf[23] = 204;  // RUSSIAN_CHARSET
            std::memcpy(&lf[28], "Tahoma\0", 7);
            r.rgbColors = 0x000000FF;
            return true;
        };
        c.host.changes.clear();
        c.dlg.ShowFont();
        const std::string at = std::to_string(k.height) + " at " + std::to_string(k.ppi);
        EXPECT_EQ(c.dlg.FontSize(), k.size) << at;
        EXPECT_EQ(c.dlg.FontBold(), k.bold) << k.weight;
        EXPECT_EQ(c.dlg.FontName(), "Tahoma");
        EXPECT_EQ(c.dlg.Color(), 0xFF);
        EXPECT_EQ(c.dlg.FontCharSet(), 204);
        EXPECT_TRUE(c.dlg.FontItalic());
        EXPECT_FALSE(c.dlg.FontUnderLine());
        EXPECT_TRUE(c.dlg.FontStrikeThru());
        EXPECT_TRUE(c.host.changes.empty());
        EXPECT_TRUE(c.dialogs.memory.blocks.empty());
        EXPECT_TRUE(c.dialogs.memory.faults.empty());
    }
}

TEST(CDlgFont, NoBlockNoDialog) {
    Control c;
    c.dialogs.memory.failAlloc = true;
    EXPECT_EQ(CancelErrorOf([&] { c.dlg.ShowFont(); }), kOutOfMemory);
    EXPECT_TRUE(c.dialogs.fontCalls.empty());
}

TEST(CDlgHelp, CommandOnePassesTheContextAndEveryOtherTheKeyText) {
    Control c;
    c.dlg.SetHelpFile("C:\\app.hlp");
    c.dlg.SetHelpContext(70000);
    c.dlg.SetHelpKey("battery");
    for (std::int16_t command : {std::int16_t{1}, std::int16_t{0x101}, std::int16_t{2}, std::int16_t{-32768}}) {
        c.dlg.SetHelpCommand(command);
        c.dlg.ShowHelp();
    }
    ASSERT_EQ(c.dialogs.helpCalls.size(), 4u);
    const auto key = reinterpret_cast<std::uintptr_t>(c.dlg.HelpKey().c_str());
    const std::pair<std::uint32_t, std::uintptr_t> expected[] = {{1, 70000}, {0x101, key}, {2, key}, {0x8000, key}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(c.dialogs.helpCalls[i].owner, 0x00010A2C);
        EXPECT_EQ(c.dialogs.helpCalls[i].file, "C:\\app.hlp");
        EXPECT_EQ(c.dialogs.helpCalls[i].command, expected[i].first) << i;
        EXPECT_EQ(c.dialogs.helpCalls[i].data, expected[i].second) << i;
    }
}

TEST(CDlgFolder, HandsOverTheRecordAndReadsThePathBack) {
    Control c;
    c.dlg.SetDialogTitle("Pick a folder");
    c.dlg.SetFlags(1);
    c.dialogs.chosenFolder = "C:\\Sounds";
    c.host.changes.clear();
    EXPECT_EQ(c.dlg.ShowBrowseForFolder(), "C:\\Sounds");
    EXPECT_EQ(c.dlg.FolderPath(), "C:\\Sounds");
    EXPECT_TRUE(c.host.changes.empty());
    ASSERT_EQ(c.dialogs.browseCalls.size(), 1u);
    const BrowseInfoBytes& b = c.dialogs.browseCalls[0].bytes;
    EXPECT_EQ(b, (Le<32>({{0, 0x00010A2C}, {12, GetLe32(&b[12])}, {16, 1}})));
    EXPECT_EQ(c.dialogs.browseCalls[0].title, "Pick a folder");
    EXPECT_TRUE(c.dialogs.foldersAsked.empty()) << "0 is the desktop, no item list";
    EXPECT_EQ(c.dialogs.freedLists, std::vector<std::uintptr_t>{0x00D00000u});
}

TEST(CDlgFolder, SpecialFolderNumbersBecomeRootsAndInvalidOnesTheDesktop) {
    struct Case {
        std::int32_t folder;
        std::uint32_t root;
    };
    for (const Case k : {Case{5, 0x00C00005}, Case{38, 0x00C00026}, Case{999, 0}, Case{-1, 0}}) {
        Control c;
        c.dlg.SetBrowseSpecialFolder(k.folder);
        c.dialogs.chosenFolder = "C:\\x";
        c.dlg.ShowBrowseForFolder();
        ASSERT_EQ(c.dialogs.browseCalls.size(), 1u);
        EXPECT_EQ(GetLe32(&c.dialogs.browseCalls[0].bytes[4]), k.root) << k.folder;
        std::vector<std::uintptr_t> freed{0x00D00000u};
        if (k.root) {
            freed.push_back(k.root);
        }
        EXPECT_EQ(c.dialogs.freedLists, freed) << k.folder;
    }
}

TEST(CDlgFolder, PathIsCutToMaxFileSize) {
    const std::string longPath = "C:\\" + std::string(250, 'd');
    struct Case {
        std::int16_t maxFileSize;
        std::string path;
    };
    for (const Case& k : {Case{10, longPath.substr(0, 10)}, Case{0, ""}, Case{260, longPath}, Case{1000, longPath}}) {
        Control c;
        c.dlg.SetMaxFileSize(k.maxFileSize);
        c.dialogs.chosenFolder = longPath;
        EXPECT_EQ(c.dlg.ShowBrowseForFolder(), k.path) << k.maxFileSize;
    }
    Control c;
    c.dlg.SetMaxFileSize(-1);
    c.dialogs.chosenFolder = longPath;
    EXPECT_EQ(CancelErrorOf([&] { c.dlg.ShowBrowseForFolder(); }), kInvalidArgument);
    EXPECT_EQ(c.dialogs.freedLists.size(), 1u) << "the chosen list is released all the same";
}

TEST(CDlgFolder, CancelEmptiesFolderPathOrRaisesAndKeepsIt) {
    Control c;
    c.dlg.SetFolderPath("C:\\before");
    EXPECT_EQ(c.dlg.ShowBrowseForFolder(), "");
    EXPECT_EQ(c.dlg.FolderPath(), "");
    c.dlg.SetFolderPath("C:\\before");
    c.dlg.SetCancelError(true);
    EXPECT_EQ(CancelErrorOf([&] { c.dlg.ShowBrowseForFolder(); }), kCancelError);
    EXPECT_EQ(c.dlg.FolderPath(), "C:\\before");
    EXPECT_TRUE(c.dialogs.freedLists.empty());
}

TEST(CDlgAbout, SixLinesAtDesignTimeAsAtRunTime) {
    for (bool userMode : {false, true}) {
        Control c;
        c.host.userMode = userMode;
        c.dlg.About();
        ASSERT_EQ(c.dialogs.infoCalls.size(), 1u);
        const auto& box = c.dialogs.infoCalls[0];
        EXPECT_EQ(box.text.substr(0, 31), "TarnCommonDialog user control\r\n");
        std::size_t lines = 1;
        for (std::size_t at = box.text.find("\r\n"); at != std::string::npos; at = box.text.find("\r\n", at + 2)) {
            ++lines;
        }
        EXPECT_EQ(lines, 6u);
        EXPECT_NE(box.text.find("\r\n\r\n"), std::string::npos) << "the fourth line is empty";
        EXPECT_EQ(box.title.rfind("TarnCommonDialog user control - ", 0), 0u);
        EXPECT_EQ(box.owner, 0x00010A2C);
    }
}

} // namespace
} // namespace corvane::cdlg
