#include "app/main_layout_win.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "about/banner_win.h"
#include "app/main_window_ids.h"
#include "base/system_calls_win.h"
#include "controls/progressbar/progress_bar_win.h"

namespace corvane::app {

namespace {

struct ControlSpec {
    int id;
    const char* className;
    const char* text;
    DWORD style;
    DWORD exStyle;
    Page page;
    int x, y, w, h; // at 96 dpi; y below the banner, the banner's own excepted
    HWND MainControls::*member = nullptr;             // where its handle is kept ...
    std::array<HWND, 3> MainControls::*slots = nullptr; // ... or, for an element, its array
    int slot = 0;
};

HWND& HandleOf(MainControls& controls, const ControlSpec& c) {
    return c.member ? controls.*c.member : (controls.*c.slots)[static_cast<std::size_t>(c.slot)];
}
HWND HandleOf(const MainControls& controls, const ControlSpec& c) {
    return c.member ? controls.*c.member : (controls.*c.slots)[static_cast<std::size_t>(c.slot)];
}

constexpr DWORD kLabel = WS_CHILD | SS_LEFT | SS_NOPREFIX;
constexpr DWORD kCentred = WS_CHILD | SS_CENTER | SS_NOPREFIX;
constexpr DWORD kFrame = WS_CHILD | BS_GROUPBOX;
constexpr DWORD kCheck = WS_CHILD | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kSoundBox = WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY;
constexpr DWORD kButton = WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON;

// Listed top to bottom; children earlier in the list lie above later ones, so the frames
// and the tab control come after what they hold.
constexpr ControlSpec kControls[] = {
    {IDC_LBL_PERCENT, "STATIC", "100%", kCentred, 0, Page::BatteryLevel, 30, 62, 360, 16, &MainControls::lblPercent},
    {IDC_PG_BATTERY_LEVEL, progressbar::XpProgressBar::kClassName, "", WS_CHILD, 0, Page::BatteryLevel, 30, 82,
     360, 18, &MainControls::pgBatteryLevel},
    {IDC_LBL_ZERO, "STATIC", "0%", kLabel, 0, Page::BatteryLevel, 30, 104, 40, 16, &MainControls::lblZero},
    {IDC_LBL_PWR_INFO, "STATIC", "Battery level", kCentred, 0, Page::BatteryLevel, 74, 104, 272, 16, &MainControls::lblPwrInfo},
    {IDC_LABEL1, "STATIC", "100%", WS_CHILD | SS_RIGHT | SS_NOPREFIX, 0, Page::BatteryLevel, 350, 104, 40, 16, &MainControls::Label1},
    {IDC_FM_BATTERY_LIFE_BAR, "BUTTON", "Battery charge level", kFrame, 0, Page::BatteryLevel, 18, 40, 384, 90, &MainControls::fmBatteryLifeBar},
    {IDC_LBL_TIME, "STATIC", "(calculating ... please wait)", kCentred, 0, Page::BatteryLevel, 30, 162, 360, 18, &MainControls::lblTime},
    {IDC_LINE1, "STATIC", "", WS_CHILD | SS_ETCHEDHORZ, 0, Page::BatteryLevel, 30, 188, 360, 2, &MainControls::Line1},
    {IDC_LABEL6, "STATIC", "The estimate follows the time the last step of the charge level took.", kLabel, 0,
     Page::BatteryLevel, 30, 198, 360, 16, &MainControls::Label6},
    {IDC_LBL_BATTERY_NOW, "STATIC", "", kLabel, 0, Page::BatteryLevel, 30, 218, 360, 46, &MainControls::lblBatteryNow},
    {IDC_FM_POWER_STATUS, "BUTTON", "Estimated remaining time", kFrame, 0, Page::BatteryLevel, 18, 138, 384,
     134, &MainControls::fmPowerStatus},

    {IDC_CHK_START_CHARGING, "BUTTON", "Alert me when charging starts or stops", kCheck, 0, Page::AlertOptions,
     30, 58, 360, 18, &MainControls::chkStartCharging},
    {IDC_LABEL2, "STATIC", "Select Sound File for alert ...", kLabel, 0, Page::AlertOptions, 46, 78, 300, 16, &MainControls::Label2},
    {IDC_TXT_SND_FILE0, "EDIT", "", kSoundBox, WS_EX_CLIENTEDGE, Page::AlertOptions, 46, 96, 300, 21, nullptr, &MainControls::txtSndFile, 0},
    {IDC_BTN_BROWSE0, "BUTTON", "...", kButton, 0, Page::AlertOptions, 352, 96, 36, 21, nullptr, &MainControls::btnBrowse, 0},
    {IDC_CHK_END_CHARGING, "BUTTON", "Alert me when the battery is fully charged", kCheck, 0, Page::AlertOptions,
     30, 124, 360, 18, &MainControls::chkEndCharging},
    {IDC_LABEL3, "STATIC", "Select Sound File for alert ...", kLabel, 0, Page::AlertOptions, 46, 144, 300, 16, &MainControls::Label3},
    {IDC_TXT_SND_FILE0 + 1, "EDIT", "", kSoundBox, WS_EX_CLIENTEDGE, Page::AlertOptions, 46, 162, 300, 21, nullptr, &MainControls::txtSndFile, 1},
    {IDC_BTN_BROWSE0 + 1, "BUTTON", "...", kButton, 0, Page::AlertOptions, 352, 162, 36, 21, nullptr, &MainControls::btnBrowse, 1},
    // The critical level box sits over the blank gap of this caption; see PlaceBoxInCaption.
    {IDC_LBL_CHARGE_PERCENT, "STATIC", "%.", kLabel, 0, Page::AlertOptions, 256, 192, 20, 16, &MainControls::lblChargePercent},
    {IDC_TXT_CHARGE_ALERT, "EDIT", "10", WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL | ES_CENTER, WS_EX_CLIENTEDGE,
     Page::AlertOptions, 220, 189, 30, 20, &MainControls::txtChargeAlert},
    {IDC_CHK_CHARGE_LOW, "BUTTON", "Alert me when charge drops below         %.", kCheck | WS_CLIPSIBLINGS, 0,
     Page::AlertOptions,
     30, 190, 360, 18, &MainControls::chkChargeLow},
    {IDC_LABEL4, "STATIC", "Select Sound File for alert ...", kLabel, 0, Page::AlertOptions, 46, 210, 300, 16, &MainControls::Label4},
    {IDC_TXT_SND_FILE0 + 2, "EDIT", "", kSoundBox, WS_EX_CLIENTEDGE, Page::AlertOptions, 46, 228, 300, 21, nullptr, &MainControls::txtSndFile, 2},
    {IDC_BTN_BROWSE0 + 2, "BUTTON", "...", kButton, 0, Page::AlertOptions, 352, 228, 36, 21, nullptr, &MainControls::btnBrowse, 2},
    {IDC_FM_ALERT_OCC, "BUTTON", "Alert Occasions ... ", kFrame, 0, Page::AlertOptions, 18, 40, 384, 222, &MainControls::fmAlertOcc},

    {IDC_CHK_ON_TOP, "BUTTON", "Show Corvane window, always on top.", kCheck, 0, Page::Settings, 30, 62, 360, 18, &MainControls::chkOnTop},
    {IDC_FM_OTHER, "BUTTON", "Other ... ", kFrame, 0, Page::Settings, 18, 40, 384, 52, &MainControls::fmOther},
    {IDC_CHK_STARTUP, "BUTTON", "Start Corvane on Windows Startup.", kCheck, 0, Page::Settings, 30, 122, 360, 18, &MainControls::chkStartup},
    {IDC_FM_APPLICATION_STARTUP, "BUTTON", "Application Startup ... ", kFrame, 0, Page::Settings, 18, 100, 384,
     52, &MainControls::fmApplicationStartup},
    {IDC_CHK_TRAY_CHARGE, "BUTTON", "Show the charge in the tray icon.", kCheck, 0, Page::Settings, 30, 182, 360, 18,
     &MainControls::chkTrayCharge},
    // Like chkChargeLow: the level box sits over the blank gap of this caption.
    {IDC_LBL_CARE_PERCENT, "STATIC", "%.", kLabel, 0, Page::Settings, 276, 210, 20, 16, &MainControls::lblCarePercent},
    {IDC_TXT_CARE_VAL, "EDIT", "80", WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL | ES_CENTER, WS_EX_CLIENTEDGE,
     Page::Settings, 240, 207, 30, 20, &MainControls::txtCareVal},
    {IDC_CHK_CARE_ON, "BUTTON", "Remind me to remove the AC supply at         %.", kCheck | WS_CLIPSIBLINGS, 0,
     Page::Settings, 30, 208, 360, 18, &MainControls::chkCareOn},
    {IDC_FM_TRAY_CARE, "BUTTON", "Tray and Battery Care ... ", kFrame, 0, Page::Settings, 18, 160, 384, 78,
     &MainControls::fmTrayCare},

    {IDC_PICTURE1, about::Banner::kClassName, "", WS_CHILD | WS_VISIBLE, 0, Page::All, 0, -kBannerHeight,
     kClientWidth, kBannerHeight, &MainControls::Picture1},
    {IDC_TAB_MAIN, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, 0, Page::All, 8, 8,
     404, 274, &MainControls::tabMain},
};

void Move(HWND control, const Rect& r) {
    ::SetWindowPos(control, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

// Puts a level box in the blank gap of its check box's caption, wherever the font makes it
// fall: the critical level in chkChargeLow's, the reminder level in chkCareOn's.
struct BoxInCaption {
    HWND check, box, percent;
    std::string_view lead; // the caption up to its blanks
};
void PlaceBoxInCaption(const BoxInCaption& row, Rect check, int dpi, HFONT font) {
    WindowDc dc(row.check);
    SelectGuard keep(dc.get(), font);
    SIZE before{}, gap{}, tail{};
    ::GetTextExtentPoint32A(dc.get(), row.lead.data(), static_cast<int>(row.lead.size()), &before);
    ::GetTextExtentPoint32A(dc.get(), "        ", 8, &gap);
    ::GetTextExtentPoint32A(dc.get(), "%.", 2, &tail);
    const ChargeLowMeasures measured{SystemMetricForDpi(SM_CXMENUCHECK, dpi), static_cast<int>(before.cx),
                                     static_cast<int>(gap.cx), static_cast<int>(tail.cx), static_cast<int>(tail.cy)};
    const ChargeLowRow placed = LayoutChargeLow(check, measured, dpi);
    Move(row.check, placed.check);
    Move(row.box, placed.box);
    Move(row.percent, placed.percent);
}

} // namespace

UniqueGdiObject MakeUiFont(int dpi) { return MessageFontForDpi(dpi); }

MainControls CreateMainControls(HWND parent) {
    MainControls controls;
    auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    progressbar::XpProgressBar::Register(instance);
    about::Banner::Register(instance);
    for (const ControlSpec& c : kControls) {
        HandleOf(controls, c) = ::CreateWindowExA(c.exStyle, c.className, c.text, c.style, c.x, c.y, c.w, c.h,
                                                  parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                                                  instance, nullptr);
    }
    HWND tab = controls.tabMain;
    // The pages' controls sit on the window itself, in its face colour: a themed tab control
    // would paint its pane in another (white) and leave grey islands around every control.
    // A class list that names no class turns the theme off. Only where the theme library is
    // already in the process can the tab be themed at all: loading it just to say "no theme"
    // would cost start-up time for nothing.
    if (::GetModuleHandleA("uxtheme.dll")) {
        sys::SetWindowTheme(tab, L" ", L" ");
    }
    WPARAM position = 0;
    for (const char* caption : kTabCaptions) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(caption);
        ::SendMessageA(tab, TCM_INSERTITEMA, position++, reinterpret_cast<LPARAM>(&item));
    }
    ::SendMessageA(controls.txtChargeAlert, EM_LIMITTEXT, 3, 0);
    ::SendMessageA(controls.txtCareVal, EM_LIMITTEXT, 3, 0);
    ShowPage(controls, Page::BatteryLevel);
    return controls;
}

HWND ControlById(const MainControls& controls, int id) {
    for (const ControlSpec& c : kControls) {
        if (c.id == id) {
            return HandleOf(controls, c);
        }
    }
    return nullptr;
}

void LayoutMainControls(const MainControls& controls, int dpi, HFONT font) {
    Rect chargeLow{}, careOn{};
    for (const ControlSpec& c : kControls) {
        HWND child = HandleOf(controls, c);
        const Rect placed = Place(RectOfSize(c.x, c.y, c.w, c.h), dpi);
        Move(child, placed);
        ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (child == controls.chkChargeLow) {
            chargeLow = placed;
        }
        if (child == controls.chkCareOn) {
            careOn = placed;
        }
    }
    if (about::Banner* banner = about::Banner::FromHwnd(controls.Picture1)) {
        banner->SetDpi(dpi);
    }
    PlaceBoxInCaption({controls.chkChargeLow, controls.txtChargeAlert, controls.lblChargePercent,
                       "Alert me when charge drops below "},
                      chargeLow, dpi, font);
    PlaceBoxInCaption({controls.chkCareOn, controls.txtCareVal, controls.lblCarePercent,
                       "Remind me to remove the AC supply at "},
                      careOn, dpi, font);
    ::InvalidateRect(::GetParent(controls.tabMain), nullptr, TRUE);
}

void ShowPage(const MainControls& controls, Page page) {
    for (const ControlSpec& c : kControls) {
        if (c.page != Page::All) {
            ::ShowWindow(HandleOf(controls, c), c.page == page ? SW_SHOWNA : SW_HIDE);
        }
    }
    ::SendMessageA(controls.tabMain, TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
}

SIZE MainWindowSize(DWORD style, DWORD exStyle, bool menu, int dpi) {
    const RECT rc = WindowRectForClient(RECT{0, 0, ScaleDesign(kClientWidth, dpi), ScaleDesign(kClientHeight, dpi)}, style, menu,
                                        exStyle, dpi);
    return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

} // namespace corvane::app
