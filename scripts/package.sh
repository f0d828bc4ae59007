#!/bin/bash
# Builds Corvane.exe for 64-bit and 32-bit Windows in release form (stripped; the debug
# information stays beside the build as Corvane.exe.debug) and writes the installers and the
# portable zips:
#   Corvane-<version>-setup-x64.exe  Corvane-<version>-setup-x86.exe
#   Corvane-<version>-win64.zip      Corvane-<version>-win32.zip
#   Corvane-<version>-x64.msi        Corvane-<version>-x86.msi     (per user, made with wixl)
#   winget/                          manifests for the two setups, with their SHA-256
#   scoop/corvane.json               a Scoop manifest for the two zips
#   SHA256SUMS                       every file above
#   scripts/package.sh [out-dir]     (default: build/dist, replaced whole)
# Every build of one commit writes the same bytes: times come from SOURCE_DATE_EPOCH (by
# default the last commit's time). With CORVANE_SIGN_PFX (and CORVANE_SIGN_PASSWORD) set, the
# exes, the uninstaller, the setups and the MSIs are signed (CORVANE_SIGN_TIMESTAMP_URL: an
# RFC 3161 time-stamp server); see packaging/sign.sh.
set -eu
cd "$(dirname "$0")/.."
root=$PWD
# The same file order (globs, zips) and the same zip times (DOS times are local) everywhere.
export LC_ALL=C TZ=UTC
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null) ||
        { echo "package.sh: set SOURCE_DATE_EPOCH: there is no git history here to take it from" >&2; exit 1; }
fi
export SOURCE_DATE_EPOCH

# The files Corvane writes beside itself: its settings, its charge log and its battery health
# record. They are the user's: every upgrade keeps them, an uninstall removes them, Scoop
# persists them, and a folder holding only these is Corvane's to install into.
written="AppOpt.ini ChargeLog.csv BatteryHealth.csv"
# Each with the names of a save in progress (a new copy written whole, then renamed over the
# old one; AppOpt.ini takes .new1 to .new3 when .new is in the way) and the MSI's copy set
# aside during an upgrade.
written_names() {
    local f s
    for f in $written; do
        for s in "" .new .new1 .new2 .new3 .upgrading; do echo "$f$s"; done
    done
}

if [ "${1:-}" != --msi ]; then
    out=${1:-build/dist}
    mkdir -p "$(dirname "$out")"
    out=$(cd "$(dirname "$out")" && pwd)/$(basename "$out")
    # The folder is replaced whole, so it must hold nothing but an earlier run's packages.
    if [ -d "$out" ] && (cd "$out" && ls -A | grep -qvE '^(Corvane-.*\.(exe|zip|msi)|winget|scoop|SHA256SUMS)$'); then
        echo "package.sh: $out holds files package.sh did not write: choose another folder" >&2
        exit 1
    fi
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

# Every packed file gets the commit's time and plain permissions: the setups and the MSIs
# record file times, and the zips times and modes.
settle() { # <folder>
    chmod 755 "$1"
    chmod 644 "$1"/*
    touch -h -d "@$SOURCE_DATE_EPOCH" "$1"/* "$1"
}

signing=no
if [ -n "${CORVANE_SIGN_PFX:-}" ]; then
    signing=yes
    export CORVANE_SIGN_PFX CORVANE_SIGN_PASSWORD=${CORVANE_SIGN_PASSWORD:-}
fi
sign() { # <file>: in place; does nothing unless signing
    [ "$signing" = yes ] || return 0
    sh packaging/sign.sh "$1"
}

# Reference.chm, compiled here rather than taken from a build: chmcmd stamps the time into it
# and fills a few bytes from whatever its memory held, so it runs with the clock stopped at
# SOURCE_DATE_EPOCH, the same memory layout and an environment of its own.
make_help() { # <out.chm>: nothing where chmcmd is missing
    command -v chmcmd >/dev/null || return 0
    local dir=build/package/help
    rm -rf "$dir"
    mkdir -p "$dir"
    cp src/app/help/* "$dir/"
    rm -f "$dir/CMakeLists.txt"
    cc -O2 -o build/package/fixed_clock packaging/fixed_clock.c
    local rc=0
    (cd "$dir" && env -i PATH=/usr/bin:/bin LC_ALL=C.UTF-8 TZ=UTC SOURCE_DATE_EPOCH="$SOURCE_DATE_EPOCH" \
        "$root/build/package/fixed_clock" "$(command -v chmcmd)" Reference.hhp >chmcmd.log 2>&1) || rc=$?
    if [ "$rc" -eq 126 ]; then
        echo "Reference.chm: $(head -n1 "$dir/chmcmd.log"): it differs from build to build"
        (cd "$dir" && chmcmd Reference.hhp >chmcmd.log 2>&1) || rc=$?
    fi
    [ "$rc" -eq 0 ] || [ "$rc" -eq 126 ] || { cat "$dir/chmcmd.log"; echo "package.sh: chmcmd failed" >&2; exit 1; }
    cp "$dir/Reference.chm" "$1"
}

# Builds one architecture into build/package/<arch> and fills its program folder stage/.
build_arch() { # <arch: win64|win32> <mingw arch: x86_64|i686>
    local arch=$1 cpu=$2 tree="build/package/$1" built
    if [ "${CORVANE_PACKAGE_FROM_PRESETS:-0}" = 1 ]; then
        # The test command's trees are built the same way (RelWithDebInfo, warnings as errors,
        # but with the precompiled header, so their debug files depend on their folder):
        # taking their Corvane.exe spares the packaging tests two more builds of everything.
        echo "=== $arch: Corvane.exe of the $arch preset"
        [ -f "build/$arch/CMakeCache.txt" ] || cmake --preset "$arch" >/dev/null
        cmake --build --preset "$arch" --target Corvane -j "$jobs"
        built="build/$arch"
        mkdir -p "$tree"
    else
        echo "=== $arch: release build"
        # Without the precompiled header: GCC's is laid out in memory by the paths it holds,
        # and that layout reaches the order of some debug information, so the exe's debug
        # file (whose checksum the exe carries) would depend on the build folder.
        cmake -S . -B "$tree" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$cpu.cmake" \
            -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF -DCORVANE_WERROR=ON \
            -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON >/dev/null
        cmake --build "$tree" --target Corvane -j "$jobs"
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
    sign "$stage/Corvane.exe"
    cp src/app/res/sounds/chg_start.wav src/app/res/sounds/chg_full.wav \
        src/app/res/sounds/chg_critical.wav "$stage/"
    if [ -f build/package/Reference.chm ]; then
        cp build/package/Reference.chm "$stage/"
    else
        echo "$arch: chmcmd not found (Debian package fp-utils): the packages go without the help file"
    fi
    # Text files for Notepad: CRLF line ends.
    sed 's/\r*$/\r/' LICENSE >"$stage/LICENSE.txt"
    sed 's/\r*$/\r/' packaging/UserGuide.txt >"$stage/User Guide.txt"
    settle "$stage"
}

# The installer script takes its file list from the stage, so installing and uninstalling
# always name the same files; and the names of the files Corvane writes itself.
file_lists() { # <stage> <out.nsh>
    local f first=1
    {
        echo '!macro CORVANE_INSTALL_FILES'
        for f in "$1"/*; do echo "  File \"\${STAGE}/$(basename "$f")\""; done
        echo '!macroend'
        echo '!macro CORVANE_DELETE_FILES'
        for f in "$1"/*; do echo "  Delete \"\$INSTDIR\\$(basename "$f")\""; done
        echo '!macroend'
        echo '!macro CORVANE_DELETE_WRITTEN'
        for f in $(written_names); do echo "  Delete \"\$INSTDIR\\$f\""; done
        echo '!macroend'
        echo '; 1 in $R9 when the file name in $R3 is one Corvane writes itself, else 0.'
        echo '!macro CORVANE_IS_WRITTEN'
        echo '  StrCpy $R9 0'
        for f in $(written_names); do
            if [ $first = 1 ]; then echo "  \${If} \$R3 == \"$f\""; first=0; else echo "  \${OrIf} \$R3 == \"$f\""; fi
        done
        echo '    StrCpy $R9 1'
        echo '  ${EndIf}'
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
    local stage msi_arch=$2 version=$3 msi files cleanup product
    stage=$(realpath --relative-to="$root" "$1")
    msi=$(realpath "$4")
    files="build/package/files-$msi_arch.wxi"
    cleanup="build/package/corvane-msi-uninstall.js"
    mkdir -p build/package
    msi_files "$stage" "$files"
    # The cleanup script names the files Corvane writes, from the one list above.
    {
        printf 'var WRITTEN = [%s];\n' "$(written_names | sed 's/.*/"&"/' | paste -sd, -)"
        printf 'var KEPT = [%s];\n' "$(echo $written | tr ' ' '\n' | sed 's/.*/"&"/' | paste -sd, -)"
        cat packaging/corvane-msi-uninstall.js
    } >"$cleanup"
    # A product code of its own for each version and architecture, the same at every build.
    product=$(python3 -c 'import sys, uuid; print(str(uuid.uuid5(uuid.UUID(sys.argv[1]), sys.argv[2])).upper())' \
        "$(sed -n 's/.*UpgradeCode="\([^"]*\)".*/\1/p' packaging/corvane.wxs)" "$version $msi_arch")
    wixl -a "$msi_arch" -D Version="$version" -D ProductCode="$product" -D Files="$files" \
        -D Icon=src/app/res/corvane.ico -D Cleanup="$cleanup" -o "$msi" packaging/corvane.wxs
    python3 packaging/msi_summary.py "$msi" "$SOURCE_DATE_EPOCH"
    sign "$msi"
}
if [ "${1:-}" = --msi ]; then
    shift
    build_msi "$@"
    exit
fi

# Everything is written into a folder beside the output first, and takes the output's place
# only once all of it is made (and signed): a failure leaves no package half made or signed.
work="$out.new"
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work" "$work.sums"' EXIT
if [ "$signing" = yes ]; then
    sh packaging/sign.sh --check
else
    echo "Not signed: CORVANE_SIGN_PFX (and CORVANE_SIGN_PASSWORD) not set."
fi

package_arch() { # <arch> <installer arch: x64|x86> <nsis target>
    local arch=$1 setup_arch=$2 target=$3 tree="build/package/$1"
    local stage="$root/$tree/stage" version
    version=$(exe_version "$stage/Corvane.exe")
    local version4=$version
    while [ "$(echo "$version4" | tr -cd . | wc -c)" -lt 3 ]; do version4="$version4.0"; done
    file_lists "$stage" "$root/$tree/files.nsh"
    local setup="$work/Corvane-$version-setup-$setup_arch.exe"
    echo "=== $arch: $(basename "$setup")"
    makensis -V2 -INPUTCHARSET UTF8 -DTARGET="$target" -DARCH="$setup_arch" -DVERSION="$version" -DVERSION4="$version4" \
        -DSTAGE="$stage" -DFILES="$root/$tree/files.nsh" -DROOT="$root" -DWIZARD="$wizard" -DSIGN="$signing" \
        -DOUTFILE="$setup" packaging/corvane.nsi
    sign "$setup"
    local zip="$work/Corvane-$version-$arch.zip" tmp
    echo "=== $arch: $(basename "$zip")"
    tmp=$(mktemp -d)
    cp -a "$stage" "$tmp/Corvane"
    # Sorted, and without the extra fields that hold owners and exact times.
    (cd "$tmp" && find Corvane | sort | zip -q -X -@ "$zip")
    rm -rf "$tmp"
    echo "=== $arch: Corvane-$version-$setup_arch.msi"
    build_msi "$stage" "$setup_arch" "$version" "$work/Corvane-$version-$setup_arch.msi"
}

mkdir -p build/package
wizard="$root/build/package/wizard.bmp"
python3 packaging/make_wizard_bitmap.py "$wizard"
touch -d "@$SOURCE_DATE_EPOCH" "$wizard" # the setups record its time
rm -f build/package/Reference.chm
make_help build/package/Reference.chm
build_arch win64 x86_64
build_arch win32 i686
package_arch win64 x64 amd64-unicode
package_arch win32 x86 x86-unicode

# winget: the manifests for this version's two setups (schema 1.6), their SHA-256 read from
# the files written above. CORVANE_RELEASE_URL is where the release's files are published.
version=$(exe_version build/package/win64/stage/Corvane.exe)
release_url=${CORVANE_RELEASE_URL:-https://github.com/corvane/corvane/releases/download/v$version}
echo "=== winget"
mkdir -p "$work/winget"
python3 - "$work" "$version" "$release_url" <<'PY'
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

echo "=== scoop"
mkdir -p "$work/scoop"
python3 packaging/scoop_manifest.py "$work" "$version" "$release_url" $written >"$work/scoop/corvane.json"

# Last, the checksums of everything else (sha256sum -c SHA256SUMS checks them).
(cd "$work" && find . -type f | sed 's|^\./||' | sort | xargs -d '\n' sha256sum) >"$work.sums"
mv "$work.sums" "$work/SHA256SUMS"
find "$work" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
rm -rf "$out"
mv "$work" "$out"
trap - EXIT
echo "=== Written to $out (SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH):"
ls -l "$out"
echo "=== Debug information kept beside the build:"
ls -l build/package/*/Corvane.exe.debug 2>/dev/null || echo "(none: the build left no debug information)"
