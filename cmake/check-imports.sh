#!/bin/sh
# Fails when a Windows executable imports at start a DLL outside Windows' known DLLs, or has
# lost the address-space randomisation or no-execute data the linker gives it. Windows takes a
# known DLL from the system folder alone; any other imported library it looks for beside the
# program first, where a file dropped into Downloads would run inside it. Such libraries are
# loaded after start-up, from the system folder (src/base/system_library_win.h). Also no
# MinGW runtime DLL: the program runs from its folder alone.
#   check-imports.sh <objdump> <exe>
set -eu
objdump=$1
exe=$2
headers=$("$objdump" -p "$exe")
dlls=$(echo "$headers" | sed -n 's/^[[:space:]]*DLL Name: //p')
[ -n "$dlls" ] || { echo "no imports found in $exe: is it a PE file?"; exit 1; }
bad=0
for dll in $dlls; do
    case $(echo "$dll" | tr 'A-Z' 'a-z') in
    kernel32.dll | user32.dll | gdi32.dll | advapi32.dll | shell32.dll | shlwapi.dll | \
    ole32.dll | oleaut32.dll | comdlg32.dll | msvcrt.dll | ntdll.dll | imm32.dll | psapi.dll | \
    shcore.dll | ws2_32.dll | rpcrt4.dll | combase.dll | sechost.dll | api-ms-win-*.dll)
        echo "ok: $dll" ;;
    *)
        echo "NOT A KNOWN DLL: $dll (load it through src/base/system_library_win.h)"
        bad=1 ;;
    esac
done
# IMAGE_DLLCHARACTERISTICS_: DYNAMIC_BASE 0x40 and NX_COMPAT 0x100 always, HIGH_ENTROPY_VA
# 0x20 for 64-bit images.
flags=$(echo "$headers" | sed -n 's/^DllCharacteristics[[:space:]]*//p')
want=$((0x40 | 0x100))
echo "$headers" | grep -q '^Magic.*PE32+' && want=$((want | 0x20))
if [ $((0x$flags & want)) -eq "$want" ]; then
    echo "ok: DllCharacteristics $flags (ASLR, DEP)"
else
    echo "DllCharacteristics $flags lacks some of $(printf '%x' "$want") (ASLR, high-entropy ASLR, DEP)"
    bad=1
fi
exit $bad
