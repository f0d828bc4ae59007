#!/bin/sh
# Installs what building and testing Corvane needs on a Debian 12 machine, and says what.
# Safe to run again: it only installs what is missing. Wine's 32-bit half (and with it the
# i386 architecture) only where the kernel runs 32-bit programs: elsewhere it cannot start.
set -eu
here=$(cd "$(dirname "$0")" && pwd)

pkgs="cmake g++ googletest g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix \
wine wine64 xvfb xauth imagemagick xdotool fonts-wine fonts-liberation \
python3 libgtest-dev libbenchmark-dev nsis wixl zip unzip fp-utils"
with32=no
if sh "$here/../cmake/wine/machine.sh" kernel32; then
    with32=yes
    pkgs="$pkgs wine32:i386"
fi

need=""
for p in $pkgs; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        need="$need $p"
    fi
done
if [ -z "$need" ]; then
    exit 0
fi

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
echo "Installing:$need"
if [ "$with32" = no ]; then
    echo "(not wine32:i386: this machine cannot run 32-bit programs, so 32-bit tests will be skipped)"
elif ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
# shellcheck disable=SC2086
$SUDO apt-get install -y -q --no-install-recommends $need
