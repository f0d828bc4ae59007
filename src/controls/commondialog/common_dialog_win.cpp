#include "controls/commondialog/common_dialog_win.h"

#include <commdlg.h>

#include <cstring>
#include <utility>

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

private:
    static BOOL Call(FileDialogKind kind, OPENFILENAME_NT4A& ofn) {
        // The 4.0 record is the leading part of today's; its size field tells them apart.
        auto* p = reinterpret_cast<OPENFILENAMEA*>(&ofn);
        return kind == FileDialogKind::Open ? ::GetOpenFileNameA(p) : ::GetSaveFileNameA(p);
    }
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

WindowCDlgHost::WindowCDlgHost(HWND parent, ChangeHandler onChange) noexcept
    : parent_(parent), onChange_(std::move(onChange)) {}

std::int32_t WindowCDlgHost::ParentWindow() const { return HandleToInt32(parent_); }

std::uintptr_t WindowCDlgHost::InstanceHandle() const {
    return reinterpret_cast<std::uintptr_t>(::GetModuleHandleA(nullptr));
}

void WindowCDlgHost::PropertyChanged(std::string_view key) {
    if (onChange_) {
        onChange_(key);
    }
}

CDlgOnWindow::CDlgOnWindow(HWND parent, WindowCDlgHost::ChangeHandler onChange)
    : host_(parent, std::move(onChange)), control_(host_, SystemCommonDialogs()) {}

} // namespace corvane::cdlg
