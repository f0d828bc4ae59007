#pragma once
// The control on a real window: the Win32 host side and the common-dialog library.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string_view>

#include "controls/commondialog/common_dialog.h"

namespace corvane::cdlg {

// Window and device-context handles carry 32 significant bits on every Windows, so the
// control keeps them in its 32-bit properties.
std::int32_t HandleToInt32(const void* handle) noexcept;
HWND Int32ToHwnd(std::int32_t value) noexcept;

// GetOpenFileNameA / GetSaveFileNameA. A 32-bit process hands them the control's 76 bytes
// as built; a 64-bit one the same version of the record at its own width.
// The colour, font, folder and print dialogs take their records the same way.
CommonDialogApi& SystemCommonDialogs() noexcept;

// GlobalAlloc (movable, zero-initialised), GlobalLock, GlobalUnlock, GlobalSize, GlobalFree.
GlobalMemory& SystemGlobalMemory() noexcept;

// A control placed on a window at run time. It has no face of its own, so a resize asks
// nothing of the window.
class WindowCDlgHost final : public CDlgHost {
public:
    using ChangeHandler = std::function<void(std::string_view key)>;

    explicit WindowCDlgHost(HWND parent, ChangeHandler onChange = {}) noexcept;

    bool UserMode() const override { return true; }
    std::int32_t ParentWindow() const override;
    std::uintptr_t InstanceHandle() const override;
    void PropertyChanged(std::string_view key) override;
    void SetExtentTwips(std::int32_t, std::int32_t) override {}
    PrinterHost& Printer() override;

private:
    HWND parent_;
    ChangeHandler onChange_;
};

// A CDlg together with its window host, made once the window exists.
class CDlgOnWindow {
public:
    explicit CDlgOnWindow(HWND parent, WindowCDlgHost::ChangeHandler onChange = {});
    CDlgOnWindow(const CDlgOnWindow&) = delete;
    CDlgOnWindow& operator=(const CDlgOnWindow&) = delete;

    CDlg& Control() noexcept { return control_; }

private:
    WindowCDlgHost host_;
    CDlg control_;
};

} // namespace corvane::cdlg
