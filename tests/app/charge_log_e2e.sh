#!/bin/bash
# The unmodified Corvane.exe keeps ChargeLog.csv beside itself: the header and a row at start,
# a row for each change of the charge or the power source, nothing for a tick that saw none.
#   charge_log_e2e.sh <wine-run> <Corvane.exe> <corvane_peek.exe>
# Exits 77 (skipped) where the machine cannot make the namespace.
set -u
run=$1
exe=$2
peek=$3

. "$(dirname "$0")/fake_battery.sh"

program=$(mktemp -d)
also_remove=$program
cp "$exe" "$program/Corvane.exe"
log=$program/ChargeLog.csv
row='^[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}Z,'

# Waits up to 20 s for the log to hold this many lines; fails unless it then matches.
expect_log() { # lines pattern-of-the-last-line
    local lines=$1 last=$2 got=0
    for _ in $(seq 1 40); do
        got=$(tr -d '\r' <"$log" 2>/dev/null | wc -l)
        [ "$got" -ge "$lines" ] && break
        sleep 0.5
    done
    if [ "$got" -ne "$lines" ] || ! tr -d '\r' <"$log" | tail -n 1 | grep -Eq "$last" ||
        [ "$(head -n 1 "$log" | tr -d '\r')" != "time,percent,ac" ]; then
        echo "FAILED: expected $lines lines ending in $last, ChargeLog.csv holds:"
        cat "$log"
        exit 1
    fi
    echo "ok: $lines lines, the last matching $last"
}

battery 0 Discharging 5700000
start_corvane "$program/Corvane.exe"
expect_label lblPercent "57%"
expect_log 2 "${row}57,0$"

# Three ticks of the same reading write nothing.
sleep 6.5
expect_log 2 "${row}57,0$"

battery 0 Discharging 5600000
expect_label lblPercent "56%"
expect_log 3 "${row}56,0$"

battery 1 Charging 5600000
expect_label lblPwrInfo "AC Supply is connected to Unit."
expect_log 4 "${row}56,1$"
sleep 6.5
expect_log 4 "${row}56,1$"

quit_corvane
