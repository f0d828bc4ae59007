#!/bin/bash
# Renders the progress bar in all eight looks at the values 0, 5, 50, 99 and 100 and after a
# few sweep steps into one PNG, magnified three times, for a person to look at.
#   scripts/render-bar.sh [output.png] [win64|win32]     (default: build/bar-looks.png, win64)
set -eu
cd "$(dirname "$0")/.."
. scripts/pick-arch.sh
out=${1:-build/bar-looks.png}
pick_arch "${2:-}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target render_bar -j2 >/dev/null
wine_dir=build/$preset/wine
sh cmake/wine/env.sh prefix "$wine_dir" "$arch"
bmp=$(mktemp --suffix=.bmp)
trap 'rm -f "$bmp"' EXIT
"$wine_dir/run" "build/$preset/tests/controls/progressbar/render_bar.exe" "Z:$bmp"
convert "$bmp" -filter point -resize 300% "$out"
echo "$out"
