#!/bin/sh
# Signs one Windows file (exe or MSI) in place with Authenticode, by osslsigncode, with the
# certificate and key in CORVANE_SIGN_PFX (PKCS#12) opened with CORVANE_SIGN_PASSWORD; with
# CORVANE_SIGN_TIMESTAMP_URL set, the signature gets an RFC 3161 time stamp from that server,
# so it stays valid after the certificate expires. Called by scripts/package.sh, and by
# makensis for the uninstaller inside each setup (!uninstfinalize).
#   sign.sh <file> [its name in messages]
#   sign.sh --check     only opens the certificate: says clearly why it cannot be used
set -eu
: "${CORVANE_SIGN_PFX:?}"
# The password goes through a file of our own: on the command line, any user would see it.
pass=$(mktemp)
log=$(mktemp)
trap 'rm -f "$pass" "$log"' EXIT
printf '%s' "${CORVANE_SIGN_PASSWORD:-}" >"$pass"

if [ "$1" = --check ]; then
    if [ ! -r "$CORVANE_SIGN_PFX" ]; then
        echo "package.sh: cannot sign: CORVANE_SIGN_PFX ($CORVANE_SIGN_PFX) is not a file that can be read" >&2
        exit 1
    fi
    # Certificates exported by Windows often use ciphers OpenSSL 3 keeps in its legacy provider.
    if ! openssl pkcs12 -in "$CORVANE_SIGN_PFX" -passin "file:$pass" -noout >"$log" 2>&1 &&
        ! openssl pkcs12 -legacy -in "$CORVANE_SIGN_PFX" -passin "file:$pass" -noout >>"$log" 2>&1; then
        echo "package.sh: cannot sign: $CORVANE_SIGN_PFX does not open with CORVANE_SIGN_PASSWORD (a wrong password, or not a PKCS#12 file): nothing was packaged" >&2
        sed 's/^/  openssl: /' "$log" | head -n 3 >&2
        exit 1
    fi
    echo "Signing with $CORVANE_SIGN_PFX${CORVANE_SIGN_TIMESTAMP_URL:+, time stamps from $CORVANE_SIGN_TIMESTAMP_URL}."
    exit 0
fi

file=$1
name=${2:-$(basename "$file")}
set -- -pkcs12 "$CORVANE_SIGN_PFX" -readpass "$pass" -h sha256 -n Corvane -i https://corvane.github.io/
if [ -n "${CORVANE_SIGN_TIMESTAMP_URL:-}" ]; then
    set -- "$@" -ts "$CORVANE_SIGN_TIMESTAMP_URL"
fi
rm -f "$file.signed"
if ! osslsigncode sign "$@" -in "$file" -out "$file.signed" >"$log" 2>&1; then
    rm -f "$file.signed"
    echo "package.sh: cannot sign $name:" >&2
    sed 's/^/  osslsigncode: /' "$log" | head -n 5 >&2
    exit 1
fi
mv -f "$file.signed" "$file"
