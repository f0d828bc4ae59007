#include "app/sounds_win.h"

#include <commctrl.h>
#include <shlwapi.h>

#include <algorithm>
#include <new>
#include <optional>
#include <vector>

#include "app/alert_sound_win.h"
#include "base/component_error.h"
#include "base/dpi_win.h"
#include "base/message_box_win.h"
#include "base/system_calls_win.h"
#include "controls/commondialog/common_dialog.h"

namespace corvane {

std::string CompactFilePath(HDC dc, const std::string& path, int widthPixels) {
    try {
        // PathCompactPathA works in a MAX_PATH buffer and may lengthen a very short path to
        // "...", so the copy is never smaller than that.
        std::vector<char> buffer(std::max<size_t>(path.size() + 1, MAX_PATH), '\0');
        std::copy(path.begin(), path.end(), buffer.begin());
        if (!::PathCompactPathA(dc, buffer.data(), static_cast<UINT>(std::max(widthPixels, 0)))) {
            return {};
        }
        buffer.back() = '\0';
        return std::string(buffer.data());
    } catch (const std::bad_alloc&) {
        ShowRoutineError(nullptr, "CompactFilePath", 7, "Out of memory");
        return {};
    }
}

class AlertSoundsController::ChoiceUi final : public sounds::SoundChoiceUi {
public:
    explicit ChoiceUi(AlertSoundsController& owner) : owner_(owner) {}
    bool RetryWrongFileType() override {
        return ShowMessageBox(owner_.controls_.window, sounds::kWrongTypeText, sounds::kWrongTypeTitle,
                              MB_RETRYCANCEL | MB_ICONINFORMATION) == IDRETRY;
    }
    void ShowSoundFile(int slot, const std::string& path) override {
        owner_.ShowSoundFile(slot, path);
        if (owner_.controls_.chosen) {
            owner_.controls_.chosen(slot, path);
        }
    }
    void SayNotOnThisComputer() override {
        ShowMessageBox(owner_.controls_.window, sounds::kNotLocalText, sounds::kNotLocalTitle,
                       MB_OK | MB_ICONINFORMATION);
    }

private:
    AlertSoundsController& owner_;
};

AlertSoundsController::AlertSoundsController(const AlertSoundControls& controls, cdlg::CDlg& dialog)
    : controls_(controls), dialog_(dialog) {
    toolTip_.reset(::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, controls_.window,
                                     nullptr, ::GetModuleHandleA(nullptr), nullptr));
    for (int slot = 0; slot < sounds::kSlotCount; ++slot) {
        const auto i = static_cast<size_t>(slot);
        ::SendMessageA(controls_.soundFiles[i], EM_SETREADONLY, TRUE, 0);
        ::SetWindowTextA(controls_.browseButtons[i], "...");
        AddTool(controls_.options[i], sounds::kOptionToolTip);
        AddTool(controls_.soundFiles[i], "");
        sys::SetWindowSubclass(controls_.options[i], OptionProc, static_cast<UINT_PTR>(slot),
                               reinterpret_cast<DWORD_PTR>(this));
    }
}

AlertSoundsController::~AlertSoundsController() {
    if (!::IsWindow(toolTip_.get())) {
        toolTip_.release();  // already gone with its owner
    }
    for (int slot = 0; slot < sounds::kSlotCount; ++slot) {
        HWND option = controls_.options[static_cast<size_t>(slot)];
        if (::IsWindow(option)) {
            sys::RemoveWindowSubclass(option, OptionProc, static_cast<UINT_PTR>(slot));
        }
    }
}

void AlertSoundsController::AddTool(HWND control, const char* text) {
    TOOLINFOA info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = controls_.window;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = const_cast<char*>(text);
    ::SendMessageA(toolTip_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

bool AlertSoundsController::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED) {
        return false;
    }
    const auto it = std::find(controls_.browseButtons.begin(), controls_.browseButtons.end(),
                              reinterpret_cast<HWND>(lParam));
    if (it == controls_.browseButtons.end() || !*it) {
        return false;
    }
    BrowseClick(static_cast<int>(it - controls_.browseButtons.begin()));
    return true;
}

void AlertSoundsController::BrowseClick(int slot) {
    ChoiceUi ui(*this);
    try {
        sounds::ChooseSoundFile(dialog_, ui, slot);
    } catch (const ComponentError& e) {
        // The dialog control can be set up to fail (its cancel error, a bad buffer size);
        // the click then ends with the slot unchanged instead of taking the program down.
        ShowRoutineError(controls_.window, "btnBrowse_Click", e.Number(), e.Description());
    }
}

int AlertSoundsController::CompactWidth(HDC) const {
    return ScaleDesign(sounds::kCompactWidth, DpiOfWindow(controls_.window));
}

void AlertSoundsController::ShowSoundFile(int slot, const std::string& path) {
    const auto i = static_cast<size_t>(slot);
    std::string& kept = paths_.at(i);
    std::string shown;
    {
        // Measured in the window's context, in the font its text is shown in: the window's
        // own when it has one, else the box's.
        WindowDc dc(controls_.window);
        auto font = reinterpret_cast<HGDIOBJ>(::SendMessageA(controls_.window, WM_GETFONT, 0, 0));
        if (!font) {
            font = reinterpret_cast<HGDIOBJ>(::SendMessageA(controls_.soundFiles[i], WM_GETFONT, 0, 0));
        }
        std::optional<SelectGuard> select;
        if (font) {
            select.emplace(dc.get(), font);
        }
        shown = CompactFilePath(dc.get(), path, CompactWidth(dc.get()));
    }
    ::SetWindowTextA(controls_.soundFiles[i], shown.c_str());
    kept = path;

    TOOLINFOA info{};
    info.cbSize = sizeof info;
    info.hwnd = controls_.window;
    info.uId = reinterpret_cast<UINT_PTR>(controls_.soundFiles[i]);
    info.lpszText = kept.data();
    ::SendMessageA(toolTip_.get(), TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}

void AlertSoundsController::ReshowSoundFiles() {
    for (int slot = 0; slot < sounds::kSlotCount; ++slot) {
        const std::string path = paths_[static_cast<size_t>(slot)];
        ShowSoundFile(slot, path);
    }
}

void AlertSoundsController::PlayAlertSound(int slot) const {
    corvane::PlayAlertSound(SoundFile(slot), controls_.programFolder);
}

LRESULT CALLBACK AlertSoundsController::OptionProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                                   UINT_PTR slot, DWORD_PTR self) {
    switch (msg) {
    case WM_RBUTTONUP:
        // Only the right button previews; the left one just switches the option.
        reinterpret_cast<AlertSoundsController*>(self)->PlayAlertSound(static_cast<int>(slot));
        break;
    case WM_NCDESTROY:
        sys::RemoveWindowSubclass(hwnd, OptionProc, slot);
        break;
    default:
        break;
    }
    return sys::DefSubclassProc(hwnd, msg, wParam, lParam);
}

} // namespace corvane
