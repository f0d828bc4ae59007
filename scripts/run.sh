#!/bin/bash
# Builds the 32-bit Corvane.exe and starts it under Wine, in a Wine desktop window that has a
# taskbar with the notification area, so the tray icon and its balloons can be seen.
# Uses the present X display; without one it starts a virtual display and says how to look.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target Corvane -j "$(nproc 2>/dev/null || echo 2)"

dir="$PWD/build/run-wine"
mkdir -p "$dir"
export WINEPREFIX="$dir/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

if [ -z "${DISPLAY:-}" ]; then
    rm -f "$dir/display.num"
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$dir/display.num" </dev/null >/dev/null 2>&1 &
    xvfb=$!
    trap 'kill $xvfb 2>/dev/null || true' EXIT
    while [ ! -s "$dir/display.num" ]; do sleep 0.1; done
    export DISPLAY=":$(head -n1 "$dir/display.num")"
    echo "No X display found: Corvane runs on the virtual display $DISPLAY."
    echo "Look at it from another shell with:"
    echo "    DISPLAY=$DISPLAY import -window root corvane.png"
    echo "Stop it with Ctrl+C."
fi

sh cmake/wine/env.sh prefix "$dir"
exe="$(winepath -w build/win32/Corvane.exe)"
wine explorer "/desktop=Corvane,1024x700" "$exe"
