#pragma once
// The tray icon that carries the charge: drawn at the small-icon size of the DPI (never
// scaled), 32-bit with alpha, in the taskbar's theme. ChargeIcon owns the one drawn icon and
// hands every change to the tray through a callback, so the previous icon is freed only
// after the tray holds the next one.
#include <windows.h>

#include <functional>
#include <optional>
#include <utility>

#include "base/handles_win.h"
#include "tray/charge_icon.h"

namespace corvane::tray {

inline constexpr const char* kPersonalizeKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
// The taskbar's own value; AppsUseLightTheme is the windows', not the taskbar's.
inline constexpr const char* kTaskbarThemeValue = "SystemUsesLightTheme";

// True on a light taskbar: SystemUsesLightTheme is a non-zero DWORD. Missing (Windows before
// 10 1903, or no choice made) means dark, the taskbar's colour there.
bool TaskbarIsLight();
// Whether a WM_SETTINGCHANGE's lParam names the theme change ("ImmersiveColorSet").
bool IsThemeChange(LPARAM lParam);
// The small-icon side in pixels at a DPI.
int TrayIconSize(int dpi);

// A new icon of face.size pixels square showing the face; empty when GDI refused.
UniqueIcon DrawChargeIcon(const ChargeFace& face);

class ChargeIcon {
public:
    // Puts an icon into the tray (the host's SysTrayWindow::SetIconHandle).
    using ShowIcon = std::function<void(HICON)>;

    // programIcon stands in while the charge is unknown and after Off; it is not owned.
    // The taskbar's theme is read here and on ThemeChanged.
    ChargeIcon(ShowIcon show, HICON programIcon);
    ChargeIcon(const ChargeIcon&) = delete;
    ChargeIcon& operator=(const ChargeIcon&) = delete;

    // Every tick's reading, shown or not: ticking the option then draws the present charge at
    // once. Nothing is drawn or sent while the face stays the same.
    void OnReading(int percent, bool ac);
    // Whether the charge is shown, the critical level (warning at or below it; -1 for none)
    // and the tray's DPI; the last reading is drawn by them. Unshown, the program's icon goes
    // back at once and the drawn icon is freed.
    void Choose(bool shown, int criticalLevel, int dpi);
    // A reading shown at once with these: returns the drawn icon, or null where the program's
    // icon stands in for an unknown charge.
    HICON Update(int percent, bool ac, int criticalLevel, int dpi);
    // WM_SETTINGCHANGE with "ImmersiveColorSet": the theme is read again and the last
    // reading redrawn in it.
    void ThemeChanged();
    // Choose(false, ...) with the level and DPI as they were.
    void Off();
    // The program's icon was loaded again (a DPI change): what stands in from now on. The
    // caller puts it into the tray itself while no drawn icon is shown.
    void ProgramIconChanged(HICON programIcon) noexcept { programIcon_ = programIcon; }

    bool LightTaskbar() const noexcept { return light_; }
    HICON Current() const noexcept { return icon_.get(); }

private:
    void Redraw();
    HICON Show(const std::optional<ChargeFace>& face);

    ShowIcon show_;
    HICON programIcon_;
    bool light_;
    std::optional<std::pair<int, bool>> reading_; // percent, on AC
    bool shown_ = false;
    int criticalLevel_ = -1;
    int dpi_ = 96;
    std::optional<ChargeFace> face_;
    UniqueIcon icon_;
};

} // namespace corvane::tray
