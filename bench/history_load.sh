#!/bin/bash
# The History tab against a large ChargeLog.csv, under Wine: time and peak memory of the start
# (the log pruned) and of the tab's first showing (the log streamed), and a week's paint.
#   bench/history_load.sh [win64|win32] [MB]      (default: the machine's arch, 1024 MB)
# Two logs of that size are made: "years", a gauge flickering every tick for years (start
# prunes it to its last month), and "week", all its rows in the last seven days (nothing to
# prune: the tab streams all of it). WORK=<dir> says where they go (default build/history-load).
set -eu
cd "$(dirname "$0")/.."
. scripts/pick-arch.sh
pick_arch "${1:-}"
size_mb=${2:-1024}
tree="build/$preset"
work=${WORK:-$PWD/build/history-load}
cmake --build --preset "$preset" --target history_bench -j 2 >/dev/null
mkdir -p "$work"

# Rows of 27 bytes ("2026-12-08T18:20:05Z,57,0\r\n") ending now, `step` seconds apart.
make_log() { # file step
    python3 - "$1" "$2" "$size_mb" <<'PY'
import sys, time, datetime
path, step, mb = sys.argv[1], float(sys.argv[2]), int(sys.argv[3])
count = mb * 1024 * 1024 // 27
now = int(time.time())
first = now - int(count * step)
with open(path, "w", newline="") as f:
    f.write("time,percent,ac\r\n")
    day = None
    out = []
    for i in range(count):
        t = first + int(i * step)
        if day != t // 86400:
            day = t // 86400
            stamp = datetime.datetime.utcfromtimestamp(day * 86400).strftime("%Y-%m-%dT")
        s = t % 86400
        out.append("%s%02d:%02d:%02dZ,%d,%d\r\n" % (stamp, s // 3600, s // 60 % 60, s % 60, 57 + (i & 1), (i >> 12) & 1))
        if len(out) >= 100000:
            f.write("".join(out))
            out = []
    f.write("".join(out))
PY
}

# A prefix and a display of its own, as footprint.sh has.
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
. cmake/wine/display.sh
finish() {
    "$loader" wineserver -k 2>/dev/null || true
    stop_virtual_display "$work"
    rm -f "$work"/ChargeLog-*.csv*
}
trap finish EXIT
virtual_display "$work" 800x600
sh cmake/wine/env.sh prefix "$work" "$arch" >/dev/null
for kind in years week; do
    log="$work/ChargeLog-$kind.csv"
    if [ "$kind" = years ]; then make_log "$log" 2; else make_log "$log" "$(python3 -c "print(7*86400/($size_mb*1024*1024/27))")"; fi
    echo "=== $kind"
    "$loader" "$tree/bench/history_bench.exe" load "Z:${log//\//\\}" | tr -d '\r'
    rm -f "$log" "$log.new"
done
echo "=== paint"
"$loader" "$tree/bench/history_bench.exe" paint | tr -d '\r'
