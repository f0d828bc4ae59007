#!/bin/sh
# The full soak: 100,000 ticks of the real main window (a few minutes under Wine), printing
# GDI objects, USER objects, kernel handles and private bytes every 10,000 ticks; it ends with
# "flat" (exit 0) or "GROWING" (exit 1). The tests run a short one of 3,000 ticks.
#   bench/soak.sh [win64|win32] [ticks]
set -eu
cd "$(dirname "$0")/.."
. scripts/pick-arch.sh
pick_arch "${1:-}"
ticks=${2:-100000}
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target corvane_soak -j 2 >/dev/null
wine_dir="build/$preset/wine"
sh cmake/wine/env.sh setup "$wine_dir" "$arch" >/dev/null
trap 'sh cmake/wine/env.sh cleanup "$wine_dir" >/dev/null 2>&1 || true' EXIT
"$wine_dir/run" "build/$preset/tests/app/corvane_soak.exe" "$ticks"
