#!/bin/bash
# Runs the unmodified Corvane.exe under Wine against a battery of our own: in a private mount
# namespace a folder stands in for /sys/class/power_supply, where Wine reads the power status.
# Changes charge and mains state while it runs and reads Corvane's labels from outside.
#   battery_e2e.sh <wine-run> <Corvane.exe> <corvane_peek.exe>
# Exits 77 (skipped) where the machine cannot make the namespace.
set -u
run=$1
exe=$2
peek=$3

skip() {
    echo "SKIPPED: $*"
    exit 77
}

[ -d /sys/class/power_supply ] || skip "no /sys/class/power_supply to stand in for"
fake=$(mktemp -d)
corvane_pid=""
cleanup() {
    if [ -n "$corvane_pid" ] && kill -0 "$corvane_pid" 2>/dev/null; then
        "$run" "$peek" quit >/dev/null 2>&1
        sleep 2
        kill "$corvane_pid" 2>/dev/null
    fi
    rm -rf "$fake"
    # A first start writes the autostart value; the test prefix must not keep it.
    "$run" reg delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Corvane /f >/dev/null 2>&1
}
trap cleanup EXIT

unshare -m sh -c "mount --bind '$fake' /sys/class/power_supply" 2>/dev/null ||
    skip "cannot bind a folder over /sys/class/power_supply in a private mount namespace"

mkdir -p "$fake/AC" "$fake/BAT0"
echo Mains >"$fake/AC/type"
echo Battery >"$fake/BAT0/type"
echo 1 >"$fake/BAT0/present"
echo 10000000 >"$fake/BAT0/charge_full"
echo 10000000 >"$fake/BAT0/charge_full_design"
echo 1000000 >"$fake/BAT0/current_now"
echo 12000000 >"$fake/BAT0/voltage_now"

battery() { # ac status charge_now
    echo "$1" >"$fake/AC/online"
    echo "$2" >"$fake/BAT0/status"
    echo "$3" >"$fake/BAT0/charge_now"
}

texts() { "$run" "$peek" texts 2>/dev/null | tr -d '\r'; }
field() { texts | sed -n "s/^$1=//p"; }

# Waits until a label reads as expected; fails the test after 20 s.
expect_label() {
    local name=$1 want=$2 got=""
    for _ in $(seq 1 40); do
        got=$(field "$name")
        [ "$got" = "$want" ] && { echo "ok: $name = $want"; return 0; }
        sleep 0.5
    done
    echo "FAILED: $name reads '$got', expected '$want'"
    texts
    exit 1
}

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
unshare -m sh -c "mount --bind '$fake' /sys/class/power_supply && exec '$run' '$exe'" &
corvane_pid=$!

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

"$run" "$peek" quit >/dev/null
wait "$corvane_pid"
code=$?
corvane_pid=""
if [ "$code" -ne 0 ]; then
    echo "FAILED: Corvane ended with $code"
    exit 1
fi
echo "ok: Corvane quit with 0"
