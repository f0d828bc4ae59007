#include "app/window_options_win.h"

#include <commctrl.h>

#include <vector>

#include "app/main_window_ids.h"
#include "app/window_options.h"
#include "base/component_error.h"
#include "base/message_box_win.h"
#include "base/handles_win.h"
#include "base/system_calls_win.h"
#include "base/text_win.h"
#include "settings/cregistry_win.h"

namespace corvane::app {

namespace {

// Posted to the critical level box once the focus has settled on its new window, so that
// the warning never fights the focus change it follows.
constexpr UINT kCheckChargeAlert = WM_APP + 0x31;
constexpr UINT_PTR kChargeAlertSubclass = 1;

} // namespace

void SetAlwaysOnTop(HWND hwnd, bool bOnTop) {
    ::SetWindowPos(hwnd, bOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
}

std::string GetShortPath(const std::string& sPath) {
    char buffer[options::kShortPathBuffer] = {};
    const DWORD n = ::GetShortPathNameA(sPath.c_str(), buffer, options::kShortPathLength);
    // A result as long as the buffer is the size it would need: nothing usable was written.
    if (n == 0 || n >= static_cast<DWORD>(options::kShortPathLength)) {
        return {};
    }
    return std::string(buffer, n);
}

WindowOptionsController::WindowOptionsController(WindowOptionControls controls)
    : controls_(std::move(controls)), menu_(::CreateMenu()) {
    HMENU popup = ::CreatePopupMenu();
    for (int i = 0; i < options::kColourCount; ++i) {
        const std::string name(options::kColourNames[static_cast<std::size_t>(i)]);
        ::AppendMenuA(popup, MF_STRING, IDM_PGB_COLOUR0 + i, name.c_str());
    }
    const std::string caption(options::kColourMenuCaption);
    ::AppendMenuA(menu_.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(popup), caption.c_str());
    if (controls_.bar) {
        controls_.bar->SetEvents(this);
    }
    sys::SetWindowSubclass(controls_.txtChargeAlert, ChargeAlertProc, kChargeAlertSubclass,
                           reinterpret_cast<DWORD_PTR>(this));
}

WindowOptionsController::~WindowOptionsController() {
    if (controls_.bar && ::IsWindow(controls_.bar->Hwnd())) {
        controls_.bar->SetEvents(nullptr);
    }
    if (::IsWindow(controls_.txtChargeAlert)) {
        sys::RemoveWindowSubclass(controls_.txtChargeAlert, ChargeAlertProc, kChargeAlertSubclass);
    }
}

void WindowOptionsController::SetOnTop(bool onTop) { SetAlwaysOnTop(controls_.window, onTop); }

void WindowOptionsController::SetStartup(bool startup) {
    cRegistry reg;
    reg.ClassKey(registry::kCurrentUser);
    reg.SectionKey(std::string(options::kRunKey));
    reg.ValueKey(std::string(options::kRunValueName));
    reg.ValueType(registry::kTypeSz);
    // The logon reads an expandable Run value with its variables replaced: a folder named
    // like one ("%OS%") would start another path.
    reg.PlainText(true);
    try {
        if (startup) {
            reg.Value(GeneralValue(options::RunCommand(controls_.programPath, GetShortPath(controls_.programPath))));
            return;
        }
        try {
            reg.DeleteValue();
        } catch (const ComponentError&) {
            // Not there (or no Run key at all) is the end state unticking asks for.
            if (!reg.Value().IsEmpty()) {
                throw;
            }
        }
    } catch (const ComponentError& e) {
        ShowRoutineError(controls_.window, "chkStartup_Click", e.Number(), e.Description());
    }
}

void WindowOptionsController::txtChargeAlert_LostFocus() {
    const std::int32_t lastPercent = controls_.lastPercent ? controls_.lastPercent() : 0;
    if (options::CriticalAboveCharge(WindowText(controls_.txtChargeAlert), lastPercent)) {
        const HWND focus = ::GetFocus();
        ShowMessageBox(controls_.window, options::kCriticalText, options::kCriticalTitle, MB_OK | MB_ICONINFORMATION);
        if (focus && ::IsWindow(focus) && ::GetFocus() != focus) {
            ::SetFocus(focus);  // back where the user was going
        }
    }
}

void WindowOptionsController::MouseUp(std::int16_t Button, std::int16_t, float X, float Y) {
    if (Button != 2 || !controls_.bar) {
        return;
    }
    POINT at{static_cast<LONG>(X), static_cast<LONG>(Y)};
    ::ClientToScreen(controls_.bar->Hwnd(), &at);
    ShowColourMenu(at);
}

void WindowOptionsController::ShowColourMenu(POINT screen) {
    const int chosen = static_cast<int>(::TrackPopupMenu(ColourPopup(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON |
                                                                            TPM_RETURNCMD | TPM_NONOTIFY,
                                                         screen.x, screen.y, 0, controls_.window, nullptr));
    if (chosen >= IDM_PGB_COLOUR0 && chosen < IDM_PGB_COLOUR0 + options::kColourCount) {
        mnuPGBGColour_Click(chosen - IDM_PGB_COLOUR0);
    }
}

void WindowOptionsController::mnuPGBGColour_Click(std::int32_t Index) {
    if (controls_.colourChosen) {
        controls_.colourChosen(Index);
    } else {
        SetBarLook(Index);
    }
}

HMENU WindowOptionsController::ColourPopup() const noexcept { return ::GetSubMenu(menu_.get(), 0); }

void WindowOptionsController::SetBarLook(std::int32_t index) {
    HMENU popup = ColourPopup();
    for (int i = 0; i < options::kColourCount; ++i) {
        ::CheckMenuItem(popup, static_cast<UINT>(i), MF_BYPOSITION | MF_UNCHECKED);
    }
    if (controls_.bar) {
        const std::int32_t value = controls_.bar->Value();
        controls_.bar->Reset();
        if (const auto look = options::LookOfColour(index)) {
            controls_.bar->SetProgressLook(*look);
        }
        controls_.bar->SetValue(value);
    }
    if (options::LookOfColour(index)) {
        ::CheckMenuItem(popup, static_cast<UINT>(index), MF_BYPOSITION | MF_CHECKED);
    }
}

void PasteDigits(HWND edit) {
    if (!::IsClipboardFormatAvailable(CF_TEXT) || !::OpenClipboard(edit)) {
        return;
    }
    std::string pasted;
    if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
        const GlobalLockGuard lock(data);
        if (const auto* text = static_cast<const char*>(lock.get())) {
            pasted = options::DigitsOf(options::TextInBlock(text, ::GlobalSize(data)));
        }
    }
    ::CloseClipboard();
    ::SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pasted.c_str()));
}

LRESULT CALLBACK WindowOptionsController::ChargeAlertProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                                          UINT_PTR id, DWORD_PTR self) {
    auto* owner = reinterpret_cast<WindowOptionsController*>(self);
    switch (msg) {
    case WM_CHAR:
        if (!options::ChargeKeyPasses(static_cast<unsigned>(wParam))) {
            return 0;
        }
        break;
    case WM_PASTE:
        PasteDigits(hwnd);
        return 0;
    case WM_KILLFOCUS: {
        // Only a move to another of this program's windows counts as leaving the box; switching
        // to another program leaves the user's typing alone.
        const auto next = reinterpret_cast<HWND>(wParam);
        if (next && ::GetWindowThreadProcessId(next, nullptr) == ::GetCurrentThreadId()) {
            ::PostMessageA(hwnd, kCheckChargeAlert, 0, 0);
        }
        break;
    }
    case kCheckChargeAlert:
        owner->txtChargeAlert_LostFocus();
        return 0;
    case WM_NCDESTROY:
        sys::RemoveWindowSubclass(hwnd, ChargeAlertProc, id);
        break;
    default:
        break;
    }
    return sys::DefSubclassProc(hwnd, msg, wParam, lParam);
}

} // namespace corvane::app
