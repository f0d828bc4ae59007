# Sourced by the scripts that run the unmodified Corvane.exe against a battery of our own:
# Wine reads the power status from /sys/class/power_supply, and in a private mount namespace a
# folder of ours can stand in for it. POSIX sh.

# make_battery <dir>: a mains adapter and a 10 Ah battery at 12 V drawing 1 A.
make_battery() {
    mkdir -p "$1/AC" "$1/BAT0"
    echo Mains >"$1/AC/type"
    echo Battery >"$1/BAT0/type"
    echo 1 >"$1/BAT0/present"
    echo 10000000 >"$1/BAT0/charge_full"
    echo 10000000 >"$1/BAT0/charge_full_design"
    echo 1000000 >"$1/BAT0/current_now"
    echo 12000000 >"$1/BAT0/voltage_now"
}

# set_battery <dir> <ac online 0|1> <status> <charge_now in uAh>
set_battery() {
    echo "$2" >"$1/AC/online"
    echo "$3" >"$1/BAT0/status"
    echo "$4" >"$1/BAT0/charge_now"
}

# with_battery <dir> <command...>: runs the command with <dir> standing in for the machine's
# power supplies (root, and a kernel that allows private mount namespaces).
with_battery() {
    _dir=$1
    shift
    unshare -m sh -c 'mount --bind "$0" /sys/class/power_supply && exec "$@"' "$_dir" "$@"
}
