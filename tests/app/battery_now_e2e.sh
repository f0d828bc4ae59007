#!/bin/bash
# What the battery is doing now, on the unmodified Corvane.exe against a simulated battery: a
# charge held on AC power by a charge limit (and no care reminder for it), discharging at a
# rate with the time at that rate, and no battery at all; the estimate's own labels as ever.
# The reminder's sound is its trace: Wine's file trace shows the sound file opened to play.
#   battery_now_e2e.sh <wine-run> <Corvane.exe> <corvane_peek.exe>
# Exits 77 (skipped) where the machine cannot make the namespace.
set -u
run=$1
exe=$2
peek=$3

. "$(dirname "$0")/fake_battery.sh"

program=$(mktemp -d)
also_remove=$program
cp "$exe" "$program/Corvane.exe"
printf 'RIFF' >"$program/chg_full.wav"
printf '[settings]\r\ncareon=1\r\ncareval=80\r\n' >"$program/AppOpt.ini"
corvane_log=$program/trace
reminded() { grep 'NtCreateFile' "$corvane_log" | grep -q 'chg_full\.wav'; }

battery 1 "Not charging" 8000000
WINEDEBUG=+file start_corvane "$program/Corvane.exe"
expect_label lblBatteryNow "Plugged in, not charging: the charge is held at 80%."
expect_label lblPercent "80%"
expect_label lblPwrInfo "AC Supply is connected to Unit."
expect_label lblTime "(calculating ... please wait)"
sleep 4.5 # two more ticks of the held charge
if reminded; then
    echo "FAILED: the care reminder sounded for a charge that a charge limit holds"
    exit 1
fi
echo "ok: no care reminder while the charge is held at the level"
battery 1 Charging 8100000
expect_label lblBatteryNow "Charging."
for _ in $(seq 1 20); do reminded && break; sleep 0.5; done
reminded || { echo "FAILED: charging past the level gave no care reminder"; exit 1; }
echo "ok: charging past the level reminds"

# 1 A at 12 V from 5.7 of 10 Ah: 12 W, 68.4 Wh left.
battery 0 Discharging 5700000
expect_label lblBatteryNow "Discharging at 12.0 W. About 5 hours 42 minutes left at this rate."
expect_label lblPwrInfo "Working on battery power."
expect_label lblPercent "57%"

rm -r "$fake/BAT0"
echo 1 >"$fake/AC/online"
expect_label lblBatteryNow "No battery found: this computer runs on AC power."
expect_label lblPercent "100%"
expect_label lblPwrInfo "AC Supply is connected to Unit."
quit_corvane
