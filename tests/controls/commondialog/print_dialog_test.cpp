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
using namespace std::string_literals;

struct Control {
    FakeHost host;
    FakeDialogs dialogs;
    CDlg dlg{host, dialogs};
    Control() { host.printer.installed[0] = {"Laser", "HPPCL5E!", "LPT1:"}; }
};

// What the user leaves in the dialog: Draft, landscape, A4, three copies of pages 2 to 5.
std::vector<std::uint8_t> ChosenDevMode(const std::string& device = "Draft") {
    std::vector<std::uint8_t> dm(kDevModeSize + 44, 0);  // the driver's private part follows
    std::memcpy(dm.data(), device.data(), std::min<std::size_t>(device.size(), 31));
    const std::pair<std::size_t, std::uint16_t> shorts[] = {
        {devmode::kSpecVersion, 0x0401}, {devmode::kDriverVersion, 0x0600}, {devmode::kSize, kDevModeSize},
        {devmode::kDriverExtra, 44},     {devmode::kOrientation, 2},        {devmode::kPaperSize, 9},
        {devmode::kPaperLength, 2970},   {devmode::kPaperWidth, 2100},      {devmode::kScale, 100},
        {devmode::kCopies, 3},           {devmode::kDefaultSource, 15},     {devmode::kPrintQuality, 0xFFFC},
        {devmode::kColor, 2},            {devmode::kDuplex, 3},             {devmode::kYResolution, 600},
        {devmode::kTTOption, 2},         {devmode::kCollate, 1},
    };
    for (const auto& [at, v] : shorts) {
        PutLe16(&dm[at], v);
    }
    PutLe32(&dm[devmode::kFields], 0x00013F03);
    PutLe32(&dm[devmode::kDisplayFlags], 0x12345678);
    return dm;
}

// Acts as PrintDlg does when confirmed: frees the blocks it was given, hands back new ones.
void ConfirmWith(Control& c, std::vector<std::uint8_t> devMode, std::vector<std::uint8_t> devNames) {
    c.dialogs.printAnswer = [&c, devMode, devNames](PrintDlgRecord& r) {
        for (std::uintptr_t* h : {&r.devMode, &r.devNames}) {
            if (*h) {
                c.dialogs.memory.Free(*h);
            }
        }
        r.devMode = c.dialogs.memory.Holding(devMode);
        r.devNames = c.dialogs.memory.Holding(devNames);
        r.hDC = 0x5A5A;
        r.flags = 0x00040100;
        r.fromPage = 2;
        r.toPage = 5;
        r.copies = 4;
        return true;
    };
}

std::vector<std::uint8_t> DraftNames() {
    auto names = *BuildDevNames("EPSON9", "Draft", "COM2:");
    PutLe16(&names[6], 1);
    return names;
}

std::string Snapshot(const CDlg& d) {
    TextPropertyBag bag;
    d.WriteProperties(bag);
    return bag.ToText() + d.PrinterExtraExtra() + std::to_string(d.PrinterExtraDuplex()) +
           std::to_string(d.PrinterExtraFields()) + std::to_string(d.PrinterExtraOutputOffset());
}

TEST(CDlgPrint, HandsOverThe66ByteRecordAndTheStartingBlocks) {
    Control c;
    c.dlg.SetFlags(0x100);
    c.dlg.SetMin(1);
    c.dlg.SetMax(10);
    c.dlg.SetFromPage(2);
    c.dlg.SetToPage(5);
    c.dlg.SetCopies(7);  // not given to the dialog
    c.dlg.ShowPrinter();
    ASSERT_EQ(c.dialogs.printCalls.size(), 1u);
    const auto& call = c.dialogs.printCalls[0];

    PrintDlgBytes expected{};
    PutLe32(&expected[0], 66);
    PutLe32(&expected[4], 0x00010A2C);
    PutLe32(&expected[8], GetLe32(&call.bytes[8]));
    PutLe32(&expected[12], GetLe32(&call.bytes[12]));
    PutLe32(&expected[20], 0x100);
    PutLe16(&expected[24], 2);
    PutLe16(&expected[26], 5);
    PutLe16(&expected[28], 1);
    PutLe16(&expected[30], 10);
    EXPECT_EQ(call.bytes, expected);
    EXPECT_NE(GetLe32(&call.bytes[8]), 0u);
    EXPECT_NE(GetLe32(&call.bytes[12]), 0u);

    std::vector<std::uint8_t> devMode(kDevModeSize, 0);
    devMode[devmode::kSize] = kDevModeSize;
    EXPECT_EQ(call.devMode, devMode);
    std::vector<std::uint8_t> devNames = {8, 0, 17, 0, 23, 0, 0, 0};
    const std::string text = "HPPCL5E!\0Laser\0LPT1:\0"s + std::string(79, ' ');
    devNames.insert(devNames.end(), text.begin(), text.end());
    EXPECT_EQ(call.devNames, devNames);

    EXPECT_TRUE(c.dialogs.memory.blocks.empty()) << "cancel frees both blocks";
    EXPECT_TRUE(c.dialogs.memory.faults.empty());
}

TEST(CDlgPrint, StepsThatFailAreSkippedAndTheDialogStillOpens) {
    struct Case {
        const char* what;
        std::function<void(Control&)> arrange;
        bool devMode;
        bool devNames;
        bool zeroFilled;
    };
    const Case cases[] = {
        {"no current printer", [](Control& c) { c.host.printer.current.reset(); }, true, false, false},
        {"no memory", [](Control& c) { c.dialogs.memory.failAlloc = true; }, false, false, false},
        {"blocks that cannot be locked", [](Control& c) { c.dialogs.memory.failLock = true; }, true, true, true},
        {"offsets past 16 bits",
         [](Control& c) { c.host.printer.installed[0].driverName = std::string(70000, 'D'); }, true, false, false},
    };
    for (const Case& k : cases) {
        Control c;
        k.arrange(c);
        c.dlg.ShowPrinter();
        ASSERT_EQ(c.dialogs.printCalls.size(), 1u) << k.what;
        const auto& call = c.dialogs.printCalls[0];
        EXPECT_EQ(GetLe32(&call.bytes[8]) != 0, k.devMode) << k.what;
        EXPECT_EQ(GetLe32(&call.bytes[12]) != 0, k.devNames) << k.what;
        if (k.zeroFilled) {
            EXPECT_EQ(call.devMode, std::vector<std::uint8_t>(kDevModeSize, 0)) << k.what;
        }
        EXPECT_TRUE(c.dialogs.memory.blocks.empty()) << k.what;
        EXPECT_TRUE(c.dialogs.memory.faults.empty()) << k.what;
    }
}

TEST(CDlgPrint, ReadsTheChoiceBackWithoutNotification) {
    Control c;
    c.host.userMode = false;  // the read-back stores guarded properties too
    ConfirmWith(c, ChosenDevMode(), DraftNames());
    c.dlg.ShowPrinter();
    const CDlg& d = c.dlg;
    EXPECT_EQ(d.Flags(), 0x00040100);
    EXPECT_EQ(d.Copies(), 4);
    EXPECT_EQ(d.FromPage(), 2);
    EXPECT_EQ(d.ToPage(), 5);
    EXPECT_EQ(d.Orientation(), 2);
    EXPECT_EQ(d.hDC(), 0x5A5A);
    EXPECT_EQ(d.PrinterName(), "Draft");
    EXPECT_EQ(d.PrinterDefaultSource(), 15);

    EXPECT_EQ(d.PrinterExtraCollate(), 1);
    EXPECT_EQ(d.PrinterExtraColor(), 2);
    EXPECT_EQ(d.PrinterExtraDisplayFlags(), 0x12345678);
    EXPECT_EQ(d.PrinterExtraDriverVersion(), 0x0600);
    EXPECT_EQ(d.PrinterExtraDuplex(), 3);
    EXPECT_EQ(d.PrinterExtraFields(), 0x00013F03);
    EXPECT_EQ(d.PrinterExtraPaperLength(), 2970);
    EXPECT_EQ(d.PrinterExtraPaperSize(), 9);
    EXPECT_EQ(d.PrinterExtraPaperWidth(), 2100);
    EXPECT_EQ(d.PrinterExtraPrintQuality(), -4);
    EXPECT_EQ(d.PrinterExtraScale(), 100);
    EXPECT_EQ(d.PrinterExtraSpecVersion(), 0x0401);
    EXPECT_EQ(d.PrinterExtraTTOption(), 2);
    EXPECT_EQ(d.PrinterExtraYResolution(), 600);
    EXPECT_EQ(d.PrinterExtraExtra(), "EPSON9\0Draft\0COM2:\0"s + std::string(81, ' '));
    EXPECT_EQ(d.PrinterExtraDefault(), 1);
    EXPECT_EQ(d.PrinterExtraDriverOffset(), 8);
    EXPECT_EQ(d.PrinterExtraDeviceOffset(), 15);
    EXPECT_EQ(d.PrinterExtraOutputOffset(), 21);

    EXPECT_TRUE(c.host.changes.empty());
    EXPECT_TRUE(c.dialogs.memory.blocks.empty()) << "both returned blocks are freed";
    EXPECT_TRUE(c.dialogs.memory.faults.empty());
    EXPECT_TRUE(c.host.printer.madeCurrent.empty()) << "PrinterDefault is false";
    EXPECT_TRUE(c.host.printer.applied.empty());
    EXPECT_EQ(c.host.printer.current, 0u);
}

TEST(CDlgPrint, PrinterDefaultSwitchesToTheLastMatchAndAppliesTheSevenSettings) {
    Control c;
    c.host.printer.installed.push_back({"DRAFT", "EPSON9", "COM3:"});
    c.host.printer.refused = {PrinterSetting::Duplex};
    c.dlg.SetPrinterDefault(true);
    ConfirmWith(c, ChosenDevMode("draft"), DraftNames());
    c.dlg.ShowPrinter();
    EXPECT_EQ(c.host.printer.madeCurrent, (std::vector<std::string>{"Draft", "DRAFT"}));
    EXPECT_EQ(c.host.printer.current, 2u);
    EXPECT_EQ(c.dlg.PrinterName(), "draft") << "as returned, not upper-cased";
    const std::vector<std::pair<PrinterSetting, std::int32_t>> applied = {
        {PrinterSetting::Copies, 4},      {PrinterSetting::Duplex, 3},        {PrinterSetting::Orientation, 2},
        {PrinterSetting::PaperSize, 9},   {PrinterSetting::PrintQuality, -4}, {PrinterSetting::ColorMode, 2},
        {PrinterSetting::PaperBin, 15},
    };
    EXPECT_EQ(c.host.printer.applied, applied) << "a refused setting does not stop the rest";

    // The current printer's own name (exactly) switches nothing; listing failures are skipped.
    Control same;
    same.host.printer.installed[0].deviceName = "LASER";
    same.dlg.SetPrinterDefault(true);
    ConfirmWith(same, ChosenDevMode("Laser"), DraftNames());
    same.dlg.ShowPrinter();
    EXPECT_TRUE(same.host.printer.madeCurrent.empty());
    EXPECT_EQ(same.host.printer.applied.size(), 7u);
    Control unlisted;
    unlisted.host.printer.listFails = true;
    unlisted.dlg.SetPrinterDefault(true);
    ConfirmWith(unlisted, ChosenDevMode(), DraftNames());
    unlisted.dlg.ShowPrinter();
    EXPECT_EQ(unlisted.dlg.PrinterName(), "Draft");
    EXPECT_EQ(unlisted.host.printer.applied.size(), 7u);
}

TEST(CDlgPrint, ANameLongerThanDevModeHoldsComesWholeFromDevNames) {
    const std::string name = "Finance Floor 3 Colour LaserJet 4700";  // 36 characters
    Control c;
    c.host.printer.installed.push_back({name, "HPCLJ", "IP_10.0.0.7"});
    c.dlg.SetPrinterDefault(true);
    ConfirmWith(c, ChosenDevMode(name), *BuildDevNames("HPCLJ", name, "IP_10.0.0.7"));
    c.dlg.ShowPrinter();
    EXPECT_EQ(c.dlg.PrinterName(), name);
    EXPECT_EQ(c.host.printer.madeCurrent, std::vector<std::string>{name});
}

TEST(CDlgPrint, CancelFreesTheBlocksAndChangesNothing) {
    Control c;
    ConfirmWith(c, ChosenDevMode(), DraftNames());
    c.dlg.ShowPrinter();
    const std::string before = Snapshot(c.dlg);
    c.dialogs.printAnswer = [&c](PrintDlgRecord& r) {
        // A dialog may swap a block even when it is not confirmed.
        c.dialogs.memory.Free(r.devMode);
        r.devMode = c.dialogs.memory.Holding(ChosenDevMode("Other"));
        return false;
    };
    c.dlg.ShowPrinter();
    EXPECT_EQ(Snapshot(c.dlg), before);
    c.dlg.SetCancelError(true);
    try {
        c.dlg.ShowPrinter();
        ADD_FAILURE() << "no cancel error";
    } catch (const ComponentError& e) {
        EXPECT_EQ(e.Number(), kCancelError);
    }
    EXPECT_TRUE(c.dialogs.memory.blocks.empty());
    EXPECT_TRUE(c.dialogs.memory.faults.empty());
}

TEST(DevNamesRecord, NamesTooLongForTheTextAreaStayInsideTheirBlock) {
    const std::string device(90, 'P');
    const auto names = BuildDevNames("DRV", device, "LPT1:");
    ASSERT_TRUE(names);
    const DevNamesOffsets o = ReadDevNamesOffsets(names->data());
    EXPECT_EQ(o.device, 12);
    EXPECT_EQ(o.output, 103);
    ASSERT_EQ(names->size(), 109u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(names->data() + o.output)), "LPT1:");
}

} // namespace
} // namespace corvane::cdlg
