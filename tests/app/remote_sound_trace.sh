#!/bin/bash
# A sound path stored in AppOpt.ini that names another computer is never looked up: on Windows
# the lookup alone opens a connection to that host and offers it the user's credentials. The
# real Corvane.exe starts on mains power with the charging alert on, which plays slot 0 at once;
# Wine's file trace shows every path the program looked up.
#   remote_sound_trace.sh <wine-run> <Corvane.exe> <corvane_peek.exe>
set -u
run=$(realpath "$1")
exe=$(realpath "$2")
peek=$(realpath "$3")

work=$(mktemp -d)
corvane_pid=""
cleanup() {
    [ -n "$corvane_pid" ] && kill "$corvane_pid" 2>/dev/null
    rm -rf "$work"
    # A first start writes the autostart value; the test prefix must not keep it.
    "$run" reg delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Corvane /f >/dev/null 2>&1
}
trap cleanup EXIT

mkdir -p "$work/program" "$work/current"
cp "$exe" "$work/program/Corvane.exe"
printf 'RIFF' >"$work/program/alert.wav"
printf 'RIFF' >"$work/current/alert.wav"
failed=0

# stored path | a text the trace must hold | a text it must not hold (backslashes doubled). A
# relative path looked up as it stands would be found in the current folder.
while IFS='|' read -r stored looked not_looked; do
    printf '[alert]\r\nchrg_start=1\r\n[snd]\r\nchrg_start=%s\r\n' "$stored" >"$work/program/AppOpt.ini"
    (cd "$work/current" && WINEDEBUG=+file exec "$run" "$work/program/Corvane.exe" 2>"$work/trace" >/dev/null) &
    corvane_pid=$!
    for _ in $(seq 1 40); do
        kill -0 "$corvane_pid" 2>/dev/null || break
        "$run" "$peek" texts 2>/dev/null | grep -q '^caption=Corvane' && break
        sleep 0.5
    done
    "$run" "$peek" quit >/dev/null 2>&1
    wait "$corvane_pid"
    corvane_pid=""
    if ! grep -qF -- "$looked" "$work/trace"; then
        echo "FAILED: $stored: the trace does not show a lookup of $looked"
        failed=1
    elif grep -F -- "$not_looked" "$work/trace" | head -3 | grep .; then
        echo "FAILED: $stored: looked up $not_looked"
        failed=1
    else
        echo "ok: $stored: $looked looked up, $not_looked not"
    fi
    if ! grep -qF -- "chrg_start=$stored" "$work/program/AppOpt.ini"; then
        echo "FAILED: $stored: not kept as stored"
        failed=1
    fi
done <<'CASES'
\\192.0.2.1\share\alert.wav|AppOpt.ini|192.0.2.1
//192.0.2.1/share/alert.wav|AppOpt.ini|192.0.2.1
\\?\UNC\192.0.2.1\share\alert.wav|AppOpt.ini|192.0.2.1
alert.wav|program\\alert.wav|FindFirstFileExW L"alert.wav"
CASES
exit "$failed"
