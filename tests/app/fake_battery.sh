# Sourced by the end-to-end tests that run the unmodified Corvane.exe under Wine against a
# battery of our own: in a private mount namespace a folder stands in for
# /sys/class/power_supply, where Wine reads the power status. Expects run, exe and peek set
# (the tree's Wine wrapper, Corvane.exe and corvane_peek.exe); exits 77 (skipped) where the
# machine cannot make the namespace.

skip() {
    echo "SKIPPED: $*"
    exit 77
}

[ -d /sys/class/power_supply ] || skip "no /sys/class/power_supply to stand in for"
fake=$(mktemp -d)
corvane_pid=""
stop_corvane() {
    if [ -n "$corvane_pid" ] && kill -0 "$corvane_pid" 2>/dev/null; then
        "$run" "$peek" quit >/dev/null 2>&1
        sleep 2
        kill "$corvane_pid" 2>/dev/null
    fi
    corvane_pid=""
}
cleanup() {
    stop_corvane
    rm -rf "$fake" ${also_remove:-}
    # A first start writes the autostart value; the test prefix must not keep it.
    "$run" reg delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Corvane /f >/dev/null 2>&1
}
trap cleanup EXIT

unshare -m sh -c "mount --bind '$fake' /sys/class/power_supply" 2>/dev/null ||
    skip "cannot bind a folder over /sys/class/power_supply in a private mount namespace"

. "$(dirname "${BASH_SOURCE[0]}")/../../cmake/wine/battery.sh"
make_battery "$fake"
battery() { set_battery "$fake" "$@"; } # ac status charge_now

# Starts the exe (default: $exe) in the background against the fake battery; its stderr goes
# to $corvane_log when that is set.
start_corvane() {
    local program=${1:-$exe}
    with_battery "$fake" "$run" "$program" 2>"${corvane_log:-/dev/stderr}" &
    corvane_pid=$!
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

# Chooses Quit and fails the test unless Corvane ends with 0.
quit_corvane() {
    "$run" "$peek" quit >/dev/null
    wait "$corvane_pid"
    local code=$?
    corvane_pid=""
    if [ "$code" -ne 0 ]; then
        echo "FAILED: Corvane ended with $code"
        exit 1
    fi
    echo "ok: Corvane quit with 0"
}
