#!/bin/bash
# The History tab against a large ChargeLog.csv, under Wine: time and peak memory of the start
# (the log pruned) and of the tab's first showing (the log streamed), and a week's paint.
#   bench/history_load.sh [win64|win32] [MB]      (default: the machine's arch, 1024 MB)
# Two logs of that size are made: "years", a gauge flickering every 2-second tick for years (start
# prunes it to its last month), and "week", all its rows in the last seven days, many a second
# (nothing to prune: the tab streams all of it); KINDS="years" makes one. WORK=<dir> says where
# they go (default build/history-load).
set -eu
cd "$(dirname "$0")/.."
. scripts/pick-arch.sh
pick_arch "${1:-}"
size_mb=${2:-1024}
tree="build/$preset"
work=${WORK:-$PWD/build/history-load}
cmake --build --preset "$preset" --target history_bench -j 2 >/dev/null
mkdir -p "$work"

# Rows of 27 bytes ("2026-12-08T18:20:05Z,57,0\r\n") ending today, `per_day` a day, flickering
# between 57 and 58 at every row, on AC power from 18:00 to 24:00. Every day is the same text
# but for its date, so the file is written a day at a time.
make_log() { # file per_day
    python3 - "$1" "$2" "$size_mb" <<'PY'
import sys, time, datetime
path, per_day, mb = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
rows = []
for i in range(per_day):
    s = i * 86400 // per_day
    rows.append("DATE-XXT%02d:%02d:%02dZ,%d,%d\r\n" % (s // 3600, s // 60 % 60, s % 60, 57 + (i & 1), int(s >= 64800)))
day = "".join(rows)
days = max(1, mb * 1024 * 1024 // len(day))
today = int(time.time()) // 86400
with open(path, "w", newline="") as f:
    f.write("time,percent,ac\r\n")
    for d in range(today - days + 1, today + 1):
        f.write(day.replace("DATE-XX", datetime.datetime.utcfromtimestamp(d * 86400).strftime("%Y-%m-%d")))
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
for kind in ${KINDS:-years week}; do
    log="$work/ChargeLog-$kind.csv"
    if [ "$kind" = years ]; then make_log "$log" 43200; else make_log "$log" $((size_mb * 1024 * 1024 / 27 / 7)); fi
    echo "=== $kind"
    "$loader" "$tree/bench/history_bench.exe" load "Z:${log//\//\\}" | tr -d '\r'
    rm -f "$log" "$log.new"
done
echo "=== paint"
"$loader" "$tree/bench/history_bench.exe" paint | tr -d '\r'
