#!/bin/bash
# Corvane.exe unpacked into a folder where a web page has dropped libraries named as Windows'
# own (uxtheme.dll, winmm.dll, oleacc.dll, winspool.drv; each leaves "<name>.loaded" when
# loaded), under Wine told to prefer such files, as Windows does for libraries outside its
# known DLLs. Start-up, an alert with its sound, a screen reader's question and Help must load
# none of them, and must load the real uxtheme and winmm from the system folder (so the paths
# that need them ran). Then, with winmm gone, the alert gives the program's own error box,
# once, and the program goes on. Runs against a fake battery (fake_battery.sh).
# version.dll is left out: Wine's own user32 loads it from the program's folder for every
# program, which Windows does not (the import check covers it).
#   planted_dlls_e2e.sh <wine-run> <Corvane.exe> <corvane_peek.exe> <planted.dll>
set -u
run=$1
exe=$2
peek=$3
planted=$4

downloads=$(mktemp -d)
log=$(mktemp)
also_remove="$downloads $log"
. "$(dirname "$0")/fake_battery.sh"

# A copy that hangs (as one with a broken library may) ignores Quit and outlives its
# wrapper; this copy's path is ours alone.
end_this_copy() {
    local pid
    stop_corvane
    for pid in $(pgrep -f -- "$downloads/Corvane.exe"); do
        kill "$pid" 2>/dev/null
    done
    cleanup
}
trap end_this_copy EXIT

fail() {
    echo "FAILED: $*"
    exit 1
}

cp "$exe" "$downloads/Corvane.exe"
cp "$(dirname "$exe")"/*.wav "$downloads/"
[ -f "$(dirname "$exe")/Reference.chm" ] && cp "$(dirname "$exe")/Reference.chm" "$downloads/"
planted_names="uxtheme.dll winmm.dll oleacc.dll winspool.drv"
for name in $planted_names; do
    cp "$planted" "$downloads/$name"
done
# The charging alert on, with a sound; a run's own saved state would hold it back next time.
write_settings() {
    local sound
    sound="Z:$(echo "$downloads/chg_start.wav" | tr / '\\')"
    printf '[alert]\r\nchrg_start=1\r\n[snd]\r\nchrg_start=%s\r\n[settings]\r\nstartup=0\r\n' "$sound" \
        >"$downloads/AppOpt.ini"
}

# Waits up to 20 s for Wine to report a library loaded from the system folder.
expect_system_load() {
    for _ in $(seq 1 40); do
        grep -qiE "loaded L\"c:\\\\\\\\windows\\\\\\\\(system32|syswow64)\\\\\\\\$1\"" "$log" &&
            { echo "ok: $1 loaded from the system folder"; return 0; }
        sleep 0.5
    done
    grep -i "loaddll" "$log" | grep -i "$1"
    fail "$1 was not loaded from the system folder"
}

expect_no_marker() {
    for name in $planted_names; do
        [ -e "$downloads/$name.loaded" ] && fail "the planted $name was loaded ($1)"
    done
    echo "ok: no planted library loaded ($1)"
}

export WINEDLLOVERRIDES="uxtheme,winmm,oleacc,winspool.drv=n,b"
corvane_log=$log
write_settings
battery 0 Discharging 5700000
WINEDEBUG=+loaddll start_corvane "$downloads/Corvane.exe"
for _ in $(seq 1 40); do
    [ -n "$(field caption)" ] && break
    sleep 0.5
done
expect_no_marker "start-up"
expect_label lblPercent "57%"
expect_system_load uxtheme.dll

battery 1 Charging 5800000
expect_label lblPwrInfo "AC Supply is connected to Unit."
expect_system_load winmm.dll
expect_no_marker "the charging alert and its sound"

value=$("$run" "$peek" accessible 2>/dev/null | tr -d '\r')
[ "$value" = "value=58%" ] || fail "the bar told a screen reader '$value'"
expect_no_marker "a screen reader's question"

"$run" "$peek" help >/dev/null
sleep 5
"$run" "$peek" closehelp >/dev/null 2>&1
expect_label lblPercent "58%"
expect_no_marker "help"
quit_corvane

# winmm cannot be loaded: the sound's failure is told once, and the alerts go on.
rm -f "$downloads"/*.loaded
for name in $planted_names; do
    rm -f "$downloads/$name"
done
export WINEDLLOVERRIDES="winmm="
corvane_log=/dev/null
write_settings
battery 0 Discharging 5700000
start_corvane "$downloads/Corvane.exe"
expect_label lblPwrInfo "Working on battery power."
battery 1 Charging 5800000
box=""
for _ in $(seq 1 40); do
    box=$("$run" "$peek" box 2>/dev/null | tr -d '\r')
    [ -n "$box" ] && break
    sleep 0.5
done
echo "$box"
echo "$box" | grep -qx "title=Error ! (Source : sndPlaySoundA)" || fail "no error box for the sound"
echo "$box" | grep -q "winmm.dll could not be loaded from the Windows system folder" || fail "the box does not name winmm.dll"
"$run" "$peek" answer >/dev/null
battery 0 Discharging 5700000
expect_label lblPwrInfo "Working on battery power."
battery 1 Charging 5800000
expect_label lblPwrInfo "AC Supply is connected to Unit."
sleep 3
"$run" "$peek" box >/dev/null 2>&1 && fail "the error box came again"
echo "ok: one box, and the program goes on"
quit_corvane
