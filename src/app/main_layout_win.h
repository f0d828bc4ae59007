#pragma once
// frmMain's controls: where they sit (designed at 96 dpi), on which tab page, with which
// design text; and the font and scaling that follow the window's DPI.
#include <windows.h>

#include <array>

#include "app/main_layout.h"
#include "base/dpi_win.h"
#include "base/handles_win.h"

namespace corvane::app {

using corvane::DpiOfWindow;
using corvane::kDesignDpi;

// The message font of the system at this DPI.
UniqueGdiObject MakeUiFont(int dpi);

// The main window's child controls, as their creation returned them; the window owns them
// for its whole life.
struct MainControls {
    // Above the tabs, and the tab control itself.
    HWND Picture1 = nullptr;
    HWND tabMain = nullptr;
    // "Battery Level"
    HWND fmBatteryLifeBar = nullptr;
    HWND lblPercent = nullptr;
    HWND pgBatteryLevel = nullptr;
    HWND lblZero = nullptr;
    HWND lblPwrInfo = nullptr;
    HWND Label1 = nullptr;
    HWND fmPowerStatus = nullptr;
    HWND lblTime = nullptr;
    HWND Line1 = nullptr;
    HWND Label6 = nullptr;
    HWND lblBatteryNow = nullptr; // what the battery is doing now, under the estimate
    // "Alert Options"
    HWND fmAlertOcc = nullptr;
    HWND chkStartCharging = nullptr;
    HWND chkEndCharging = nullptr;
    HWND chkChargeLow = nullptr;
    HWND txtChargeAlert = nullptr;
    HWND lblChargePercent = nullptr; // the "%." closing chkChargeLow's caption after the box
    HWND Label2 = nullptr; // "Select Sound File for alert ..." above each slot
    HWND Label3 = nullptr;
    HWND Label4 = nullptr;
    std::array<HWND, 3> txtSndFile{};
    std::array<HWND, 3> btnBrowse{};
    // "Settings"
    HWND fmOther = nullptr;
    HWND chkOnTop = nullptr;
    HWND fmApplicationStartup = nullptr;
    HWND chkStartup = nullptr;
    HWND fmTrayCare = nullptr;
    HWND chkTrayCharge = nullptr;
    HWND chkCareOn = nullptr;
    HWND txtCareVal = nullptr;
    HWND lblCarePercent = nullptr; // the "%." closing chkCareOn's caption after the box
};

// Creates the main window's child controls.
MainControls CreateMainControls(HWND parent);
// The control with this id (main_window_ids.h); none for an id of no control.
HWND ControlById(const MainControls& controls, int id);
// Places every control for the DPI and gives each the font.
void LayoutMainControls(const MainControls& controls, int dpi, HFONT font);
// Shows the controls of one tab page and hides the others'.
void ShowPage(const MainControls& controls, Page page);
// The window size that gives the designed client area at this DPI.
SIZE MainWindowSize(DWORD style, DWORD exStyle, bool menu, int dpi);

} // namespace corvane::app
