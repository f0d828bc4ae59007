#!/bin/bash
# The pictures the README shows, in docs/, made from the real program under Wine: the main
# window's four tabs and the About window at 96 dpi, the Battery Level tab at 144 dpi, the
# taskbar with the charge in the tray icon, and that icon as drawn for a light and a dark
# taskbar (Wine's own taskbar is always light). The battery is simulated (57%, 12 W from a
# 10 Ah battery at 12 V), and the History tab shows a day of a laptop's life written for it.
#   scripts/make-docs-pictures.sh [win64|win32]     (root: the battery needs a mount namespace)
set -eu
cd "$(dirname "$0")/.."
arch=${1:-win64}
work=build/docs-pictures
rm -rf "$work"
mkdir -p "$work" docs

# A working day ending now: off the charger from 9:00, plugged in over lunch and in the evening.
python3 - "$work/ChargeLog.csv" <<'PY'
import sys, time
now = int(time.time())
rows, t, percent, ac = [], now - 24 * 3600, 96, 1
plan = [(9, 0), (12.5, 1), (13.5, 0), (19, 1), (23, 0)]
while t < now - 120:
    hours = (24 - (now - t) / 3600.0)
    for at, state in plan:
        if hours >= at:
            ac = state
    percent = min(100, percent + 1) if ac else max(5, percent - 1)
    rows.append("%s,%d,%d" % (time.strftime("%Y-%m-%dT%H:%M:%SZ", time.gmtime(t)), percent, ac))
    t += 240 if ac else 420
with open(sys.argv[1], "w", newline="") as f:
    f.write("time,percent,ac\r\n" + "".join(r + "\r\n" for r in rows))
PY

BATTERY="0,Discharging,5700000" TRAY_CHARGE=1 CROP=1 CHARGE_LOG="$work/ChargeLog.csv" DPIS="96 144" \
    scripts/screenshot-windows.sh "$work/shots" "$arch"
for tab in battery alerts settings history; do
    cp "$work/shots/main-$tab-96.png" "docs/main-$tab.png"
done
cp "$work/shots/main-battery-144.png" docs/main-battery-144dpi.png
cp "$work/shots/about-96.png" docs/about.png
cp "$work/shots/tray-96.png" docs/taskbar.png
scripts/render-charge-icon.sh "$work/icons" "$arch" >/dev/null
cp "$work/icons/tray-96-light.png" docs/tray-icon-light.png
cp "$work/icons/tray-96-dark.png" docs/tray-icon-dark.png
ls -l docs/*.png
