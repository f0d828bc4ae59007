# Sourced by every script that runs Wine on a display of its own: the test fixture (env.sh),
# scripts/run.sh, the screenshot scripts and the benchmarks. POSIX sh.

# virtual_display <dir> <width>x<height>
# Starts a virtual X display on a free number (-displayfd writes it once the server listens),
# records its process in <dir>/xvfb.pid and its name in <dir>/display, and exports DISPLAY.
virtual_display() {
    rm -f "$1/display.num" "$1/display"
    Xvfb -displayfd 3 -screen 0 "${2}x24" -nolisten tcp 3>"$1/display.num" </dev/null >/dev/null 2>&1 &
    echo $! >"$1/xvfb.pid"
    _waited=0
    while [ ! -s "$1/display.num" ]; do
        _waited=$((_waited + 1))
        if [ $_waited -gt 100 ]; then echo "Xvfb did not start" >&2; return 1; fi
        sleep 0.1
    done
    DISPLAY=":$(head -n1 "$1/display.num")"
    export DISPLAY
    echo "$DISPLAY" >"$1/display"
}

# stop_virtual_display <dir>: ends the display virtual_display started for <dir>, if any.
stop_virtual_display() {
    if [ -f "$1/xvfb.pid" ]; then
        kill "$(cat "$1/xvfb.pid")" 2>/dev/null || true
        rm -f "$1/xvfb.pid" "$1/display" "$1/display.num"
    fi
}

# wine_desktop <name> <width>x<height> [program [arguments]]
# Runs a program in a Wine desktop window of that name, which has a taskbar with a notification
# area; programs started on the same desktop find each other's windows. Needs $loader.
wine_desktop() {
    _desktop="/desktop=$1,$2"
    shift 2
    "$loader" explorer "$_desktop" "$@"
}
