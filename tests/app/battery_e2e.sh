#!/bin/bash
# Runs the unmodified Corvane.exe under Wine against a battery of our own (fake_battery.sh).
# Changes charge and mains state while it runs and reads Corvane's labels from outside.
#   battery_e2e.sh <wine-run> <Corvane.exe> <corvane_peek.exe>
# Exits 77 (skipped) where the machine cannot make the namespace.
set -u
run=$1
exe=$2
peek=$3

. "$(dirname "$0")/fake_battery.sh"

# The estimate's text as seconds; the step took whole seconds, so it is a multiple of factor.
expect_estimate_multiple_of() {
    local factor=$1 text h=0 m s total
    text=$(field lblTime)
    if [[ $text =~ ^(([0-9]+)\ Hour\(s\),\ )?([0-9]+)\ Minutes,\ ([0-9]+)\ Seconds\.$ ]]; then
        [ -n "${BASH_REMATCH[2]}" ] && h=${BASH_REMATCH[2]}
        m=${BASH_REMATCH[3]}
        s=${BASH_REMATCH[4]}
        total=$((h * 3600 + m * 60 + s))
        if [ "$total" -gt 0 ] && [ $((total % factor)) -eq 0 ] && [ $((total / factor)) -le 60 ]; then
            echo "ok: estimate '$text' = $((total / factor)) s x $factor"
            return 0
        fi
    fi
    echo "FAILED: estimate '$text' is not a few seconds times $factor"
    exit 1
}

battery 0 Discharging 5700000
start_corvane

expect_label caption "Corvane 1.3.3"
expect_label lblPercent "57%"
expect_label pgBatteryLevel "57"
expect_label lblPwrInfo "Working on battery power."
expect_label lblTime "(calculating ... please wait)"

sleep 3
battery 0 Discharging 5600000
expect_label lblPercent "56%"
expect_label pgBatteryLevel "56"
expect_estimate_multiple_of 56

sleep 2
battery 1 Charging 5700000
expect_label lblPwrInfo "AC Supply is connected to Unit."
expect_label lblPercent "57%"
expect_estimate_multiple_of 43

# A double-click on the icon shows the window, a second one hides it again.
"$run" "$peek" show >/dev/null
expect_label visible 1
"$run" "$peek" show >/dev/null
expect_label visible 0

quit_corvane
