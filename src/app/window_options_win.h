#pragma once
// The main window's options that act at once: "Show Corvane window, always on top.", "Start
// Corvane on Windows Startup.", the critical level box and the bar's colour menu. The window
// creates the controls; the controller attaches to them (like the alert sound slots).
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "base/handles_win.h"
#include "base/program_path_win.h"
#include "controls/progressbar/progress_bar_win.h"

namespace corvane::app {

// Makes the window topmost or not, without moving or sizing it; it also shows the window.
void SetAlwaysOnTop(HWND hwnd, bool bOnTop);
// The short (8.3) form of a path; empty when the system gives none or none that fits.
std::string GetShortPath(const std::string& sPath);

struct WindowOptionControls {
    HWND window = nullptr;
    HWND txtChargeAlert = nullptr;
    progressbar::XpProgressBar* bar = nullptr;
    std::string programPath;                    // what the Run value starts
    std::function<std::int32_t()> lastPercent;  // the cycle's last charge level
    std::function<void(std::int32_t)> colourChosen; // the user chose a colour entry
};

// Pastes only the digits of the clipboard's text into a digits-only box: the critical level
// and the care reminder's level take the same paste.
void PasteDigits(HWND edit);

class WindowOptionsController final : public progressbar::ProgressBarEvents {
public:
    // The controls must outlive the controller: the window destroys it in its WM_DESTROY.
    explicit WindowOptionsController(WindowOptionControls controls);
    WindowOptionsController(const WindowOptionsController&) = delete;
    WindowOptionsController& operator=(const WindowOptionsController&) = delete;
    ~WindowOptionsController() override;

    void SetOnTop(bool onTop);
    // Writes the Run value when on and removes it when off; a value that is already gone is
    // what turning it off wants, so that is no error.
    void SetStartup(bool startup);
    void txtChargeAlert_LostFocus();
    // The bar's right button opens the colour menu where it was released.
    void MouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y) override;
    // Opens the colour menu at a point of the screen and applies the choice (a keyboard's
    // context-menu key can open it too).
    void ShowColourMenu(POINT screen);
    void mnuPGBGColour_Click(std::int32_t Index);

    // Ticks the colour entry and gives the bar its look, keeping the bar's value.
    void SetBarLook(std::int32_t index);
    // The "pgbColour" menu; its only item is the popup of colour entries.
    HMENU ColourMenu() const noexcept { return menu_.get(); }

private:
    static LRESULT CALLBACK ChargeAlertProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                            DWORD_PTR self);
    HMENU ColourPopup() const noexcept;

    WindowOptionControls controls_;
    UniqueMenu menu_;
};

} // namespace corvane::app
