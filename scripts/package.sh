#!/bin/bash
# Builds Corvane.exe for 64-bit and 32-bit Windows in release form (stripped; the debug
# information stays beside the build as Corvane.exe.debug) and writes the installers and the
# portable zips:
#   Corvane-<version>-setup-x64.exe  Corvane-<version>-setup-x86.exe
#   Corvane-<version>-win64.zip      Corvane-<version>-win32.zip
#   Corvane-<version>-x64.msi        Corvane-<version>-x86.msi     (per user, made with wixl)
#   winget/                          manifests for the two setups, with their SHA-256
#   scripts/package.sh [out-dir]     (default: build/dist)
set -eu
cd "$(dirname "$0")/.."
root=$PWD
if [ "${1:-}" != --msi ]; then
    out=${1:-build/dist}
    mkdir -p "$out"
    out=$(cd "$out" && pwd)
    ./scripts/install-deps.sh
fi
for tool in makensis:nsis wixl:wixl; do
    if ! command -v "${tool%%:*}" >/dev/null; then
        echo "package.sh: ${tool%%:*} not found (Debian package ${tool#*:})" >&2
        exit 1
    fi
done
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

# The MSI's File elements, made from the stage like the setup's lists.
msi_files() { # <stage> <out.wxi>
    local f i=0
    {
        echo '<?xml version="1.0" encoding="utf-8"?>'
        echo '<Include>'
        for f in "$1"/*; do
            i=$((i + 1))
            echo "  <File Id=\"file$i\" Name=\"$(basename "$f")\" Source=\"$f\"/>"
        done
        echo '</Include>'
    } >"$2"
}

# One MSI; the packaging test calls it too, to make a later version for the upgrade.
#   package.sh --msi <stage> <x64|x86> <version> <out.msi>
# wixl finds files only by paths relative to its folder: everything is named from the root.
build_msi() {
    local stage msi_arch=$2 version=$3 msi files
    stage=$(realpath --relative-to="$root" "$1")
    msi=$(realpath "$4")
    files="build/package/files-$msi_arch.wxi"
    mkdir -p build/package
    msi_files "$stage" "$files"
    wixl -a "$msi_arch" -D Version="$version" -D Files="$files" -D Icon=src/app/res/corvane.ico \
        -D Cleanup=packaging/corvane-msi-uninstall.js -o "$msi" packaging/corvane.wxs
}
if [ "${1:-}" = --msi ]; then
    shift
    build_msi "$@"
    exit
fi

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
    echo "=== $arch: $out/Corvane-$version-$setup_arch.msi"
    build_msi "$stage" "$setup_arch" "$version" "$out/Corvane-$version-$setup_arch.msi"
}

mkdir -p build/package
wizard="$root/build/package/wizard.bmp"
python3 packaging/make_wizard_bitmap.py "$wizard"
build_arch win64 x86_64
build_arch win32 i686
package_arch win64 x64 amd64-unicode
package_arch win32 x86 x86-unicode

# winget: the manifests for this version's two setups (schema 1.6), their SHA-256 read from
# the files written above. CORVANE_RELEASE_URL is where the release's files are published.
version=$(exe_version build/package/win64/stage/Corvane.exe)
release_url=${CORVANE_RELEASE_URL:-https://github.com/corvane/corvane/releases/download/v$version}
echo "=== $out/winget"
rm -rf "$out/winget"
mkdir -p "$out/winget"
python3 - "$out" "$version" "$release_url" <<'PY'
import hashlib, os, sys
out, version, url = sys.argv[1:]
ident = "Corvane.Corvane"
head = ("# yaml-language-server: $schema=https://aka.ms/winget-manifest.{kind}.1.6.0.schema.json\n"
        "PackageIdentifier: " + ident + "\nPackageVersion: " + version + "\n")
tail = "ManifestType: {type}\nManifestVersion: 1.6.0\n"
def write(name, kind, body, type_=None):
    with open(os.path.join(out, "winget", name), "w", newline="\n") as f:
        f.write(head.format(kind=kind) + body + tail.format(type=type_ or kind))
installers = ""
for arch in ("x64", "x86"):
    setup = "Corvane-%s-setup-%s.exe" % (version, arch)
    sha = hashlib.sha256(open(os.path.join(out, setup), "rb").read()).hexdigest().upper()
    installers += ("- Architecture: %s\n  InstallerUrl: %s/%s\n  InstallerSha256: %s\n"
                   % (arch, url, setup, sha))
write(ident + ".installer.yaml", "installer",
      "InstallerType: nullsoft\nScope: user\nInstallModes:\n- interactive\n- silent\n"
      "- silentWithProgress\nInstallerSwitches:\n  Silent: /S\n  SilentWithProgress: /S\n"
      "UpgradeBehavior: install\nInstallers:\n" + installers)
write(ident + ".locale.en-US.yaml", "defaultLocale",
      "PackageLocale: en-US\nPublisher: The Corvane developers\nPublisherUrl: https://corvane.github.io/\n"
      "PackageName: Corvane\nLicense: MIT\n"
      "ShortDescription: Watches the battery from the notification area and alerts when it charges,"
      " is full or runs low.\n")
write(ident + ".yaml", "version", "DefaultLocale: en-US\n")
PY
echo "=== Written to $out:"
ls -l "$out"
echo "=== Debug information kept beside the build:"
ls -l build/package/*/Corvane.exe.debug 2>/dev/null || echo "(none: the build left no debug information)"
