#!/bin/sh
# Installs what building and testing Corvane needs on a Debian 12 machine.
# Safe to run again: it only installs what is missing.
set -eu

need=""
for p in cmake g++ googletest g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix \
         wine wine32:i386 wine64 xvfb xauth imagemagick xdotool fonts-wine fonts-liberation \
         python3 libgtest-dev libbenchmark-dev; do
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
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
# shellcheck disable=SC2086
$SUDO apt-get install -y -q --no-install-recommends $need
