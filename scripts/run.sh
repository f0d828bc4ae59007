#!/bin/bash
# Builds Corvane.exe and starts it under Wine, in a Wine desktop window that has a taskbar with
# the notification area, so the tray icon and its balloons can be seen.
#   scripts/run.sh [win64|win32]    (default: win64, which every machine here can run)
# Uses the present X display; without one it starts a virtual display and says how to look.
set -eu
cd "$(dirname "$0")/.."
. scripts/pick-arch.sh
. cmake/wine/display.sh
./scripts/install-deps.sh
pick_arch "${1:-}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target Corvane -j "$(nproc 2>/dev/null || echo 2)"

dir="$PWD/build/run-wine-$arch"
mkdir -p "$dir"
export WINEPREFIX="$dir/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="

if [ -z "${DISPLAY:-}" ]; then
    trap 'stop_virtual_display "$dir"' EXIT
    virtual_display "$dir" 1280x800
    echo "No X display found: Corvane runs on the virtual display $DISPLAY."
    echo "Look at it from another shell with:"
    echo "    DISPLAY=$DISPLAY import -window root corvane.png"
    echo "Stop it with Ctrl+C."
fi

sh cmake/wine/env.sh prefix "$dir" "$arch"
exe="$("$loader" winepath -w "build/$preset/Corvane.exe" 2>/dev/null)"
echo "Starting the $arch Corvane.exe"
wine_desktop Corvane 1024x700 "$exe"
