// Months of ticks in minutes: the real main window, driven much faster than every 2 s by a
// scripted battery that charges, discharges, goes unknown and raises all four alerts, with the
// window shown and hidden and the bar's colour changed along the way. Prints the process's
// GDI objects, USER objects, kernel handles and private bytes as it goes, and fails when any
// of them has grown between tick 1,000 and the last tick.
//   corvane_soak.exe [ticks] [silent]   (default 100000; "silent" plays no alert sounds: the
//   short run with the tests, where a sound thread that 32-bit Wine keeps for seconds would
//   be taken for growth)
#include <windows.h>
#include <commctrl.h>
#include <mmsystem.h>
#include <psapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/main_window_ids.h"
#include "app/main_window_win.h"
#include "base/system_calls_win.h"
#include "controls/progressbar/progress_bar_win.h"
#include "support/registry_sandbox_win.h"

namespace {

using namespace corvane;
using namespace corvane::app;

// Down from 100 to 5 on battery, up again on AC; now and then an unknown reading or source.
class ScriptedBattery : public PowerSource {
public:
    bool Read(PowerStatus& s) override {
        const std::uint64_t step = tick / 3; // a new reading every third tick
        const int phase = static_cast<int>(step % 192);
        const bool charging = phase >= 96;
        s.ACLineStatus = charging ? 1 : 0;
        s.BatteryLifePercent = static_cast<std::uint8_t>(charging ? 5 + (phase - 96) : 100 - phase);
        if (s.BatteryLifePercent > 100) {
            s.BatteryLifePercent = 100;
        }
        s.BatteryFlag = charging ? 8 : 0;
        s.BatteryLifeTime = charging ? 0xFFFFFFFFu : 60u * s.BatteryLifePercent;
        if (tick % 97 == 0) {
            s.BatteryLifePercent = 255;
        }
        if (tick % 89 == 0) {
            s.ACLineStatus = tick % 178 == 0 ? 2 : 255;
        }
        return true;
    }
    std::uint64_t tick = 0;
};

class FastClock : public Clock {
public:
    std::int32_t SecondsOfDay() override { return static_cast<std::int32_t>((ms / 1000) % kSecondsPerDay); }
    std::int64_t MonotonicMilliseconds() override { return ms; }
    UnixTime UtcNow() override { return 1765000000; }
    std::int64_t LocalOffsetAt(UnixTime) override { return 0; }
    std::int64_t ms = 0;
};

struct Figures {
    int gdi = 0;
    int user = 0;
    DWORD handles = 0;
    SIZE_T privateBytes = 0;
};

Figures Measure() {
    Figures f;
    // GetGuiResources is a stub under Wine: every possible handle value is asked instead.
    for (std::uintptr_t i = 1; i <= 0xFFFF; ++i) {
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0) {
            ++f.gdi;
        }
        // Window handles are shared by the whole desktop: only this process's count.
        DWORD owner = 0;
        const auto hwnd = reinterpret_cast<HWND>(i);
        if (::IsMenu(reinterpret_cast<HMENU>(i)) ||
            (::IsWindow(hwnd) && ::GetWindowThreadProcessId(hwnd, &owner) != 0 && owner == ::GetCurrentProcessId())) {
            ++f.user;
        }
    }
    // GetProcessHandleCount is a stub under Wine too: kernel handles are multiples of 4.
    for (std::uintptr_t h = 4; h <= 0xFFFC; h += 4) {
        DWORD flags = 0;
        if (::GetHandleInformation(reinterpret_cast<HANDLE>(h), &flags)) {
            ++f.handles;
        }
    }
    PROCESS_MEMORY_COUNTERS_EX pmc{};
    pmc.cb = sizeof pmc;
    if (::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc),
                               sizeof pmc)) {
        // Wine leaves PrivateUsage at 0; its PagefileUsage counts the same committed memory.
        f.privateBytes = pmc.PrivateUsage != 0 ? pmc.PrivateUsage : pmc.PagefileUsage;
    }
    return f;
}

void Pump() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

void Print(std::uint64_t tick, const Figures& f) {
    std::printf("%10llu %8d %8d %10lu %14llu\n", static_cast<unsigned long long>(tick), f.gdi, f.user, f.handles,
                static_cast<unsigned long long>(f.privateBytes));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    const std::uint64_t ticks = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 100000;
    const bool silent = argc > 2 && std::string(argv[2]) == "silent";
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
    corvane::sys::InitCommonControlsEx(&icc);

    // The first start writes the Run value and Unload writes AppOpt.ini beside the program:
    // both go to places of this run's own, never the prefix's user hive or the build tree.
    const corvane::test::CurrentUserSandbox user;
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "corvane-soak-" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(folder.c_str(), nullptr);
    const std::string ini = folder + "\\AppOpt.ini";
    ScriptedBattery battery;
    FastClock clock;
    MainWindow::Options options;
    options.source = &battery;
    options.clock = &clock;
    options.quitWhenDestroyed = false;
    options.programPath = folder + "\\Corvane.exe";
    MainWindow frmMain(::GetModuleHandleA(nullptr), options);
    if (!frmMain.Load()) {
        std::printf("could not create the main window\n");
        return 1;
    }
    UserOptions chosen = frmMain.Chosen();
    chosen.startChargingAlert = chosen.endChargingAlert = chosen.chargeLowAlert = true;
    chosen.chargeAlertText = "10";
    // The drawn tray icon changes with most readings and the care reminder fires each cycle:
    // both must leave the figures as flat as the rest.
    chosen.trayCharge = chosen.careOn = true;
#ifdef CORVANE_SOUNDS_DIR
    if (!silent) {
        chosen.soundFiles = {CORVANE_SOUNDS_DIR "/chg_start.wav", CORVANE_SOUNDS_DIR "/chg_full.wav",
                             CORVANE_SOUNDS_DIR "/chg_critical.wav"};
    }
#endif
    frmMain.Choose(chosen);

    std::printf("%10s %8s %8s %10s %14s\n", "tick", "GDI", "USER", "handles", "private bytes");
    Figures atThousand;
    Figures last;
    for (std::uint64_t tick = 1; tick <= ticks; ++tick) {
        battery.tick = tick;
        clock.ms += 2000;
        frmMain.tmrUpdate_Timer();
        if (tick % 500 == 0) {
            frmMain.MenuClick(0, std::string()); // shown, then hidden 500 ticks later
        }
        if (tick % 700 == 0) {
            frmMain.pgBatteryLevel().SetProgressLook(static_cast<std::int32_t>((tick / 700) % 8));
        }
        Pump();
        if (tick == 1000 || tick == ticks || tick % 10000 == 0) {
            // An alert sound still playing holds its player thread (a handle, a window, a
            // stack): stop it and, while the handles are up, take each figure at its lowest
            // over a few seconds. A leak stays in every sample.
            corvane::sys::sndPlaySoundA(nullptr, 0);
            last = Measure();
            for (int sample = 0; sample < 10 && tick != 1000 && last.handles > atThousand.handles; ++sample) {
                ::Sleep(400);
                Pump();
                const Figures again = Measure();
                last.gdi = std::min(last.gdi, again.gdi);
                last.user = std::min(last.user, again.user);
                last.handles = std::min(last.handles, again.handles);
                last.privateBytes = std::min(last.privateBytes, again.privateBytes);
            }
            if (tick == 1000) {
                atThousand = last;
            }
            Print(tick, last);
        }
    }
    frmMain.Unload();
    ::DeleteFileA(ini.c_str());
    ::DeleteFileA((folder + "\\ChargeLog.csv").c_str()); // the program keeps one beside its settings
    ::RemoveDirectoryA(folder.c_str());
    if (ticks < 1000) {
        return 0;
    }
    const long long grown = static_cast<long long>(last.privateBytes) - static_cast<long long>(atThousand.privateBytes);
    std::printf("from tick 1000 to tick %llu: GDI %+d, USER %+d, handles %+ld, private bytes %+lld\n",
                static_cast<unsigned long long>(ticks), last.gdi - atThousand.gdi, last.user - atThousand.user,
                static_cast<long>(last.handles) - static_cast<long>(atThousand.handles), grown);
    // Objects must not grow at all; memory may move by a few pages as the heap settles.
    const bool flat = last.gdi <= atThousand.gdi && last.user <= atThousand.user &&
                      last.handles <= atThousand.handles && grown <= 256 * 1024;
    std::printf("%s\n", flat ? "flat" : "GROWING");
    return flat ? 0 : 1;
}
