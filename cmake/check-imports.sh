#!/bin/sh
# Fails when a Windows executable imports a DLL that Windows itself does not ship: the program
# must run from its folder alone, with no MinGW runtime or other DLL beside it.
#   check-imports.sh <objdump> <exe>
set -eu
objdump=$1
exe=$2
dlls=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
[ -n "$dlls" ] || { echo "no imports found in $exe: is it a PE file?"; exit 1; }
bad=0
for dll in $dlls; do
    case $(echo "$dll" | tr 'A-Z' 'a-z') in
    kernel32.dll | user32.dll | gdi32.dll | advapi32.dll | shell32.dll | comctl32.dll | \
    comdlg32.dll | shlwapi.dll | version.dll | winmm.dll | ole32.dll | oleaut32.dll | \
    oleacc.dll | uxtheme.dll | msvcrt.dll | winspool.drv | msimg32.dll | dwmapi.dll | \
    shcore.dll | ntdll.dll | api-ms-win-*.dll)
        echo "ok: $dll" ;;
    *)
        echo "NOT A WINDOWS DLL: $dll"
        bad=1 ;;
    esac
done
exit $bad
