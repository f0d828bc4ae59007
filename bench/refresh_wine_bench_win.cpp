// Under Wine: what a tick of the real main window costs against the system call it makes.
// Runs 10,000 refreshes of frmMain (real labels, real bar, real tray icon) and 10,000 bare
// GetSystemPowerStatus and CallNtPowerInformation(SystemBatteryState) calls, the two a tick
// makes, in the same process, and prints them and their ratio.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "app/main_window_win.h"
#include "app/power_ports_win.h"
#include "base/system_calls_win.h"

namespace {

constexpr int kRuns = 10000;

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b, LARGE_INTEGER f) {
    return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

// The real power status, but with the charge level stepping each run, so that every run
// writes the estimate, the tooltip and the labels.
class SteppingSource : public corvane::app::PowerSource {
public:
    bool Read(corvane::app::PowerStatus& s) override {
        if (!real.Read(s)) {
            return false;
        }
        s.BatteryLifePercent = static_cast<std::uint8_t>(step++ % 2 == 0 ? 56 : 57);
        return true;
    }
    corvane::app::SystemPowerSource real;
    unsigned step = 0;
};

double TimeRefreshes(corvane::app::MainWindow& w) {
    LARGE_INTEGER f, a, b;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&a);
    for (int i = 0; i < kRuns; ++i) {
        w.tmrUpdate_Timer();
    }
    ::QueryPerformanceCounter(&b);
    return Seconds(a, b, f);
}

} // namespace

int main() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
    corvane::sys::InitCommonControlsEx(&icc);
    HINSTANCE instance = ::GetModuleHandleA(nullptr);

    LARGE_INTEGER f, a, b;
    ::QueryPerformanceFrequency(&f);
    SYSTEM_POWER_STATUS s{};
    ::QueryPerformanceCounter(&a);
    for (int i = 0; i < kRuns; ++i) {
        ::GetSystemPowerStatus(&s);
    }
    ::QueryPerformanceCounter(&b);
    const double bare = Seconds(a, b, f);
    SYSTEM_BATTERY_STATE battery{};
    LONG answered = corvane::sys::CallNtPowerInformation(SystemBatteryState, nullptr, 0, &battery, sizeof battery);
    ::QueryPerformanceCounter(&a);
    for (int i = 0; i < kRuns; ++i) {
        corvane::sys::CallNtPowerInformation(SystemBatteryState, nullptr, 0, &battery, sizeof battery);
    }
    ::QueryPerformanceCounter(&b);
    const double batteryState = Seconds(a, b, f);

    // Start-up writes the autostart value and the end AppOpt.ini: here into a key and a
    // folder of the bench's own, never the user's.
    HKEY user = nullptr;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\CorvaneBench", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &user,
                      nullptr);
    ::RegOverridePredefKey(HKEY_CURRENT_USER, user);
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);

    corvane::app::MainWindow::Options plain;
    plain.quitWhenDestroyed = false;
    plain.programPath = std::string(temp) + "Corvane.exe";
    const std::string settingsFile = std::string(temp) + "AppOpt.ini";
    corvane::app::MainWindow usual(instance, plain);
    if (!usual.Load()) {
        std::printf("could not create the main window\n");
        return 1;
    }
    const double unchanged = TimeRefreshes(usual);
    usual.Unload();

    SteppingSource stepping;
    corvane::app::MainWindow::Options o = plain;
    o.source = &stepping;
    corvane::app::MainWindow changing(instance, o);
    changing.Load();
    const double changed = TimeRefreshes(changing);
    changing.Unload();
    ::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    ::RegCloseKey(user);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\CorvaneBench");
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\CorvaneBench");
    ::DeleteFileA(settingsFile.c_str());

    std::printf("%d bare GetSystemPowerStatus calls:         %8.3f s (%7.1f us each)\n", kRuns, bare,
                bare * 1e6 / kRuns);
    std::printf("%d bare SystemBatteryState calls:           %8.3f s (%7.1f us each), status %ld\n", kRuns,
                batteryState, batteryState * 1e6 / kRuns, static_cast<long>(answered));
    std::printf("%d refreshes, charge level as reported:  %8.3f s (%7.1f us each), ratio %.2f\n", kRuns, unchanged,
                unchanged * 1e6 / kRuns, unchanged / bare);
    std::printf("%d refreshes, charge level changing:     %8.3f s (%7.1f us each), ratio %.2f\n", kRuns, changed,
                changed * 1e6 / kRuns, changed / bare);
    std::printf("battery as reported: AC %u, percent %u\n", s.ACLineStatus, s.BatteryLifePercent);
    return 0;
}
