#pragma once
// The alert sound slots on the main window's "Alert Options" page: the three option check
// boxes (a right-click previews the slot's sound), the read-only boxes showing each slot's
// file and the "..." buttons that choose it. The window creates the controls; the
// controller attaches to them and keeps each slot's full path.
#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "app/sounds.h"
#include "base/handles_win.h"

namespace corvane {

namespace cdlg {
class CDlg;
}

// Shortens the path (middle parts become an ellipsis) to fit the width in pixels in the
// context's current font; empty when that fails.
std::string CompactFilePath(HDC dc, const std::string& path, int widthPixels);

struct AlertSoundControls {
    HWND window = nullptr;  // measures the shown paths and owns the boxes
    std::array<HWND, sounds::kSlotCount> options{};        // chkStartCharging, chkEndCharging, chkChargeLow
    std::array<HWND, sounds::kSlotCount> soundFiles{};     // txtSndFile(0..2)
    std::array<HWND, sounds::kSlotCount> browseButtons{};  // btnBrowse(0..2)
    std::string programFolder;                             // where relative sound paths lead
    std::function<void(int slot, const std::string& path)> chosen; // the user chose a slot's file
};

class AlertSoundsController {
public:
    // The controls and the dialog must outlive the controller: a window destroys it in its
    // WM_DESTROY, before its children go.
    AlertSoundsController(const AlertSoundControls& controls, cdlg::CDlg& dialog);
    AlertSoundsController(const AlertSoundsController&) = delete;
    AlertSoundsController& operator=(const AlertSoundsController&) = delete;
    ~AlertSoundsController();

    // The window's WM_COMMAND; true when it was a browse button's click (now handled).
    bool OnCommand(WPARAM wParam, LPARAM lParam);

    // The browse button's click: lets the user choose the slot's file.
    void BrowseClick(int slot);

    // Shows the path shortened in the slot's box and keeps it whole as the slot's value and
    // tooltip. The file need not exist.
    void ShowSoundFile(int slot, const std::string& path);

    // Shows every slot again, for a new DPI or font.
    void ReshowSoundFiles();

    // The slot's full path (empty when it has no file).
    const std::string& SoundFile(int slot) const { return paths_.at(static_cast<size_t>(slot)); }

    // Plays the slot's file if it exists.
    void PlayAlertSound(int slot) const;

private:
    class ChoiceUi;
    static LRESULT CALLBACK OptionProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR slot,
                                       DWORD_PTR self);
    int CompactWidth(HDC dc) const;
    void AddTool(HWND control, const char* text);

    AlertSoundControls controls_;
    cdlg::CDlg& dialog_;
    std::array<std::string, sounds::kSlotCount> paths_;
    UniqueWindow toolTip_;
};

} // namespace corvane
