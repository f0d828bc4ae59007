#!/bin/sh
# Makes a delay-import library from one of MinGW's import libraries: a program linked with it
# loads the DLL at the first call into it instead of at start-up.
#   make-delaylib.sh <mingw-prefix> <import-lib> <dll-name> <out-dir>
# (mingw-prefix: x86_64-w64-mingw32 or i686-w64-mingw32). Writes <out-dir>/<dll>.def and
# <out-dir>/lib<dll>_delay.a.
set -eu
prefix=$1
implib=$2
dll=$3
out=$4
base=${dll%.*}
mkdir -p "$out"
def="$out/$base.def"
{
    echo "LIBRARY $dll"
    echo "EXPORTS"
    # The functions: every name the import library gives code for (T). 32-bit names carry
    # stdcall's leading underscore, which the .def leaves out, and their @n, which it keeps.
    "$prefix-nm" -g "$implib" | awk '$2 == "T" { print $3 }' | sort -u |
        if [ "${prefix%%-*}" = i686 ]; then sed 's/^_//'; else cat; fi
} >"$def"
# 32-bit: the DLL exports the names without @n (-k), as Windows' own DLLs do.
kill_at=
[ "${prefix%%-*}" = i686 ] && kill_at=-k
"$prefix-dlltool" $kill_at --input-def "$def" --output-delaylib "$out/lib${base}_delay.a" --dllname "$dll"
