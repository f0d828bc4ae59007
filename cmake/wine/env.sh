#!/bin/sh
# Sets up and tears down what the Windows tests run in: a private Wine prefix inside the
# build tree (never ~/.wine), one persistent wineserver for the whole run, and a virtual
# X display of their own so that no test window lands on the user's screen.
#   env.sh setup   <wine-dir> [win32|win64] [keeper.exe]
#                                             display, prefix and server for a test run; the
#                                             keeper holds the desktop for the whole run
#   env.sh cleanup <wine-dir>                  ends them
#   env.sh prefix  <wine-dir> [win32|win64]   only makes the prefix (on $DISPLAY, if any)
# The architecture defaults to the one recorded in <wine-dir>/arch (written by CMake), else
# win64. A win64 prefix is made and run by the 64-bit loader alone, so it also works where the
# machine cannot run 32-bit programs.
set -eu
action=$1
dir=$2
mkdir -p "$dir"
# Wine takes only an absolute prefix.
dir=$(cd "$dir" && pwd)
arch=${3:-}
if [ -z "$arch" ] && [ -f "$dir/arch" ]; then arch=$(cat "$dir/arch"); fi
arch=${arch:-win64}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/display.sh"
loader=$(sh "$here/machine.sh" loader "$arch")
export WINEPREFIX="$dir/prefix"
export WINEDEBUG=-all
# No .NET or Gecko installers, and no menu builder: it would write menu entries and file
# types for the prefix into the user's own home and keeps working after the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="

start_display() {
    if [ -f "$dir/xvfb.pid" ] && kill -0 "$(cat "$dir/xvfb.pid")" 2>/dev/null; then
        return
    fi
    virtual_display "$dir" 1280x1024
}

make_prefix() {
    if [ -f "$WINEPREFIX/system.reg" ] && [ -f "$dir/prefix.ready" ]; then
        return
    fi
    if ! why=$(sh "$here/machine.sh" check "$arch"); then
        echo "Cannot make a $arch Wine prefix: $why" >&2
        exit 1
    fi
    rm -rf "$WINEPREFIX" "$dir/prefix.ready"
    echo "Creating a $arch Wine prefix in $WINEPREFIX (once per build tree)"
    if [ "$arch" = win64 ]; then
        # Through wine64 itself: the wineboot on PATH starts the 32-bit loader when it can.
        WINEARCH=win64 "$loader" wineboot -i >/dev/null 2>&1
    else
        "$loader" wineboot -i >/dev/null 2>&1
    fi
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    # Without a window manager, every hide of a captioned window otherwise waits 2 s.
    "$loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    "$loader" reg add 'HKCU\Software\Wine\Drivers' /v Audio /d "" /f >/dev/null 2>&1
    wineserver -w
    touch "$dir/prefix.ready"
}

case "$action" in
prefix)
    make_prefix
    ;;
setup)
    start_display
    DISPLAY="$(cat "$dir/display")"
    export DISPLAY
    make_prefix
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    wineserver -p </dev/null >/dev/null 2>&1
    # Start Wine's own services and desktop now, with their output going nowhere: started by
    # the first test instead, they would hold that test's output pipe open until the end.
    "$loader" rundll32.exe user32.dll,MessageBeep </dev/null >/dev/null 2>&1 || true
    if [ -n "${4:-}" ]; then
        "$loader" "$4" </dev/null >/dev/null 2>&1 &
    fi
    ;;
cleanup)
    wineserver -k 2>/dev/null || true
    stop_virtual_display "$dir"
    ;;
*)
    echo "usage: $0 setup|cleanup <wine-dir>" >&2
    exit 2
    ;;
esac
