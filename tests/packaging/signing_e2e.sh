#!/bin/bash
# scripts/package.sh signing with a throwaway self-signed certificate and time stamps from a
# server of our own on the loopback (tests/packaging/timestamp_server.py): every exe (inside
# the zips), setup, MSI, and the uninstaller a setup installs carry a time-stamped signature
# that verifies against that certificate (and not against another); a wrong password or a
# time-stamp server that stops answering halfway (after the x64 packages are signed) fails the
# packaging with a clear message, leaving the output folder as it was.
#   signing_e2e.sh <wine-run> <out-dir>
# Exits 77 (skipped) where makensis, wixl, osslsigncode or openssl is missing.
set -u
run=$1
out=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/tests/packaging/verdicts.sh"
need makensis:nsis wixl:wixl osslsigncode:osslsigncode openssl:openssl

uninst_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvane'
installed=""
servers=""
finish() {
    [ -n "$servers" ] && kill $servers 2>/dev/null
    if [ -n "$installed" ] && [ -e "$installed/Uninstall.exe" ]; then
        "$run" "$installed/Uninstall.exe" /S >/dev/null 2>&1
        sleep 3
    fi
    [ -n "$installed" ] && rm -rf "$installed"
    "$run" reg delete "$uninst_key" /f >/dev/null 2>&1
}
trap finish EXIT

rm -rf "$out"
mkdir -p "$out"
version=$(sed -n 's/^project(Corvane VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
password='a throwaway password'
for name in signer other; do
    openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Corvane test $name" \
        -addext "keyUsage=critical,digitalSignature" -addext "extendedKeyUsage=codeSigning" \
        -keyout "$out/$name.key" -out "$out/$name.pem" >/dev/null 2>&1 || fail "openssl cannot make a certificate"
done
openssl pkcs12 -export -inkey "$out/signer.key" -in "$out/signer.pem" -out "$out/signer.pfx" \
    -passout "pass:$password" || fail "openssl cannot make a PKCS#12 file"

# The time-stamp server: its own certificate, for time stamping only.
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Corvane test time stamps" \
    -addext "keyUsage=critical,digitalSignature" -addext "extendedKeyUsage=critical,timeStamping" \
    -keyout "$out/tsa.key" -out "$out/tsa.pem" >/dev/null 2>&1 || fail "openssl cannot make the time-stamp certificate"
echo 01 >"$out/tsa.serial"
cat >"$out/tsa.cnf" <<CNF
[ tsa ]
default_tsa = corvane
[ corvane ]
serial = $out/tsa.serial
crypto_device = builtin
signer_digest = sha256
default_policy = 1.2.3.4.1
digests = sha256, sha384, sha512
accuracy = secs:1
ess_cert_id_alg = sha256
CNF
start_server() { # [requests]: its address in $tsa_url
    local i address="$out/tsa-$(echo $servers | wc -w).url"
    python3 "$root/tests/packaging/timestamp_server.py" "$out/tsa.cnf" "$out/tsa.pem" "$out/tsa.key" "$out" "$@" >"$address" &
    servers="$servers $!"
    for i in $(seq 1 50); do
        [ -s "$address" ] && break
        sleep 0.1
    done
    tsa_url=$(head -n1 "$address")
    [ -n "$tsa_url" ] || fail "the time-stamp server did not start"
}
# Signed in turn: the two exes, then the x64 uninstaller, setup and MSI, then the x86 ones.
start_server 5

package() { # <out> [variable=value...]: package.sh with the signing certificate
    local dist=$1
    shift
    env CORVANE_PACKAGE_FROM_PRESETS=1 CORVANE_SIGN_PFX="$out/signer.pfx" CORVANE_SIGN_PASSWORD="$password" \
        "$@" "$root/scripts/package.sh" "$dist"
}

# A failure leaves the output folder as an earlier run left it, and nothing half made.
earlier="$out/dist"
mkdir -p "$earlier"
echo earlier >"$earlier/SHA256SUMS"
echo earlier >"$earlier/Corvane-0.9-setup-x64.exe"
while IFS='|' read -r what setting message; do
    package "$earlier" "$setting" >"$out/failed.log" 2>&1 && fail "$what: packaging succeeded"
    grep -qF "$message" "$out/failed.log" || { tail -n 8 "$out/failed.log"; fail "$what: no message saying '$message'"; }
    [ "$(ls -A "$earlier" | tr '\n' ' ')" = "Corvane-0.9-setup-x64.exe SHA256SUMS " ] &&
        grep -qx earlier "$earlier/SHA256SUMS" || fail "$what: the output folder now holds $(ls -A "$earlier" | tr '\n' ' ')"
    [ ! -e "$earlier.new" ] || fail "$what: left $earlier.new"
    ok "$what: packaging failed saying '$message'; the output folder is as it was"
done <<TABLE
a wrong password|CORVANE_SIGN_PASSWORD=not the password|does not open with CORVANE_SIGN_PASSWORD
a time-stamp server that stops answering halfway|CORVANE_SIGN_TIMESTAMP_URL=$tsa_url|package.sh: cannot sign
TABLE

signed="$out/signed"
start_server
package "$signed" CORVANE_SIGN_TIMESTAMP_URL="$tsa_url" >"$out/signed.log" 2>&1 ||
    { tail -n 30 "$out/signed.log"; fail "package.sh with a certificate"; }
grep -q "^Signing with $out/signer.pfx, time stamps from $tsa_url" "$out/signed.log" || fail "package.sh did not say it signs"

verify() { # <what> <file>: signed by the signer and time-stamped by our server; not taken for the other's
    osslsigncode verify -CAfile "$out/signer.pem" -TSA-CAfile "$out/tsa.pem" -in "$2" >"$out/verify.log" 2>&1 ||
        { tail -n 5 "$out/verify.log"; fail "$1: the signature does not verify"; }
    grep -q "Subject: /CN=Corvane test signer" "$out/verify.log" || fail "$1: not signed by the test certificate"
    grep -q "^Timestamp Server Signature verification: ok" "$out/verify.log" || fail "$1: no time stamp that verifies"
    osslsigncode verify -CAfile "$out/other.pem" -in "$2" >/dev/null 2>&1 &&
        fail "$1: verifies against a certificate that did not sign it"
    ok "$1: signed and time-stamped, and both verify"
}
for f in setup-x64.exe setup-x86.exe x64.msi x86.msi; do
    verify "$f" "$signed/Corvane-$version-$f"
done
for arch in win64 win32; do
    mkdir -p "$out/$arch" && unzip -q -o "$signed/Corvane-$version-$arch.zip" -d "$out/$arch" || fail "cannot unpack $arch.zip"
    verify "Corvane.exe in $arch.zip" "$out/$arch/Corvane/Corvane.exe"
done

# The uninstaller exists only once a setup has written it.
install_round() { # <x64|x86>
    local arch=$1
    "$run" reg add 'HKCU\Software\Wine\DllOverrides' /v winemenubuilder.exe /d "" /f >/dev/null 2>&1
    installed=$("$run" winepath -u 'C:\corvane-signed' 2>/dev/null | tr -d '\r')
    rm -rf "$installed"
    "$run" "$signed/Corvane-$version-setup-$arch.exe" /S '/D=C:\corvane-signed' || fail "$arch: the signed setup ended with $?"
    verify "the Uninstall.exe the $arch setup installed" "$installed/Uninstall.exe"
    verify "the Corvane.exe the $arch setup installed" "$installed/Corvane.exe"
    "$run" "$installed/Uninstall.exe" /S || fail "$arch: the signed uninstaller ended with $?"
    gone "$installed" || fail "$arch: the signed uninstaller left $(ls -A "$installed" | tr '\n' ' ')"
    ok "$arch: the signed uninstaller removed what the signed setup installed"
    installed=""
}
install_round x64
if why=$(sh "$root/cmake/wine/machine.sh" check win32); then
    install_round x86
else
    echo "SKIPPED: the x86 setup's uninstaller: $why"
fi
