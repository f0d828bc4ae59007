#!/bin/bash
# Builds Corvane.exe for 64-bit and 32-bit Windows in release form (stripped; the debug
# information stays beside the build as Corvane.exe.debug) and writes the installers and the
# portable zips:
#   Corvane-<version>-setup-x64.exe  Corvane-<version>-setup-x86.exe
#   Corvane-<version>-win64.zip      Corvane-<version>-win32.zip
#   scripts/package.sh [out-dir]     (default: build/dist)
set -eu
cd "$(dirname "$0")/.."
root=$PWD
out=${1:-build/dist}
mkdir -p "$out"
out=$(cd "$out" && pwd)
./scripts/install-deps.sh
if ! command -v makensis >/dev/null; then
    echo "package.sh: makensis not found (Debian package nsis)" >&2
    exit 1
fi
jobs=$(nproc 2>/dev/null || echo 2)

# The version recorded in the exe's own version resource (VS_FIXEDFILEINFO's product
# version), so the packages can never name another version than the program shows.
exe_version() {
    python3 - "$1" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
key = data.find("VS_VERSION_INFO".encode("utf-16-le"))
at = data.find(struct.pack("<I", 0xFEEF04BD), key) if key >= 0 else -1
if at < 0:
    sys.exit("no version resource in " + sys.argv[1])
ms, ls = struct.unpack_from("<II", data, at + 16)
parts = [ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF]
print(".".join(str(p) for p in (parts if parts[3] else parts[:3])))
PY
}

# Builds one architecture into build/package/<arch> and fills its program folder stage/.
build_arch() { # <arch: win64|win32> <mingw arch: x86_64|i686>
    local arch=$1 cpu=$2 tree="build/package/$1" built
    if [ "${CORVANE_PACKAGE_FROM_PRESETS:-0}" = 1 ]; then
        # The test command's trees are built the same way (RelWithDebInfo, warnings as errors):
        # taking their Corvane.exe spares the packaging test two more builds of everything.
        echo "=== $arch: Corvane.exe of the $arch preset"
        [ -f "build/$arch/CMakeCache.txt" ] || cmake --preset "$arch" >/dev/null
        cmake --build --preset "$arch" --target Corvane -j "$jobs"
        built="build/$arch"
        mkdir -p "$tree"
    else
        echo "=== $arch: release build"
        cmake -S . -B "$tree" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$cpu.cmake" \
            -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF -DCORVANE_WERROR=ON >/dev/null
        cmake --build "$tree" -j "$jobs"
        built=$tree
    fi

    local stage="$tree/stage" exe="$built/Corvane.exe"
    rm -rf "$stage"
    mkdir -p "$stage"
    if "$cpu-w64-mingw32-objdump" -h "$exe" | grep -q '\.debug_info'; then
        # Split: the shipped exe carries only a link (name and checksum) to its debug file.
        "$cpu-w64-mingw32-objcopy" --only-keep-debug "$exe" "$tree/Corvane.exe.debug"
        "$cpu-w64-mingw32-strip" --strip-all -o "$stage/Corvane.exe" "$exe"
        (cd "$tree" && "$cpu-w64-mingw32-objcopy" --add-gnu-debuglink=Corvane.exe.debug stage/Corvane.exe)
    else
        cp "$exe" "$stage/Corvane.exe" # the build stripped it already
    fi
    cp src/app/res/sounds/chg_start.wav src/app/res/sounds/chg_full.wav \
        src/app/res/sounds/chg_critical.wav "$stage/"
    local chm
    chm=$(find "$built" -path "$stage" -prune -o -name Reference.chm -print | head -n1)
    [ -n "$chm" ] || chm=$(find src -name Reference.chm | head -n1)
    if [ -n "$chm" ]; then
        cp "$chm" "$stage/"
    else
        echo "$arch: no Reference.chm in the build: the packages go without the help file"
    fi
    # Text files for Notepad: CRLF line ends.
    sed 's/\r*$/\r/' LICENSE >"$stage/LICENSE.txt"
    sed 's/\r*$/\r/' packaging/UserGuide.txt >"$stage/User Guide.txt"
}

# The installer script takes its file list from the stage, so installing and uninstalling
# always name the same files.
file_lists() { # <stage> <out.nsh>
    local f
    {
        echo '!macro CORVANE_INSTALL_FILES'
        for f in "$1"/*; do echo "  File \"\${STAGE}/$(basename "$f")\""; done
        echo '!macroend'
        echo '!macro CORVANE_DELETE_FILES'
        for f in "$1"/*; do echo "  Delete \"\$INSTDIR\\$(basename "$f")\""; done
        echo '!macroend'
    } >"$2"
}

package_arch() { # <arch> <installer arch: x64|x86> <nsis target>
    local arch=$1 setup_arch=$2 target=$3 tree="build/package/$1"
    local stage="$root/$tree/stage" version
    version=$(exe_version "$stage/Corvane.exe")
    local version4=$version
    while [ "$(echo "$version4" | tr -cd . | wc -c)" -lt 3 ]; do version4="$version4.0"; done
    file_lists "$stage" "$root/$tree/files.nsh"
    local setup="$out/Corvane-$version-setup-$setup_arch.exe"
    echo "=== $arch: $setup"
    makensis -V2 -INPUTCHARSET UTF8 -DTARGET="$target" -DARCH="$setup_arch" -DVERSION="$version" -DVERSION4="$version4" \
        -DSTAGE="$stage" -DFILES="$root/$tree/files.nsh" -DROOT="$root" -DWIZARD="$wizard" \
        -DOUTFILE="$setup" packaging/corvane.nsi
    local zip="$out/Corvane-$version-$arch.zip" tmp
    echo "=== $arch: $zip"
    tmp=$(mktemp -d)
    cp -r "$stage" "$tmp/Corvane"
    rm -f "$zip"
    (cd "$tmp" && zip -q -X -r "$zip" Corvane)
    rm -rf "$tmp"
}

mkdir -p build/package
wizard="$root/build/package/wizard.bmp"
python3 packaging/make_wizard_bitmap.py "$wizard"
build_arch win64 x86_64
build_arch win32 i686
package_arch win64 x64 amd64-unicode
package_arch win32 x86 x86-unicode
echo "=== Written to $out:"
ls -l "$out"
echo "=== Debug information kept beside the build:"
ls -l build/package/*/Corvane.exe.debug 2>/dev/null || echo "(none: the build left no debug information)"
