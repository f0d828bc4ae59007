#!/bin/bash
# The unmodified Corvane.exe keeps ChargeLog.csv beside itself: the header and a row at start,
# a row for each change of the charge or the power source, nothing for a tick that saw none.
#   charge_log_e2e.sh <wine-run> <Corvane.exe> <corvane_peek.exe>
# Exits 77 (skipped) where the machine cannot make the namespace.
set -u
run=$1
exe=$2
peek=$3

. "$(dirname "$0")/../app/fake_battery.sh"

program=$(mktemp -d)
also_remove=$program
cp "$exe" "$program/Corvane.exe"
log=$program/ChargeLog.csv
row='^[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}Z,'

# Fails unless the log holds the header and then this many rows, the last one as given.
expect_log() { # rows last-row's-end
    if [ "$(tr -d '\r' <"$log" | grep -c .)" -ne $(($1 + 1)) ] || [ "$(head -n 1 "$log")" != $'time,percent,ac\r' ] ||
        ! tr -d '\r' <"$log" | tail -n 1 | grep -Eq "$row$2$"; then
        echo "FAILED: expected $1 rows, the last one ending in $2; ChargeLog.csv holds:"
        cat "$log"
        exit 1
    fi
    echo "ok: $1 rows, the last one ending in $2"
}

battery 0 Discharging 5700000
start_corvane "$program/Corvane.exe"
expect_label lblPercent "57%"
expect_log 1 57,0
sleep 6.5 # three ticks of the same reading write nothing
expect_log 1 57,0

battery 0 Discharging 5600000
expect_label lblPercent "56%"
expect_log 2 56,0
battery 1 Charging 5600000
expect_label lblPwrInfo "AC Supply is connected to Unit."
sleep 6.5
expect_log 3 56,1

quit_corvane
