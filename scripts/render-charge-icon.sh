#!/bin/bash
# Renders the tray icon that shows the charge (57, 23, on AC, critical, full) on a light and on
# a dark taskbar at 96 and 144 dpi, magnified eight times, for a person to look at.
#   scripts/render-charge-icon.sh [folder] [win64|win32]   (default: build/charge-icon, win64)
set -eu
cd "$(dirname "$0")/.."
. scripts/pick-arch.sh
out=${1:-build/charge-icon}
pick_arch "${2:-}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target charge_icon_shots -j2 >/dev/null
wine_dir=build/$preset/wine
sh cmake/wine/env.sh prefix "$wine_dir" "$arch"
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$wine_dir/run" "build/$preset/tests/tray/charge_icon_shots.exe" "Z:$tmp"
for ppm in "$tmp"/*.ppm; do
    name=$(basename "$ppm" .ppm)
    convert "$ppm" -filter point -resize 800% "$out/$name.png"
    echo "$out/$name.png"
done
