#pragma once
// frmMain's controls: where they sit (designed at 96 dpi), on which tab page, with which
// design text; and the font and scaling that follow the window's DPI.
#include <windows.h>

#include "base/dpi_win.h"
#include "base/handles_win.h"

namespace corvane::app {

using corvane::DpiOfWindow;
using corvane::kDesignDpi;
using corvane::Scale;

inline constexpr int kClientWidth = 420;
// The banner across the top, the tabs below it.
inline constexpr int kBannerHeight = 80;
inline constexpr int kClientHeight = kBannerHeight + 290;

// Pages of the tab control; controls on none of them are always shown.
enum class Page { All = -1, BatteryLevel = 0, AlertOptions = 1, Settings = 2 };

// The message font of the system at this DPI.
UniqueGdiObject MakeUiFont(int dpi);

// Creates the main window's child controls (the bar excepted: it is a control of its own).
void CreateMainControls(HWND parent);
// Places every control for the DPI and gives each the font.
void LayoutMainControls(HWND parent, int dpi, HFONT font);
// Shows the controls of one tab page and hides the others'.
void ShowPage(HWND parent, Page page);
// The window size that gives the designed client area at this DPI.
SIZE MainWindowSize(DWORD style, DWORD exStyle, bool menu, int dpi);

} // namespace corvane::app
