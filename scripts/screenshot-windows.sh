#!/bin/bash
# Pictures of the main window's four tabs and of the About window at 96 and 144 dpi, as a
# person sees them on a Wine desktop. The window is worked with the keyboard the way a person
# would: Ctrl+Tab to the next tab, Alt+M then A for About, Escape to close it.
#   scripts/screenshot-windows.sh [out-dir] [win64|win32]   (default: build/screenshots, win64)
# Writes main-<tab>-<dpi>.png, about-<dpi>.png and tray-<dpi>.png (the taskbar's notification
# area at the end). Corvane runs, with its sounds, from where the setup would install it.
#   BATTERY="<ac 0|1>,<status>,<charge_now uAh>"  a simulated 10 Ah battery drawing 1 A at 12 V
#                     (root only), e.g. BATTERY="1,Not charging,8000000"; without it the
#                     machine's own power supply is shown
#   TRAY_CHARGE=1     the charge drawn in the tray icon, for a light taskbar (Wine's)
#   CHARGE_LOG=<file> a ChargeLog.csv put beside the program, for the History tab
#   CROP=1            each picture cut to the window it shows
#   DPIS="96 144"     the densities
set -eu
cd "$(dirname "$0")/.."
. scripts/pick-arch.sh
. cmake/wine/display.sh
. cmake/wine/battery.sh
out=${1:-build/screenshots}
pick_arch "${2:-}"
mkdir -p "$out"
out=$(cd "$out" && pwd)
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
    # Wine's taskbar is light whatever the setting says; the icon is drawn for the one it has.
    "$loader" reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize' \
        /v SystemUsesLightTheme /t REG_DWORD /d 1 /f >/dev/null 2>&1
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true

    # Where the setup installs it, so that the sound boxes show the paths a user sees.
    local folder
    folder="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Programs/Corvane"
    rm -rf "$folder"
    mkdir -p "$folder"
    cp "$exe" build/"$preset"/chg_*.wav "$folder/"
    [ "${TRAY_CHARGE:-0}" = 1 ] && printf '[settings]\r\ntraycharge=1\r\n' >"$folder/AppOpt.ini"
    [ -n "${CHARGE_LOG:-}" ] && cp "$CHARGE_LOG" "$folder/ChargeLog.csv"
    local program peeker
    program=$("$loader" winepath -w "$folder/Corvane.exe" 2>/dev/null)
    peeker=$("$loader" winepath -w "$peek" 2>/dev/null)
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
    wine_desktop Corvane 1024x768 "$peeker" show </dev/null >/dev/null 2>&1
    sleep 1.5
    # picture <file> <window class>: the desktop, or with CROP=1 the window of that class.
    picture() {
        local geometry=1024x768+0+0
        if [ "${CROP:-0}" = 1 ]; then
            # The desktop hands the program on and returns at once: wait for its answer.
            rm -f "$dir/rect"
            wine_desktop Corvane 1024x768 "$peeker" rect "$2" "$("$loader" winepath -w "$dir/rect" 2>/dev/null)" \
                </dev/null >/dev/null 2>&1 || true
            for _ in $(seq 1 50); do
                [ -s "$dir/rect" ] && break
                sleep 0.1
            done
            [ -s "$dir/rect" ] && geometry=$(tr -d '\r\n' <"$dir/rect")
        fi
        import -window root -crop "$geometry" +repage "$1"
        echo "$1"
    }
    for tab in battery alerts settings history; do
        picture "$out/main-$tab-$dpi.png" CorvaneMain
        xdotool key ctrl+Tab
        sleep 0.8
    done
    xdotool key alt+m
    sleep 0.5
    xdotool key a
    sleep 1.5
    picture "$out/about-$dpi.png" CorvaneAbout
    xdotool key Escape
    sleep 0.5
    # The notification area's end of the taskbar, the welcome balloon gone by now.
    import -window root -gravity SouthEast -crop "$((dpi * 3 / 2))x$((dpi * 20 / 96))+0+0" +repage "$out/tray-$dpi.png"
    echo "$out/tray-$dpi.png"
    wine_desktop Corvane 1024x768 "$peeker" quit </dev/null >/dev/null 2>&1 || true
    sleep 1
}

for dpi in ${DPIS:-96 144}; do
    shoot "$dpi"
done
