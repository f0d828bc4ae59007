#!/bin/bash
# Corvane against the least a tray battery monitor can be (bench/bare_tray_win.cpp), side by
# side under one Wine, one display and one simulated battery: resident memory, CPU time over
# 20 s and start-up time (until the message loop first waits) of both, and their ratios.
#   bench/footprint.sh [win64|win32] [Corvane.exe]
# The exe defaults to the build tree's; it is stripped as the packages strip it, with the
# default sounds beside it as installed. ROUNDS (default 4) rounds are run; medians are shown.
# The battery is simulated where this runs as root (a private mount namespace); elsewhere the
# machine's own power status is used and the script says so.
set -eu
cd "$(dirname "$0")/.."
root=$PWD
. scripts/pick-arch.sh
pick_arch "${1:-}"
tree="build/$preset"
corvane=${2:-$tree/Corvane.exe}
rounds=${ROUNDS:-4}
seconds=${CPU_SECONDS:-20}
case $arch in win64) cpu=x86_64 ;; *) cpu=i686 ;; esac

if [ -z "${FOOTPRINT_IN_NAMESPACE:-}" ]; then
    if [ ! -f "$corvane" ] || [ ! -f "$tree/bench/bare_tray.exe" ] || [ ! -f "$tree/bench/launch_idle.exe" ]; then
        cmake --preset "$preset" >/dev/null
        cmake --build --preset "$preset" --target Corvane bare_tray launch_idle -j 2
    fi
    dir="$root/build/footprint-wine-$arch"
    rm -rf "$dir/corvane" "$dir/bare" "$dir/battery"
    mkdir -p "$dir/corvane" "$dir/bare" "$dir/battery/AC" "$dir/battery/BAT0"
    "$cpu-w64-mingw32-strip" --strip-all -o "$dir/corvane/Corvane.exe" "$corvane"
    cp src/app/res/sounds/*.wav "$dir/corvane/"
    # CHARGE_LOG=<file>: a ChargeLog.csv beside it, to see what reading it at start costs.
    [ -z "${CHARGE_LOG:-}" ] || cp "$CHARGE_LOG" "$dir/corvane/ChargeLog.csv"
    "$cpu-w64-mingw32-strip" --strip-all -o "$dir/bare/bare_tray.exe" "$tree/bench/bare_tray.exe"
    cp "$tree/bench/launch_idle.exe" "$dir/"
    # On battery at 57 %, discharging at 1 A.
    printf 'Mains\n' >"$dir/battery/AC/type"
    printf '0\n' >"$dir/battery/AC/online"
    printf 'Battery\n' >"$dir/battery/BAT0/type"
    printf '1\n' >"$dir/battery/BAT0/present"
    printf 'Discharging\n' >"$dir/battery/BAT0/status"
    printf '10000000\n' >"$dir/battery/BAT0/charge_full"
    printf '5700000\n' >"$dir/battery/BAT0/charge_now"
    printf '1000000\n' >"$dir/battery/BAT0/current_now"
    printf '12000000\n' >"$dir/battery/BAT0/voltage_now"
    export FOOTPRINT_IN_NAMESPACE=$dir FOOTPRINT_ROUNDS=$rounds FOOTPRINT_SECONDS=$seconds FOOTPRINT_ARCH=$arch
    if [ "$(id -u)" = 0 ] && unshare -m true 2>/dev/null; then
        exec unshare -m sh -c 'mount --bind "$FOOTPRINT_IN_NAMESPACE/battery" /sys/class/power_supply &&
            FOOTPRINT_BATTERY=simulated exec "$0" "$@"' "$0" "$@"
    fi
    echo "(not root: the machine's own power status is used)"
    FOOTPRINT_BATTERY=machine exec "$0" "$@"
fi

dir=$FOOTPRINT_IN_NAMESPACE
export WINEPREFIX="$dir/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
. cmake/wine/display.sh
finish() {
    "$loader" wineserver -k 2>/dev/null || wineserver -k 2>/dev/null || true
    stop_virtual_display "$dir"
}
trap finish EXIT
virtual_display "$dir" 1024x768
sh cmake/wine/env.sh prefix "$dir" "$FOOTPRINT_ARCH" >/dev/null
# One desktop with a taskbar, so that both icons land in a real notification area.
wine_desktop Footprint 800x600 >/dev/null 2>&1 </dev/null &
sleep 2

export LOADER=$loader
python3 - "$dir" <<'PY'
import os, statistics, subprocess, sys, time

dir = sys.argv[1]
loader = os.environ["LOADER"]
rounds = int(os.environ["FOOTPRINT_ROUNDS"])
seconds = float(os.environ["FOOTPRINT_SECONDS"])
programs = [("Corvane", os.path.join(dir, "corvane", "Corvane.exe")),
            ("bare tray", os.path.join(dir, "bare", "bare_tray.exe"))]

def winpath(p):
    return subprocess.run([loader, "winepath", "-w", p], capture_output=True, text=True).stdout.strip()

def find_pid(exe):
    # The Linux process Wine runs the program in: its command line names the exe's path.
    want = os.path.basename(exe).lower()
    folder = os.path.basename(os.path.dirname(exe)).lower()
    for pid in os.listdir("/proc"):
        if not pid.isdigit():
            continue
        try:
            cmd = open(f"/proc/{pid}/cmdline", "rb").read().decode(errors="replace").lower().replace("\\", "/")
        except OSError:
            continue
        if cmd.split("\0")[0].endswith(f"{folder}/{want}"):
            return int(pid)
    return None

def cpu_ms(pid):
    # Nanoseconds on the CPU of every thread: finer than the 10 ms ticks of /proc/<pid>/stat.
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            total += int(open(f"/proc/{pid}/task/{task}/schedstat").read().split()[0])
        except OSError:
            pass
    return total / 1e6

def rss_kb(pid):
    for line in open(f"/proc/{pid}/status"):
        if line.startswith("VmRSS:"):
            return int(line.split()[1])
    return 0

results = {name: {"start": [], "cpu": [], "rss": []} for name, _ in programs}
launcher = winpath(os.path.join(dir, "launch_idle.exe"))
for r in range(rounds):
    pids = {}
    # Each goes first in turn: the first start of a round finds colder caches.
    for name, exe in (programs if r % 2 == 0 else programs[::-1]):
        out = os.path.join(dir, "startup.txt")
        if os.path.exists(out):
            os.remove(out)
        # Started on the desktop (where the first explorer may still be coming up, and this one
        # then stays as the desktop): wait for the result, not for explorer.
        subprocess.Popen([loader, "explorer", "/desktop=Footprint,800x600", launcher, winpath(exe), winpath(out)],
                         stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(1200):
            if os.path.exists(out) and open(out).read().strip():
                break
            time.sleep(0.1)
        else:
            sys.exit(f"{exe} did not start within two minutes")
        results[name]["start"].append(float(open(out).read().split()[0]))
        pid = None
        for _ in range(50):
            pid = find_pid(exe)
            if pid:
                break
            time.sleep(0.1)
        if not pid:
            sys.exit(f"could not find the process of {exe}")
        pids[name] = pid
    time.sleep(5)  # start-up work done, both on their 2 s timers
    before = {n: cpu_ms(p) for n, p in pids.items()}
    time.sleep(seconds)
    for n, p in pids.items():
        results[n]["cpu"].append(cpu_ms(p) - before[n])
        results[n]["rss"].append(rss_kb(p) / 1024.0)
    for p in pids.values():
        os.kill(p, 15)
    time.sleep(2)

battery = os.environ.get("FOOTPRINT_BATTERY", "machine")
print(f"{rounds} rounds, medians; battery: {battery}; CPU over {seconds:.0f} s")
print(f"{'':12}{'resident MB':>14}{'CPU ms':>10}{'start-up ms':>14}")
med = {n: {k: statistics.median(v) for k, v in d.items()} for n, d in results.items()}
for n in med:
    print(f"{n:12}{med[n]['rss']:14.1f}{med[n]['cpu']:10.1f}{med[n]['start']:14.0f}")
c, b = med["Corvane"], med["bare tray"]
ratio = lambda x, y: x / y if y else float("inf")
print(f"{'ratio':12}{ratio(c['rss'], b['rss']):13.2f}x{ratio(c['cpu'], b['cpu']):9.2f}x{ratio(c['start'], b['start']):13.2f}x")
PY
