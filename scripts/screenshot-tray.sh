#!/bin/bash
# Takes the picture a person sees after starting Corvane: a Wine desktop with its taskbar,
# Corvane's icon in the notification area and the welcome balloon above it.
#   scripts/screenshot-tray.sh [out.png] [win64|win32]   (default: build/screenshots/tray.png, win64)
# With SHOW_WINDOW=1 the icon is double-clicked first, so the picture shows the main window.
# Runs on a virtual display of its own, in a Wine prefix of its own under build/.
set -eu
cd "$(dirname "$0")/.."
. scripts/pick-arch.sh
. cmake/wine/display.sh
out=${1:-build/screenshots/tray.png}
pick_arch "${2:-}"
mkdir -p "$(dirname "$out")"

peek=build/$preset/tests/app/corvane_peek.exe
if [ ! -f "build/$preset/Corvane.exe" ] || { [ "${SHOW_WINDOW:-0}" = 1 ] && [ ! -f "$peek" ]; }; then
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --target Corvane corvane_peek -j 2
fi

dir="$PWD/build/screenshot-wine-$arch"
mkdir -p "$dir"
export WINEPREFIX="$dir/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="

finish() {
    wineserver -k 2>/dev/null || true
    stop_virtual_display "$dir"
}
trap finish EXIT
virtual_display "$dir" 1024x768

sh cmake/wine/env.sh prefix "$dir" "$arch" >/dev/null
exe="$("$loader" winepath -w "build/$preset/Corvane.exe" 2>/dev/null)"
wine_desktop Corvane 800x600 "$exe" </dev/null >/dev/null 2>&1 &

# The balloon stays for the shell's minimum time; take the picture while it shows.
sleep "${SHOT_DELAY:-5}"
if [ "${SHOW_WINDOW:-0}" = 1 ]; then
    # Inside the same Wine desktop: windows of other desktops cannot be found.
    wine_desktop Corvane 800x600 "$("$loader" winepath -w "$peek" 2>/dev/null)" show </dev/null ||
        echo "could not show the window" >&2
    sleep 1
fi
import -window root -crop 800x600+0+0 +repage "$out"
echo "$out"
