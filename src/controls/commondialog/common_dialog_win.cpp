#include "controls/commondialog/common_dialog_win.h"

#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <utility>

#include "base/com_win.h"
#include "base/handles_win.h"
#include "base/message_box_win.h"
#include "base/system_calls_win.h"
#include "controls/commondialog/printer_win.h"

namespace corvane::cdlg {

namespace {

class SystemDialogs final : public CommonDialogApi {
public:
    bool GetFileName(FileDialogKind kind, OpenFileNameRecord& record) override {
        OPENFILENAME_NT4A ofn;
#if defined(_WIN64)
        ofn = {};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = Int32ToHwnd(record.owner);
        ofn.hInstance = reinterpret_cast<HINSTANCE>(record.instance);
        ofn.lpstrFilter = record.filter;
        ofn.lpstrCustomFilter = record.customFilter;
        ofn.nMaxCustFilter = record.maxCustFilter;
        ofn.nFilterIndex = record.filterIndex;
        ofn.lpstrFile = record.file;
        ofn.nMaxFile = record.maxFile;
        ofn.lpstrFileTitle = record.fileTitle;
        ofn.nMaxFileTitle = record.maxFileTitle;
        ofn.lpstrInitialDir = record.initialDir;
        ofn.lpstrTitle = record.title;
        ofn.Flags = record.flags;
        ofn.nFileOffset = record.fileOffset;
        ofn.nFileExtension = record.fileExtension;
        ofn.lpstrDefExt = record.defExt;
        ofn.lCustData = record.custData;
        ofn.lpfnHook = reinterpret_cast<LPOFNHOOKPROC>(record.hook);
        ofn.lpTemplateName = record.templateName;
        const BOOL chosen = Call(kind, ofn);
        record.filterIndex = ofn.nFilterIndex;
        record.fileOffset = ofn.nFileOffset;
        record.fileExtension = ofn.nFileExtension;
#else
        static_assert(sizeof(OPENFILENAME_NT4A) == kOpenFileNameSize);
        OpenFileNameBytes bytes = PackOpenFileName32(record);
        std::memcpy(&ofn, bytes.data(), bytes.size());
        const BOOL chosen = Call(kind, ofn);
        std::memcpy(bytes.data(), &ofn, bytes.size());
        ReadBackOpenFileName32(bytes, record);
#endif
        return chosen != FALSE;
    }

    std::uint32_t LastDialogError() override { return sys::CommDlgExtendedError(); }

    bool ChooseColorDlg(ChooseColorRecord& record) override {
        CHOOSECOLORA cc;
#if defined(_WIN64)
        cc = {};
        cc.lStructSize = sizeof cc;
        cc.hwndOwner = Int32ToHwnd(record.owner);
        cc.hInstance = reinterpret_cast<HWND>(record.instance);
        cc.rgbResult = record.rgbResult;
        cc.lpCustColors = reinterpret_cast<COLORREF*>(record.custColors);
        cc.Flags = record.flags;
        cc.lCustData = record.custData;
        cc.lpfnHook = reinterpret_cast<LPCCHOOKPROC>(record.hook);
        cc.lpTemplateName = record.templateName;
        const BOOL chosen = sys::ChooseColorA(&cc);
        record.rgbResult = cc.rgbResult;
#else
        static_assert(sizeof cc == kChooseColorSize);
        ChooseColorBytes bytes = PackChooseColor32(record);
        std::memcpy(&cc, bytes.data(), bytes.size());
        const BOOL chosen = sys::ChooseColorA(&cc);
        std::memcpy(bytes.data(), &cc, bytes.size());
        ReadBackChooseColor32(bytes, record);
#endif
        return chosen != FALSE;
    }

    bool ChooseFontDlg(ChooseFontRecord& record) override {
        CHOOSEFONTA cf;
#if defined(_WIN64)
        cf = {};
        cf.lStructSize = sizeof cf;
        cf.hwndOwner = Int32ToHwnd(record.owner);
        cf.hDC = reinterpret_cast<HDC>(record.hDC);
        cf.lpLogFont = static_cast<LOGFONTA*>(record.logFont);
        cf.iPointSize = record.pointSize;
        cf.Flags = record.flags;
        cf.rgbColors = record.rgbColors;
        cf.lCustData = record.custData;
        cf.lpfnHook = reinterpret_cast<LPCFHOOKPROC>(record.hook);
        cf.lpTemplateName = record.templateName;
        cf.hInstance = reinterpret_cast<HINSTANCE>(record.instance);
        cf.lpszStyle = record.style;
        cf.nFontType = record.fontType;
        cf.nSizeMin = record.sizeMin;
        cf.nSizeMax = record.sizeMax;
        const BOOL chosen = sys::ChooseFontA(&cf);
        record.hDC = reinterpret_cast<std::uintptr_t>(cf.hDC);
        record.pointSize = cf.iPointSize;
        record.rgbColors = cf.rgbColors;
        record.fontType = cf.nFontType;
#else
        static_assert(sizeof cf == kChooseFontSize);
        ChooseFontBytes bytes = PackChooseFont32(record);
        std::memcpy(&cf, bytes.data(), bytes.size());
        const BOOL chosen = sys::ChooseFontA(&cf);
        std::memcpy(bytes.data(), &cf, bytes.size());
        ReadBackChooseFont32(bytes, record);
#endif
        return chosen != FALSE;
    }

    std::int32_t ScreenPixelsPerInchY() override {
        const WindowDc screen(nullptr);
        return screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    }

    void CallWinHelp(std::int32_t owner, const char* helpFile, std::uint32_t command, std::uintptr_t data) override {
        ::WinHelpA(Int32ToHwnd(owner), helpFile, command, data);
    }

    std::uintptr_t SpecialFolderItemList(std::int32_t owner, std::int32_t folder) override {
        PIDLIST_ABSOLUTE list = nullptr;
        if (FAILED(::SHGetSpecialFolderLocation(Int32ToHwnd(owner), folder, &list))) {
            return 0;
        }
        return reinterpret_cast<std::uintptr_t>(list);
    }

    std::uintptr_t BrowseForFolder(BrowseInfoRecord& record) override {
        BROWSEINFOA bi;
#if defined(_WIN64)
        bi = {};
        bi.hwndOwner = Int32ToHwnd(record.owner);
        bi.pidlRoot = reinterpret_cast<PCIDLIST_ABSOLUTE>(record.root);
        bi.pszDisplayName = record.displayName;
        bi.lpszTitle = record.title;
        bi.ulFlags = record.flags;
        bi.lpfn = reinterpret_cast<BFFCALLBACK>(record.callback);
        bi.lParam = record.lParam;
        bi.iImage = record.image;
#else
        static_assert(sizeof bi == kBrowseInfoSize);
        const BrowseInfoBytes bytes = PackBrowseInfo32(record);
        std::memcpy(&bi, bytes.data(), bytes.size());
#endif
        // The folder dialog is built from COM objects; a thread that has not joined an
        // apartment joins one for the length of the dialog.
        const HRESULT com = sys::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        PIDLIST_ABSOLUTE chosen = ::SHBrowseForFolderA(&bi);
        if (SUCCEEDED(com)) {
            sys::CoUninitialize();
        }
        return reinterpret_cast<std::uintptr_t>(chosen);
    }

    std::string PathFromItemList(std::uintptr_t itemList) override {
        char path[kMaxPath + 1] = {};
        if (!::SHGetPathFromIDListA(reinterpret_cast<PCIDLIST_ABSOLUTE>(itemList), path)) {
            return {};
        }
        return TextUpToNul(path, kMaxPath);
    }

    void FreeItemList(std::uintptr_t itemList) override { sys::CoTaskMemFree(reinterpret_cast<void*>(itemList)); }

    bool PrintDialog(PrintDlgRecord& record) override {
        PRINTDLGA pd;
#if defined(_WIN64)
        pd = {};
        pd.lStructSize = sizeof pd;
        pd.hwndOwner = Int32ToHwnd(record.owner);
        pd.hDevMode = reinterpret_cast<HGLOBAL>(record.devMode);
        pd.hDevNames = reinterpret_cast<HGLOBAL>(record.devNames);
        pd.hDC = reinterpret_cast<HDC>(record.hDC);
        pd.Flags = record.flags;
        pd.nFromPage = record.fromPage;
        pd.nToPage = record.toPage;
        pd.nMinPage = record.minPage;
        pd.nMaxPage = record.maxPage;
        pd.nCopies = record.copies;
        pd.hInstance = reinterpret_cast<HINSTANCE>(record.instance);
        pd.lCustData = record.custData;
        pd.lpfnPrintHook = reinterpret_cast<LPPRINTHOOKPROC>(record.printHook);
        pd.lpfnSetupHook = reinterpret_cast<LPSETUPHOOKPROC>(record.setupHook);
        pd.lpPrintTemplateName = record.printTemplateName;
        pd.lpSetupTemplateName = record.setupTemplateName;
        pd.hPrintTemplate = reinterpret_cast<HGLOBAL>(record.printTemplate);
        pd.hSetupTemplate = reinterpret_cast<HGLOBAL>(record.setupTemplate);
        const BOOL confirmed = sys::PrintDlgA(&pd);
        record.devMode = reinterpret_cast<std::uintptr_t>(pd.hDevMode);
        record.devNames = reinterpret_cast<std::uintptr_t>(pd.hDevNames);
        record.hDC = reinterpret_cast<std::uintptr_t>(pd.hDC);
        record.flags = pd.Flags;
        record.fromPage = pd.nFromPage;
        record.toPage = pd.nToPage;
        record.copies = pd.nCopies;
#else
        static_assert(sizeof pd == kPrintDlgSize);
        PrintDlgBytes bytes = PackPrintDlg32(record);
        std::memcpy(&pd, bytes.data(), bytes.size());
        const BOOL confirmed = sys::PrintDlgA(&pd);
        std::memcpy(bytes.data(), &pd, bytes.size());
        ReadBackPrintDlg32(bytes, record);
#endif
        return confirmed != FALSE;
    }

    void ShowInformation(std::int32_t owner, const std::string& text, const std::string& title) override {
        ShowMessageBox(Int32ToHwnd(owner), text, title, MB_OK | MB_ICONINFORMATION);
    }

    GlobalMemory& Memory() override { return SystemGlobalMemory(); }

private:
    static BOOL Call(FileDialogKind kind, OPENFILENAME_NT4A& ofn) {
        // The 4.0 record is the leading part of today's; its size field tells them apart.
        auto* p = reinterpret_cast<OPENFILENAMEA*>(&ofn);
        JoinComApartment(); // the Explorer-style dialogs are built from shell COM objects
        return kind == FileDialogKind::Open ? sys::GetOpenFileNameA(p) : sys::GetSaveFileNameA(p);
    }
};

class SystemMemory final : public GlobalMemory {
public:
    std::uintptr_t Alloc(std::size_t bytes) override {
        return reinterpret_cast<std::uintptr_t>(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes));
    }
    void* Lock(std::uintptr_t block) override { return ::GlobalLock(AsGlobal(block)); }
    void Unlock(std::uintptr_t block) override { ::GlobalUnlock(AsGlobal(block)); }
    std::size_t Size(std::uintptr_t block) override { return ::GlobalSize(AsGlobal(block)); }
    void Free(std::uintptr_t block) override { ::GlobalFree(AsGlobal(block)); }

private:
    static HGLOBAL AsGlobal(std::uintptr_t block) noexcept { return reinterpret_cast<HGLOBAL>(block); }
};

} // namespace

std::int32_t HandleToInt32(const void* handle) noexcept {
    return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(handle));
}

HWND Int32ToHwnd(std::int32_t value) noexcept {
    return reinterpret_cast<HWND>(static_cast<std::intptr_t>(value));
}

CommonDialogApi& SystemCommonDialogs() noexcept {
    static SystemDialogs dialogs;
    return dialogs;
}

GlobalMemory& SystemGlobalMemory() noexcept {
    static SystemMemory memory;
    return memory;
}

WindowCDlgHost::WindowCDlgHost(HWND parent, ChangeHandler onChange) noexcept
    : parent_(parent), onChange_(std::move(onChange)) {}

std::int32_t WindowCDlgHost::ParentWindow() const { return HandleToInt32(parent_); }

std::uintptr_t WindowCDlgHost::InstanceHandle() const {
    return reinterpret_cast<std::uintptr_t>(::GetModuleHandleA(nullptr));
}

PrinterHost& WindowCDlgHost::Printer() { return ApplicationPrinter(); }

void WindowCDlgHost::PropertyChanged(std::string_view key) {
    if (onChange_) {
        onChange_(key);
    }
}

CDlgOnWindow::CDlgOnWindow(HWND parent, WindowCDlgHost::ChangeHandler onChange)
    : host_(parent, std::move(onChange)),
      control_(host_, SystemCommonDialogs()) {}

} // namespace corvane::cdlg
