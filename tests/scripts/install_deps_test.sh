#!/bin/sh
# scripts/install-deps.sh against a stand-in apt-get: a package index that fails to update is
# reported and the install goes on; Wine's 32-bit half that cannot be installed leaves one line
# and the reason that machine.sh gives for skipping the 32-bit tests; any other refused package
# stops the script with apt's message.
#   install_deps_test.sh <source dir> <work dir>
set -u
src=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
fails=0

# A tree of its own: the script, machine.sh answering that the kernel runs 32-bit programs, and
# machine.sh's check with a 32-bit loader that is not there.
tree="$work/tree"
mkdir -p "$tree/scripts" "$tree/cmake/wine" "$work/bin"
cp "$src/scripts/install-deps.sh" "$tree/scripts/"
sed 's#/usr/lib/wine/wine$#/nonexistent/wine#' "$src/cmake/wine/machine.sh" >"$tree/cmake/wine/check.sh"
cat >"$tree/cmake/wine/machine.sh" <<'EOF'
[ "$1" = kernel32 ] && exit 0
exec sh "$(dirname "$0")/check.sh" "$@"
EOF
cat >"$work/bin/dpkg-query" <<'EOF'
#!/bin/sh
exit 1
EOF
cat >"$work/bin/dpkg" <<'EOF'
#!/bin/sh
exit 0
EOF
cat >"$work/bin/sudo" <<'EOF'
#!/bin/sh
exec "$@"
EOF
# UPDATE=fail makes `update` report a mirror mid-sync; REFUSE names the package apt refuses.
cat >"$work/bin/apt-get" <<'EOF'
#!/bin/sh
echo "apt-get $*" >>"$APT_LOG"
case "$*" in
*update*)
    if [ "$UPDATE" = fail ]; then
        echo "Err:6 http://deb.debian.org/debian-security bookworm-security/main i386 Packages"
        echo "E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?"
        echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
        exit 100
    fi ;;
*" $REFUSE"*)
    echo "E: Unable to correct problems, you have held broken packages."
    exit 100 ;;
esac
exit 0
EOF
chmod +x "$work/bin/"*

run_case() { # name update refuse expected-rc expected-text...
    name=$1 update=$2 refuse=$3 want_rc=$4
    shift 4
    rm -f "$tree/build/wine32-unavailable"
    [ "$name" = installs ] && mkdir -p "$tree/build" && echo stale >"$tree/build/wine32-unavailable"
    rc=0
    PATH="$work/bin:$PATH" APT_LOG="$work/$name.apt" UPDATE=$update REFUSE=$refuse \
        sh "$tree/scripts/install-deps.sh" >"$work/$name.out" 2>&1 || rc=$?
    bad=""
    [ "$rc" -eq "$want_rc" ] || bad="exit $rc, not $want_rc"
    for text in "$@"; do
        case "$text" in
        reason:*) grep -qF "${text#reason:}" "$tree/build/wine32-unavailable" 2>/dev/null || bad="$bad; no reason '${text#reason:}'" ;;
        noreason) [ ! -e "$tree/build/wine32-unavailable" ] || bad="$bad; a reason was left" ;;
        skip:*)
            why=$(sh "$tree/cmake/wine/machine.sh" check win32) && bad="$bad; check win32 passed"
            case "$why" in *"${text#skip:}"*) ;; *) bad="$bad; check win32 said '$why'" ;; esac ;;
        apt:*) grep -qF -- "${text#apt:}" "$work/$name.apt" || bad="$bad; apt-get never ran '${text#apt:}'" ;;
        *) grep -qF -- "$text" "$work/$name.out" || bad="$bad; no '$text'" ;;
        esac
    done
    if [ -n "$bad" ]; then
        echo "FAIL $name: $bad"
        cat "$work/$name.out"
        fails=$((fails + 1))
    else
        echo "ok   $name"
    fi
}

run_case mirror-sync fail wine32:i386 0 \
    "a package index could not be updated" "apt:install -y -q --no-install-recommends cmake" \
    "reason:Wine's 32-bit half (wine32:i386) could not be installed: Unable to correct problems" \
    "reason:Mirror sync in progress?" "skip:Wine's 32-bit half (wine32:i386) could not be installed" \
    "its tests are skipped"
run_case other-refused fail nsis 100 "Unable to correct problems, you have held broken packages."
run_case installs ok none 0 apt:wine32:i386 noreason

[ "$fails" -eq 0 ] && echo "install-deps goes on without the 32-bit half" || exit 1
