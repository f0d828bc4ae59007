#pragma once
// frmMain's geometry: the controls are designed at 96 dpi and scaled to the window's DPI; the
// critical level box goes where the words of chkChargeLow's caption leave their blank gap,
// which only text measured in the window's font can tell. The window measures, this places.
#include "base/geometry.h"

namespace corvane::app {

inline constexpr int kDesignedAtDpi = kDesignDpi;
inline constexpr int kClientWidth = 420;
// The banner across the top, the tabs below it.
inline constexpr int kBannerHeight = 80;
inline constexpr int kClientHeight = kBannerHeight + 290;

// Pages of the tab control, in tab order; controls on none of them are always shown.
enum class Page { All = -1, BatteryLevel = 0, AlertOptions = 1, Settings = 2, History = 3 };
inline constexpr const char* kTabCaptions[] = {"Battery Level", "Alert Options", "Settings", "History"};

// Designs are at 96 dpi, with y counted from below the banner (the banner's own is negative).
// The History page's own window covers the tab's page area, inside the tab control's border.
inline constexpr Rect kHistoryPageArea = RectOfSize(18, 36, 384, 240);

// A designed control's place in the client area at this DPI: corner and size are scaled each,
// so that controls of one designed size stay of one size.
Rect Place(Rect design, int dpi) noexcept;

// What the window measures for chkChargeLow's row, in pixels in its font at its DPI.
struct ChargeLowMeasures {
    int checkMark;  // the check mark's width (SM_CXMENUCHECK at the DPI)
    int lead;       // "Alert me when charge drops below "
    int gap;        // the caption's eight blanks
    int tailWidth;  // "%."
    int tailHeight;
};

struct ChargeLowRow {
    Rect check;   // chkChargeLow, ending where its caption's gap begins
    Rect box;     // txtChargeAlert, in the gap
    Rect percent; // the "%." after the box
};

// The row from chkChargeLow's placed rectangle. The check box ends where the gap begins and a
// label carries the closing "%." after the box: how a check box draws the rest of its caption
// under a sibling differs between systems, and the words must never hide behind the box.
ChargeLowRow LayoutChargeLow(Rect check, const ChargeLowMeasures& m, int dpi) noexcept;

} // namespace corvane::app
