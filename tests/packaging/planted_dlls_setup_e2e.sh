#!/bin/bash
# The setups are run from Downloads, and the uninstaller from a folder the user can write:
# a web page may have dropped libraries there under the names of Windows' own. Each setup
# (the x86 one where 32-bit programs run) and the uninstaller it installs is run silently
# beside such libraries, under Wine told to prefer them, as Windows does for libraries outside
# its known DLLs. Each planted library is a small DLL that leaves "<name>.loaded" when loaded.
# Planted: the program's own (uxtheme, winmm, oleacc, winspool.drv), those the setup engine
# is known to pull in through the shell and COM (userenv, setupapi, apphelp, propsys, dwmapi,
# cryptbase, profapi, ntmarta, shfolder, clbcatq, textshaping), those of its pages (riched20,
# msimg32), and comctl32, which it imports.
# Left out: version.dll, which Wine's own libraries load from the program's folder at every
# start, as Windows does not (and the marker, lacking its functions, ends the run).
# Let pass, and only there: uxtheme.dll loaded by Wine's common controls library from its own
# start-up code (in its DLL_PROCESS_ATTACH, told apart through Wine's loader trace), before the
# setup's first instruction. Windows takes the common controls from its side-by-side store by
# the manifest, and the setup loads the theme library from the system folder in its first lines,
# once it has limited its library search to that folder. A planted library loaded anywhere else
# (the setup's script, a plug-in, another stub) fails the test, as does an import that Windows
# would look for beside the setup.
#   planted_dlls_setup_e2e.sh <wine-run> <out-dir> <planted.dll (64-bit)>
# Exits 77 (skipped) where makensis or wixl is missing.
set -u
run=$1
out=$2
planted64=$3
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/tests/packaging/verdicts.sh"
need makensis:nsis wixl:wixl

names="uxtheme.dll winmm.dll oleacc.dll winspool.drv userenv.dll setupapi.dll apphelp.dll
propsys.dll dwmapi.dll cryptbase.dll profapi.dll ntmarta.dll shfolder.dll clbcatq.dll
textshaping.dll riched20.dll msimg32.dll comctl32.dll"
overrides=$(for n in $names; do printf '%s,' "${n%.dll}"; done)
export WINEDLLOVERRIDES="${overrides%,}=n,b"

downloads=$(mktemp -d)
inst=""
uninst_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvane'
clean_install() {
    [ -n "$inst" ] && rm -rf "$inst"
    "$run" reg delete "$uninst_key" /f >/dev/null 2>&1
}
trap 'clean_install; rm -rf "$downloads"' EXIT

rm -rf "$out"
CORVANE_PACKAGE_FROM_PRESETS=1 "$root/scripts/package.sh" "$out" >"$out.log" 2>&1 || { tail -n 30 "$out.log"; fail "package.sh"; }
version=$(sed -n 's/^project(Corvane VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")

"$run" reg add 'HKCU\Software\Wine\DllOverrides' /v winemenubuilder.exe /d "" /f >/dev/null 2>&1
local_win=$("$run" cmd /c echo "%LOCALAPPDATA%" 2>/dev/null | tr -d '\r')
inst=$("$run" winepath -u "$local_win\\Programs\\Corvane" 2>/dev/null | tr -d '\r')
[ -n "$local_win" ] && [ -n "$inst" ] || fail "cannot find LOCALAPPDATA in the prefix"

# Each native load of a planted name from outside the Windows folder, one line each:
# "attach <name>" inside the common controls' DLL_PROCESS_ATTACH, "other <name>" elsewhere.
planted_loads() { # <trace>
    awk -v names="$names" '
        BEGIN { n = split(tolower(names), list, /[ \n]+/); for (i = 1; i <= n; i++) planted[list[i]] = 1 }
        {
            tid = substr($0, 1, index($0, ":") - 1)
            line = tolower($0)
        }
        line ~ /module_initdll \([0-9a-f]+ l"comctl32\.dll",process_attach.*- call/ {
            base = substr(line, index(line, "(") + 1)
            attach[tid] = substr(base, 1, index(base, " ") - 1)
        }
        attach[tid] != "" && index(line, "module_initdll (" attach[tid] ",process_attach") && line ~ /- return/ {
            attach[tid] = ""
        }
        line ~ /trace:loaddll:build_module loaded l".*: native$/ {
            path = line
            sub(/^[^"]*"/, "", path)
            sub(/".*$/, "", path)
            name = path
            sub(/^.*\\/, "", name)
            if ((name in planted) && path !~ /^c:\\\\windows\\\\/)
                print (attach[tid] != "" ? "attach " : "other ") name
        }' "$1" | sort -u
}

# Fails on any planted library loaded that Windows would load too; the run must have used the
# system folder's theme library (so its start-up ran as usual).
expect_no_planted() { # <what> <folder> <trace>
    local what=$1 dir=$2 trace=$3 loads name found
    loads=$(planted_loads "$trace")
    for found in "$dir"/*.loaded; do
        [ -e "$found" ] || continue
        name=$(basename "$found" .loaded | tr "A-Z" "a-z")
        if echo "$loads" | grep -qx "other $name"; then
            fail "$what loaded the planted $name"
        elif [ "$name" = uxtheme.dll ] && echo "$loads" | grep -qx "attach $name"; then
            echo "Wine only: $what: Wine's common controls loaded the planted $name at their start"
        else
            fail "$what loaded the planted $name ($(echo "$loads" | tr '\n' ' '))"
        fi
    done
    grep -qiE 'loaddll:build_module Loaded L"C:\\\\windows\\\\(system32|syswow64)\\\\uxtheme\.dll"' "$trace" ||
        fail "$what did not load uxtheme.dll from the system folder"
    echo "ok: $what loaded no planted library that Windows would load"
}

# What the loader resolves before a setup's first instruction: its imports. Only known DLLs,
# which Windows takes from the system folder alone, but for the common controls, which the
# manifest takes from Windows' side-by-side store; and ASLR and DEP kept.
expect_known_imports() { # <what> <exe>
    local report
    report=$(sh "$root/cmake/check-imports.sh" x86_64-w64-mingw32-objdump "$2" | grep -v '^ok: ')
    if grep -q 'name="Microsoft.Windows.Common-Controls" version="6' "$2"; then
        report=$(echo "$report" | grep -iv '^NOT A KNOWN DLL: comctl32\.dll ')
    fi
    [ -z "$report" ] || fail "$1: $report"
    echo "ok: $1 imports only known DLLs and the side-by-side common controls, with ASLR and DEP"
}

round() { # <x64|x86> <planted.dll>
    local arch=$1 marker=$2 setup rc n i
    setup="Corvane-$version-setup-$arch.exe"
    clean_install
    rm -rf "${downloads:?}"/*
    cp "$out/$setup" "$downloads/"
    for n in $names; do cp "$marker" "$downloads/$n"; done
    # A planted library without the functions asked of it may crash the run, and Wine's
    # debugger then waits: the time limit ends it.
    WINEDEBUG=+loaddll,+module timeout 120 "$run" "$downloads/$setup" /S >/dev/null 2>"$downloads/trace.txt"
    rc=$?
    expect_no_planted "setup-$arch.exe" "$downloads" "$downloads/trace.txt"
    [ "$rc" -eq 0 ] || fail "$arch: silent install beside planted libraries ended with $rc"
    [ -f "$inst/Corvane.exe" ] && [ -f "$inst/Uninstall.exe" ] || fail "$arch: nothing installed"
    expect_known_imports "setup-$arch.exe" "$downloads/$setup"
    expect_known_imports "the $arch Uninstall.exe" "$inst/Uninstall.exe"

    for n in $names; do cp "$marker" "$inst/$n"; done
    WINEDEBUG=+loaddll,+module timeout 120 "$run" "$inst/Uninstall.exe" /S >/dev/null 2>"$downloads/trace-un.txt"
    rc=$?
    # The uninstaller copies itself away and returns at once: wait for it to have removed the files.
    for i in $(seq 1 40); do
        [ -e "$inst/Uninstall.exe" ] || break
        sleep 0.5
    done
    expect_no_planted "the $arch Uninstall.exe" "$inst" "$downloads/trace-un.txt"
    [ "$rc" -eq 0 ] || fail "$arch: silent uninstall beside planted libraries ended with $rc"
    [ ! -e "$inst/Corvane.exe" ] || fail "$arch: the uninstaller beside planted libraries removed nothing"
}

round x64 "$planted64"
if why=$(sh "$root/cmake/wine/machine.sh" check win32); then
    (cd "$root" && cmake --build --preset win32 --target corvane_planted) >>"$out.log" 2>&1 || fail "cannot build the 32-bit planted library"
    planted32=$(find "$root/build/win32" -name planted.dll | head -n1)
    [ -n "$planted32" ] || fail "no 32-bit planted.dll in build/win32"
    round x86 "$planted32"
else
    echo "SKIPPED: x86 setup: $why"
fi
