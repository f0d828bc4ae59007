#include "controls/commondialog/test_printers_win.h"

#include "support/dialog_driver_win.h"

namespace corvane::cdlg::test {

namespace {

// Just enough of a printer description for the PostScript driver: two paper sizes, duplex,
// colour.
constexpr char kPpd[] = R"PPD(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "CORVANE.PPD"
*Manufacturer: "Corvane"
*Product: "(Corvane Test)"
*ModelName: "Corvane Test"
*ShortNickName: "Corvane Test"
*NickName: "Corvane Test"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*TTRasterizer: Type42
*LandscapeOrientation: Plus90
*DefaultResolution: 300dpi
*OpenUI *PageSize: PickOne
*DefaultPageSize: Letter
*PageSize Letter/US Letter: "<</PageSize[612 792]>>setpagedevice"
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageSize
*DefaultImageableArea: Letter
*ImageableArea Letter/US Letter: "18 36 594 756"
*ImageableArea A4/A4: "18 36 577 806"
*DefaultPaperDimension: Letter
*PaperDimension Letter/US Letter: "612 792"
*PaperDimension A4/A4: "595 842"
*OpenUI *Duplex/2-Sided Printing: PickOne
*DefaultDuplex: None
*Duplex None/Off: "<</Duplex false>>setpagedevice"
*Duplex DuplexNoTumble/Long Edge: "<</Duplex true/Tumble false>>setpagedevice"
*CloseUI: *Duplex
*DefaultFont: Courier
)PPD";

constexpr char kPpdName[] = "corvane-test.ppd";

void DeletePrinterNamed(const char* name) {
    PRINTER_DEFAULTSA access{nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    if (::OpenPrinterA(const_cast<char*>(name), &printer, &access)) {
        ::DeletePrinter(printer);
        ::ClosePrinter(printer);
    }
}

} // namespace

std::string TestPrinters::DefaultPrinter() {
    char name[256] = {};
    DWORD size = sizeof name;
    return ::GetDefaultPrinterA(name, &size) ? name : "";
}

TestPrinters::TestPrinters() : previousDefault_(DefaultPrinter()) {
    char dir[MAX_PATH] = {};
    DWORD needed = 0;
    if (!::GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed)) {
        return;
    }
    // The driver takes its description from its own folder, where the spooler does not copy
    // a data file given by name alone.
    const std::string versionDir = std::string(dir) + "\\3";
    ::CreateDirectoryA(versionDir.c_str(), nullptr);
    ppdPath_ = versionDir + "\\" + kPpdName;
    ::corvane::test::WriteWholeFile(ppdPath_, kPpd);

    // Left over from a test that did not finish.
    DeletePrinterNamed(kSecond);
    DeletePrinterNamed(kFirst);

    DRIVER_INFO_3A driver{};
    driver.cVersion = 3;
    driver.pName = const_cast<char*>(kDriver);
    driver.pDriverPath = const_cast<char*>("wineps.drv");
    driver.pDataFile = const_cast<char*>(kPpdName);
    driver.pConfigFile = const_cast<char*>("wineps.drv");
    driver.pDefaultDataType = const_cast<char*>("RAW");
    if (!::AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_NEW_FILES)) {
        return;
    }
    for (const char* name : {kFirst, kSecond}) {
        PRINTER_INFO_2A info{};
        info.pPrinterName = const_cast<char*>(name);
        info.pPortName = const_cast<char*>("FILE:");
        info.pDriverName = const_cast<char*>(kDriver);
        info.pPrintProcessor = const_cast<char*>("WinPrint");
        info.pDatatype = const_cast<char*>("RAW");
        info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
        if (HANDLE printer = ::AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info))) {
            ::ClosePrinter(printer);
            ++installed_;
        }
    }
    ::SetDefaultPrinterA(kFirst);
}

TestPrinters::~TestPrinters() {
    DeletePrinterNamed(kSecond);
    DeletePrinterNamed(kFirst);
    ::DeletePrinterDriverA(nullptr, nullptr, const_cast<char*>(kDriver));
    if (!ppdPath_.empty()) {
        ::DeleteFileA(ppdPath_.c_str());
    }
    if (!previousDefault_.empty()) {
        ::SetDefaultPrinterA(previousDefault_.c_str());
    }
}

} // namespace corvane::cdlg::test
