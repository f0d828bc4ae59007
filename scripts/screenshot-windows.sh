#!/bin/bash
# Pictures of the main window's four tabs and of the About window at 96 and 144 dpi, as a
# person sees them on a Wine desktop. The window is worked with the keyboard the way a person
# would: Ctrl+Tab to the next tab, Alt+M then A for About, Escape to close it.
#   scripts/screenshot-windows.sh [out-dir] [win64|win32]   (default: build/screenshots, win64)
# Writes main-<tab>-<dpi>.png and about-<dpi>.png. BATTERY="<ac 0|1>,<status>,<charge_now uAh>"
# runs it against a simulated 10 Ah battery drawing 1 A at 12 V (root only), for example
# BATTERY="1,Not charging,8000000"; without it the machine's own power supply is shown.
set -eu
cd "$(dirname "$0")/.."
. scripts/pick-arch.sh
. cmake/wine/display.sh
. cmake/wine/battery.sh
out=${1:-build/screenshots}
pick_arch "${2:-}"
mkdir -p "$out"
exe=build/$preset/Corvane.exe
peek=build/$preset/tests/app/corvane_peek.exe
if [ ! -f "$exe" ] || [ ! -f "$peek" ]; then
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --target Corvane corvane_peek -j 2
fi

shoot() { # dpi
    local dpi=$1 dir="$PWD/build/screenshot-wine-$arch-$1"
    mkdir -p "$dir"
    export WINEPREFIX="$dir/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
    trap 'wineserver -k 2>/dev/null || true; stop_virtual_display "$dir"' RETURN
    virtual_display "$dir" 1024x768
    sh cmake/wine/env.sh prefix "$dir" "$arch" >/dev/null
    # The screen's density, where Wine reads it.
    "$loader" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    "$loader" reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
        /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    local program
    program=$("$loader" winepath -w "$exe" 2>/dev/null)
    if [ -n "${BATTERY:-}" ]; then
        make_battery "$dir/battery"
        local ac status charge
        IFS=, read -r ac status charge <<<"$BATTERY"
        set_battery "$dir/battery" "$ac" "$status" "$charge"
        with_battery "$dir/battery" "$loader" explorer /desktop=Corvane,1024x768 "$program" </dev/null >/dev/null 2>&1 &
    else
        wine_desktop Corvane 1024x768 "$program" </dev/null >/dev/null 2>&1 &
    fi
    sleep "${SHOT_DELAY:-6}"
    # Windows of a Wine desktop can only be found by a program on the same desktop.
    wine_desktop Corvane 1024x768 "$("$loader" winepath -w "$peek" 2>/dev/null)" show </dev/null >/dev/null 2>&1
    sleep 1.5
    for tab in battery alerts settings history; do
        import -window root -crop 1024x768+0+0 +repage "$out/main-$tab-$dpi.png"
        echo "$out/main-$tab-$dpi.png"
        xdotool key ctrl+Tab
        sleep 0.8
    done
    xdotool key alt+m
    sleep 0.5
    xdotool key a
    sleep 1.5
    import -window root -crop 1024x768+0+0 +repage "$out/about-$dpi.png"
    echo "$out/about-$dpi.png"
    xdotool key Escape
    sleep 0.5
    wine_desktop Corvane 1024x768 "$("$loader" winepath -w "$peek" 2>/dev/null)" quit </dev/null >/dev/null 2>&1 || true
    sleep 1
}

for dpi in ${DPIS:-96 144}; do
    shoot "$dpi"
done
