#!/bin/bash
# Builds Corvane.exe and starts it under Wine, in a Wine desktop window that has a taskbar with
# the notification area, so the tray icon and its balloons can be seen.
#   scripts/run.sh [win64|win32]    (default: win64, which every machine here can run)
# Uses the present X display; without one it starts a virtual display and says how to look.
set -eu
cd "$(dirname "$0")/.."
. scripts/pick-arch.sh
./scripts/install-deps.sh
pick_arch "${1:-}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target Corvane -j "$(nproc 2>/dev/null || echo 2)"

dir="$PWD/build/run-wine-$arch"
mkdir -p "$dir"
export WINEPREFIX="$dir/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="

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

sh cmake/wine/env.sh prefix "$dir" "$arch"
exe="$("$loader" winepath -w "build/$preset/Corvane.exe" 2>/dev/null)"
echo "Starting the $arch Corvane.exe"
"$loader" explorer "/desktop=Corvane,1024x700" "$exe"
