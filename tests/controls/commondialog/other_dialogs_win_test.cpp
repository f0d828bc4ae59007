#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>
#include <winspool.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/component_error.h"
#include "controls/commondialog/common_dialog_win.h"
#include "controls/commondialog/counting_dialogs_win.h"
#include "controls/commondialog/dialog_picture_win.h"
#include "support/dialog_driver_win.h"
#include "support/file_dialog_win.h"

namespace corvane::cdlg {
namespace {

namespace support = ::corvane::test;
using support::DialogDriver;

// The colour dialog's red, green and blue boxes, its add-to-custom-colours button and the
// custom colour swatches.
constexpr int kRedBox = 706;
constexpr int kGreenBox = 707;
constexpr int kBlueBox = 708;
constexpr int kAddCustomColor = 712;
constexpr int kCustomColors = 721;
// The font dialog's style and size lists.
constexpr int kFontStyleList = 0x471;
constexpr int kFontSizeList = 0x472;

void SetRgb(HWND d, int r, int g, int b) {
    ::SetDlgItemInt(d, kRedBox, static_cast<UINT>(r), FALSE);
    ::SetDlgItemInt(d, kGreenBox, static_cast<UINT>(g), FALSE);
    ::SetDlgItemInt(d, kBlueBox, static_cast<UINT>(b), FALSE);
}

// The colour a person sees in the first custom-colour swatch.
COLORREF FirstCustomSwatch(HWND d) {
    HWND swatches = ::GetDlgItem(d, kCustomColors);
    RECT rc;
    ::GetClientRect(swatches, &rc);
    HDC dc = ::GetDC(swatches);
    const COLORREF c = ::GetPixel(dc, rc.right / 16, rc.bottom / 4);
    ::ReleaseDC(swatches, dc);
    return c;
}

std::string TreeItemText(HWND tree, HTREEITEM item) {
    char text[MAX_PATH] = {};
    TVITEMA tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = sizeof text;
    ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    return text;
}

void PickFromList(HWND d, int list, const char* text) {
    HWND box = ::GetDlgItem(d, list);
    ::SendMessageA(box, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    ::SendMessageA(d, WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}

template <typename F>
std::int32_t ErrorNumberOf(F&& f) {
    try {
        f();
    } catch (const ComponentError& e) {
        return e.Number();
    }
    return 0;
}

class CDlgRealDialogs : public ::testing::Test {
protected:
    support::TestWindow window{::DefWindowProcA};
    WindowCDlgHost host{window.get()};
    test::CountingDialogs api;
    CDlg dlg{host, api};
};

TEST_F(CDlgRealDialogs, ColorChosenAndCustomColoursCarriedToTheNextCall) {
    dlg.SetFlags(CC_FULLOPEN);
    {
        DialogDriver driver([](HWND d) {
            SetRgb(d, 10, 20, 30);
            support::PressButton(d, kAddCustomColor);
            support::PressButton(d, IDOK);
        });
        dlg.ShowColor();
        EXPECT_EQ(driver.DialogsSeen(), 1);
        EXPECT_FALSE(driver.WatchdogFired());
    }
    EXPECT_EQ(dlg.Color(), static_cast<std::int32_t>(RGB(10, 20, 30)));
    EXPECT_EQ(dlg.CustomColors()[0], 10);
    EXPECT_EQ(dlg.CustomColors()[1], 20);
    EXPECT_EQ(dlg.CustomColors()[2], 30);

    // The second dialog shows that colour; what is added in it and then cancelled is dropped.
    COLORREF swatch = 0;
    {
        DialogDriver driver([&](HWND d) {
            swatch = FirstCustomSwatch(d);
            test::SavePicture(d, "colour-dialog");
            SetRgb(d, 200, 100, 50);
            support::PressButton(d, kAddCustomColor);
            support::PressButton(d, IDCANCEL);
        });
        dlg.ShowColor();
        EXPECT_FALSE(driver.WatchdogFired());
    }
    EXPECT_EQ(swatch, RGB(10, 20, 30));
    EXPECT_EQ(dlg.Color(), static_cast<std::int32_t>(RGB(10, 20, 30)));
    const auto colors = dlg.CustomColors();
    EXPECT_EQ(std::vector<std::uint8_t>(colors.begin(), colors.begin() + 8),
              (std::vector<std::uint8_t>{10, 20, 30, 0, 0, 0, 0, 0}));
}

TEST_F(CDlgRealDialogs, FontChosenInTheRealDialogAndFreedOnEveryPath) {
    dlg.SetFontName("Tahoma");
    dlg.SetFlags(CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT);
    std::string faceShown;
    {
        DialogDriver driver([&](HWND d) {
            faceShown = support::DialogItemText(d, 0x470);
            PickFromList(d, kFontStyleList, "Bold");
            PickFromList(d, kFontSizeList, "12");
            test::SavePicture(d, "font-dialog");
            support::PressButton(d, IDOK);
        });
        dlg.ShowFont();
        EXPECT_EQ(driver.DialogsSeen(), 1);
        EXPECT_FALSE(driver.WatchdogFired());
    }
    EXPECT_EQ(faceShown, "Tahoma") << "FontName reaches the dialog";
    EXPECT_EQ(dlg.FontName(), "Tahoma");
    EXPECT_EQ(dlg.FontSize(), 12.0f);
    EXPECT_TRUE(dlg.FontBold());
    EXPECT_FALSE(dlg.FontItalic());
    EXPECT_EQ(dlg.hDC(), 0);
    EXPECT_EQ(api.memory.Live(), 0);

    dlg.SetCancelError(true);
    DialogDriver driver([](HWND d) { support::PressButton(d, IDCANCEL); });
    EXPECT_EQ(ErrorNumberOf([&] { dlg.ShowFont(); }), kCancelError);
    EXPECT_EQ(dlg.FontSize(), 12.0f);
    EXPECT_EQ(api.memory.Seen(), 2);
    EXPECT_EQ(api.memory.Live(), 0);
    EXPECT_EQ(api.memory.StillAllocated(), 0);
}

TEST_F(CDlgRealDialogs, FolderChosenUnderASpecialRootOrCancelledInTheRealDialog) {
    // The tree starts at the documents folder (a special-folder number resolved to its item
    // list); the person opens it and picks a folder in it. (Wine does not always list the
    // drives under My Computer in time, so the test stays away from them.)
    char documents[MAX_PATH] = {};
    ASSERT_EQ(::SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, 0, documents), S_OK);
    const std::string folder = std::string(documents) + "\\Corvane Sounds";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    dlg.SetBrowseSpecialFolder(CSIDL_PERSONAL);
    dlg.SetDialogTitle("Where are the sounds?");
    std::string rootShown;
    {
        DialogDriver driver([&](HWND d) {
            HWND tree = ::FindWindowExA(d, nullptr, "SysTreeView32", nullptr);
            const auto root = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
            rootShown = TreeItemText(tree, root);
            ::SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
            auto child = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD,
                                                                     reinterpret_cast<LPARAM>(root)));
            while (child && TreeItemText(tree, child) != "Corvane Sounds") {
                child = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT,
                                                                    reinterpret_cast<LPARAM>(child)));
            }
            ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(child));
            test::SavePicture(d, "folder-dialog");
            support::PressButton(d, IDOK);
        });
        const std::string chosen = dlg.ShowBrowseForFolder();
        ::RemoveDirectoryA(folder.c_str());
        EXPECT_EQ(chosen, folder);
        EXPECT_FALSE(driver.WatchdogFired());
    }
    EXPECT_EQ(rootShown, "Documents");
    EXPECT_EQ(dlg.FolderPath(), folder);

    // Cancelled, also where the number names no folder and the desktop is the root.
    for (std::int32_t special : {0, 0x7FFF}) {
        dlg.SetBrowseSpecialFolder(special);
        dlg.SetFolderPath("C:\\before");
        DialogDriver driver([&](HWND d) {
            HWND tree = ::FindWindowExA(d, nullptr, "SysTreeView32", nullptr);
            rootShown = TreeItemText(tree, reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)));
            support::PressButton(d, IDCANCEL);
        });
        EXPECT_EQ(dlg.ShowBrowseForFolder(), "") << special;
        EXPECT_EQ(dlg.FolderPath(), "") << special;
        EXPECT_EQ(driver.DialogsSeen(), 1) << special;
        EXPECT_EQ(rootShown, "Desktop") << special;
    }
}

TEST_F(CDlgRealDialogs, PrintDialogWithoutAPrinterFailsQuietlyAndLeavesNoBlock) {
    DWORD size = 0;
    ::GetDefaultPrinterA(nullptr, &size);
    if (size != 0) {
        GTEST_SKIP() << "this machine has a printer";
    }
    std::vector<std::string> boxes;
    const auto answer = [&](HWND d) {
        boxes.push_back(support::ReadDialogTexts(d).text);
        support::PressButton(d, IDOK);
    };
    {
        DialogDriver driver(answer);
        dlg.ShowPrinter();
        EXPECT_FALSE(driver.WatchdogFired());
    }
    EXPECT_EQ(api.printDialogResult, 0);
    ASSERT_EQ(boxes.size(), 1u) << "the dialog says why it cannot open";
    EXPECT_NE(boxes[0].find("printer"), std::string::npos) << boxes[0];
    EXPECT_EQ(api.memory.Seen(), 1) << "only the DEVMODE block: without a printer there are no names";
    EXPECT_EQ(api.memory.Live(), 0);
    EXPECT_EQ(api.memory.StillAllocated(), 0);
    EXPECT_EQ(dlg.PrinterName(), "");
    EXPECT_EQ(dlg.Copies(), 1);
    EXPECT_EQ(dlg.PrinterExtraExtra(), "");

    dlg.SetCancelError(true);
    DialogDriver driver(answer);
    EXPECT_EQ(ErrorNumberOf([&] { dlg.ShowPrinter(); }), kCancelError);
    EXPECT_EQ(api.memory.Live(), 0);
    EXPECT_EQ(api.memory.StillAllocated(), 0);
}

TEST_F(CDlgRealDialogs, AboutBoxAndHelpQuit) {
    support::DialogTexts seen;
    {
        DialogDriver driver([&](HWND d) {
            seen = support::ReadDialogTexts(d);
            support::PressButton(d, IDOK);
        });
        dlg.About();
        EXPECT_EQ(driver.DialogsSeen(), 1);
    }
    EXPECT_EQ(seen.title, kAboutTitle);
    EXPECT_EQ(seen.text, kAboutText);

    // HELP_QUIT with no help window open returns at once; it is the one command that needs no
    // help viewer to run.
    dlg.SetHelpCommand(HELP_QUIT);
    dlg.ShowHelp();
    EXPECT_EQ(dlg.OwnerHwnd(), HandleToInt32(window.get()));
}

TEST(DialogRecordLayout, The32BitRecordsAreThePlatforms) {
    EXPECT_EQ(sizeof(LOGFONTA), kLogFontSize);
    EXPECT_EQ(sizeof(DEVMODEA), kDevModeSize);
    EXPECT_EQ(offsetof(DEVMODEA, dmDefaultSource), devmode::kDefaultSource);
    EXPECT_EQ(offsetof(DEVMODEA, dmCollate), devmode::kCollate);
    EXPECT_EQ(offsetof(DEVMODEA, dmDisplayFlags), devmode::kDisplayFlags);
#if defined(_WIN64)
    EXPECT_EQ(sizeof(PRINTDLGA), 120u);
#else
    EXPECT_EQ(sizeof(CHOOSECOLORA), kChooseColorSize);
    EXPECT_EQ(sizeof(CHOOSEFONTA), kChooseFontSize);
    EXPECT_EQ(sizeof(BROWSEINFOA), kBrowseInfoSize);
    EXPECT_EQ(sizeof(PRINTDLGA), kPrintDlgSize);
    // Every field where the platform's record has it.
    PrintDlgRecord r;
    r.owner = 0x1234;
    r.devMode = 0x5000;
    r.devNames = 0x6000;
    r.flags = PD_RETURNDC;
    r.fromPage = 2;
    r.toPage = 5;
    r.minPage = 1;
    r.maxPage = 10;
    r.copies = 3;
    r.setupTemplate = 0x7000;
    const PrintDlgBytes bytes = PackPrintDlg32(r);
    PRINTDLGA pd;
    std::memcpy(&pd, bytes.data(), sizeof pd);
    EXPECT_EQ(pd.lStructSize, 66u);
    EXPECT_EQ(pd.hwndOwner, reinterpret_cast<HWND>(0x1234));
    EXPECT_EQ(pd.hDevMode, reinterpret_cast<HGLOBAL>(0x5000));
    EXPECT_EQ(pd.hDevNames, reinterpret_cast<HGLOBAL>(0x6000));
    EXPECT_EQ(pd.Flags, static_cast<DWORD>(PD_RETURNDC));
    EXPECT_EQ(pd.nFromPage, 2);
    EXPECT_EQ(pd.nToPage, 5);
    EXPECT_EQ(pd.nMinPage, 1);
    EXPECT_EQ(pd.nMaxPage, 10);
    EXPECT_EQ(pd.nCopies, 3);
    EXPECT_EQ(pd.hSetupTemplate, reinterpret_cast<HGLOBAL>(0x7000));

    ChooseFontRecord f;
    f.sizeMin = 8;
    f.sizeMax = 72;
    f.flags = CF_SCREENFONTS;
    const ChooseFontBytes fb = PackChooseFont32(f);
    CHOOSEFONTA cf;
    std::memcpy(&cf, fb.data(), sizeof cf);
    EXPECT_EQ(cf.nFontType, 1024);
    EXPECT_EQ(cf.nSizeMin, 8);
    EXPECT_EQ(cf.nSizeMax, 72);
    EXPECT_EQ(cf.Flags, static_cast<DWORD>(CF_SCREENFONTS));
#endif
}

} // namespace
} // namespace corvane::cdlg
