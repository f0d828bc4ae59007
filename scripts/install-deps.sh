#!/bin/sh
# Installs what building and testing Corvane needs on a Debian 12 machine, and says what.
# Safe to run again: it only installs what is missing. Wine's 32-bit half (and with it the
# i386 architecture) only where the kernel runs 32-bit programs: elsewhere it cannot start.
#
# A package index that fails to update (a mirror mid-sync) is reported and the install goes on
# with the indexes that were read. Wine's 32-bit half is installed on its own: where it cannot
# be (its i386 libraries must match the 64-bit ones' versions, which a half-synced index
# breaks), one line says why, the reason is kept in build/wine32-unavailable for
# cmake/wine/machine.sh, and the tests take the path of a machine without 32-bit programs.
# Any other package that cannot be installed stops the script with apt's message.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
reason_file="$here/../build/wine32-unavailable"

pkgs="cmake g++ googletest g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix \
wine wine64 xvfb xauth imagemagick xdotool fonts-wine fonts-liberation \
python3 libgtest-dev libbenchmark-dev nsis wixl zip unzip fp-utils osslsigncode openssl"
with32=no
if sh "$here/../cmake/wine/machine.sh" kernel32; then
    with32=yes
fi

missing() {
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            printf ' %s' "$p"
        fi
    done
}

need=$(missing $pkgs)
need32=""
if [ "$with32" = yes ]; then
    need32=$(missing wine32:i386)
    [ -z "$need32" ] && rm -f "$reason_file"
fi
if [ -z "$need$need32" ]; then
    exit 0
fi

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
echo "Installing:$need$need32"
if [ "$with32" = no ]; then
    echo "(not wine32:i386: this machine cannot run 32-bit programs, so 32-bit tests will be skipped)"
elif [ -n "$need32" ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
log=$(mktemp)
trap 'rm -f "$log"' EXIT
update_error=""
$SUDO apt-get update -q 2>&1 | tee "$log"
if grep -q '^E:' "$log"; then
    update_error=$(grep -m1 '^E:' "$log" | sed 's/ *\[IP: [^]]*\]//')
    echo "install-deps: a package index could not be updated ($update_error); going on with the indexes that were read"
fi
if [ -n "$need" ]; then
    # shellcheck disable=SC2086
    $SUDO apt-get install -y -q --no-install-recommends $need
fi
if [ -n "$need32" ]; then
    if $SUDO apt-get install -y -q --no-install-recommends wine32:i386 >"$log" 2>&1; then
        cat "$log"
        rm -f "$reason_file"
    else
        why=$(grep -m1 '^E:' "$log" | sed 's/^E: *//' || true)
        why="Wine's 32-bit half (wine32:i386) could not be installed: ${why:-apt-get failed}"
        [ -n "$update_error" ] && why="$why, after a failed package index update (${update_error#E: })"
        mkdir -p "$(dirname "$reason_file")"
        printf '%s\n' "$why" | tr -d '\r' | head -n1 >"$reason_file"
        echo "install-deps: $why; the 32-bit build is still compiled and import-checked, its tests are skipped, and scripts/run.sh runs the 64-bit build"
    fi
fi
