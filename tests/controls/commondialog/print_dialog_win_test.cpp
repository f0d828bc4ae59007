#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>

#include <string>

#include "base/component_error.h"
#include "controls/commondialog/common_dialog_win.h"
#include "controls/commondialog/counting_dialogs_win.h"
#include "controls/commondialog/dialog_picture_win.h"
#include "controls/commondialog/printer_win.h"
#include "controls/commondialog/test_printers_win.h"
#include "support/dialog_driver_win.h"
#include "support/file_dialog_win.h"

namespace corvane::cdlg {
namespace {

namespace support = ::corvane::test;
using support::DialogDriver;
using test::TestPrinters;

// The print dialog's printer list, page range and copies; the setup dialog's printer list
// and landscape button.
constexpr int kPrinterList = 0x473;
constexpr int kSetupPrinterList = 0x470;
constexpr int kFromPage = 0x480;
constexpr int kToPage = 0x481;
constexpr int kLandscape = 0x421;

void PickPrinter(HWND d, int list, const char* name) {
    HWND box = ::GetDlgItem(d, list);
    ::SendMessageA(box, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name));
    ::SendMessageA(d, WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}

class CDlgRealPrinters : public ::testing::Test {
protected:
    void SetUp() override {
        if (!printers.Installed()) {
            GTEST_SKIP() << "the spooler takes no test printer here";
        }
    }
    TestPrinters printers;
    support::TestWindow window{::DefWindowProcA};
    WindowCDlgHost host{window.get()};
    test::CountingDialogs api;
    CDlg dlg{host, api};
};

TEST_F(CDlgRealPrinters, SetupDialogStartsOnTheCurrentPrinterAndReturnsLandscape) {
    dlg.SetFlags(PD_PRINTSETUP);
    std::string shownPrinter;
    {
        DialogDriver driver([&](HWND d) {
            shownPrinter = support::DialogItemText(d, kSetupPrinterList);
            ::SendMessageA(::GetDlgItem(d, kLandscape), BM_CLICK, 0, 0);
            test::SavePicture(d, "print-setup-dialog");
            support::PressButton(d, IDOK);
        });
        dlg.ShowPrinter();
        EXPECT_EQ(driver.DialogsSeen(), 1);
        EXPECT_FALSE(driver.WatchdogFired());
    }
    EXPECT_EQ(shownPrinter, TestPrinters::kFirst);
    EXPECT_EQ(api.printDialogResult, 1);
    EXPECT_EQ(dlg.Orientation(), 2);
    EXPECT_EQ(dlg.PrinterName(), TestPrinters::kFirst);
    EXPECT_NE(dlg.Flags() & PD_PRINTSETUP, 0);
    // The names come back as the dialog wrote them, in their 100-character area.
    const std::string& names = dlg.PrinterExtraExtra();
    ASSERT_EQ(names.size(), 100u);
    const auto at = [&](std::int16_t offset) { return std::string(names.c_str() + offset - 8); };
    EXPECT_EQ(at(dlg.PrinterExtraDeviceOffset()), TestPrinters::kFirst);
    EXPECT_EQ(at(dlg.PrinterExtraOutputOffset()), "FILE:");
    EXPECT_EQ(dlg.PrinterExtraDriverOffset(), 8);
    EXPECT_NE(dlg.PrinterExtraSpecVersion(), 0);
    EXPECT_NE(dlg.PrinterExtraFields() & DM_ORIENTATION, 0);

    EXPECT_EQ(api.memory.Live(), 0);
    EXPECT_EQ(api.memory.StillAllocated(), 0);
}

TEST_F(CDlgRealPrinters, PrintDialogTakesThePageRangeAndPrinterDefaultSwitchesTheApplicationsPrinter) {
    dlg.SetFlags(PD_PAGENUMS);
    dlg.SetMin(1);
    dlg.SetMax(10);
    dlg.SetFromPage(2);
    dlg.SetToPage(5);
    dlg.SetPrinterDefault(true);
    std::string rangeShown;
    {
        DialogDriver driver([&](HWND d) {
            rangeShown = support::DialogItemText(d, kFromPage) + "-" + support::DialogItemText(d, kToPage);
            PickPrinter(d, kPrinterList, TestPrinters::kSecond);
            ::SetDlgItemTextA(d, kFromPage, "3");
            ::SetDlgItemTextA(d, kToPage, "4");
            test::SavePicture(d, "print-dialog");
            support::PressButton(d, IDOK);
        });
        dlg.ShowPrinter();
        EXPECT_FALSE(driver.WatchdogFired());
    }
    EXPECT_EQ(rangeShown, "2-5");
    EXPECT_EQ(dlg.FromPage(), 3);
    EXPECT_EQ(dlg.ToPage(), 4);
    EXPECT_EQ(dlg.PrinterName(), TestPrinters::kSecond);
    const auto current = host.Printer().CurrentPrinter();
    ASSERT_TRUE(current);
    EXPECT_EQ(current->deviceName, TestPrinters::kSecond);
    EXPECT_EQ(current->port, "FILE:");
    EXPECT_EQ(TestPrinters::DefaultPrinter(), TestPrinters::kFirst) << "the user's default stays";
    EXPECT_EQ(api.memory.Live(), 0);
    EXPECT_EQ(api.memory.StillAllocated(), 0);

    // The next dialog opens on the application's printer, and the driver keeps a setting.
    EXPECT_TRUE(host.Printer().Apply(PrinterSetting::Orientation, DMORIENT_LANDSCAPE));
    std::string shownPrinter;
    DialogDriver driver([&](HWND d) {
        shownPrinter = support::DialogItemText(d, kPrinterList);
        support::PressButton(d, IDCANCEL);
    });
    dlg.ShowPrinter();
    EXPECT_EQ(shownPrinter, TestPrinters::kSecond);
    EXPECT_EQ(api.printDialogResult, 0);
    EXPECT_EQ(dlg.PrinterName(), TestPrinters::kSecond);
    EXPECT_EQ(api.memory.Live(), 0);
    EXPECT_EQ(api.memory.StillAllocated(), 0);
}

} // namespace
} // namespace corvane::cdlg
