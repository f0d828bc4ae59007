#!/bin/bash
# Renders the progress bar in all eight looks at the values 0, 5, 50, 99 and 100 and after a
# few sweep steps into one PNG, magnified three times, for a person to look at.
#   scripts/render-bar.sh [output.png]      (default: build/bar-looks.png)
set -eu
cd "$(dirname "$0")/.."
out=${1:-build/bar-looks.png}
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target render_bar -j2 >/dev/null
wine_dir=build/win32/wine
sh cmake/wine/env.sh prefix "$wine_dir"
bmp=$(mktemp --suffix=.bmp)
trap 'rm -f "$bmp"' EXIT
"$wine_dir/run" build/win32/tests/controls/progressbar/render_bar.exe "Z:$bmp"
convert "$bmp" -filter point -resize 300% "$out"
echo "$out"
