#!/bin/bash
# Two builds of the packages from the commit checked out (with the working tree's changes)
# must be the same bytes: one from this tree, one from a copy of it in another folder, later,
# with another time zone, umask and locale, both as scripts/package.sh builds by default (this
# tree's release builds are kept between runs; the copy's are made from nothing). Prints both
# builds' SHA-256 of each exe, the help file and every package, and the time it took.
#   reproducible_e2e.sh <out-dir>
# Exits 77 (skipped) where makensis or wixl is missing or the tree is not a git checkout.
set -u
out=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
started=$(date +%s)
. "$root/tests/packaging/verdicts.sh"
need makensis:nsis wixl:wixl
git -C "$root" rev-parse HEAD >/dev/null 2>&1 || skip "not a git checkout: no commit to take the time from"

rm -rf "$out"
mkdir -p "$out"
here="$out/here"
copy="$out/another/folder/corvane"

# The output folder is replaced whole: never one that holds another's files.
mkdir -p "$out/taken" && echo notes >"$out/taken/notes.txt"
"$root/scripts/package.sh" "$out/taken" >"$out/taken.log" 2>&1 && fail "package.sh took a folder holding another's file"
grep -qx notes "$out/taken/notes.txt" || fail "package.sh changed a folder holding another's file"
ok "package.sh refused a folder holding another's file: $(tail -n1 "$out/taken.log")"

echo "--- this tree"
env -u CORVANE_PACKAGE_FROM_PRESETS -u SOURCE_DATE_EPOCH -u CORVANE_SIGN_PFX \
    "$root/scripts/package.sh" "$here/dist" >"$out/here.log" 2>&1 ||
    { tail -n 30 "$out/here.log"; fail "package.sh in this tree"; }
grep -qx "Not signed: CORVANE_SIGN_PFX (and CORVANE_SIGN_PASSWORD) not set." "$out/here.log" ||
    fail "package.sh did not say in one line that nothing was signed"
mkdir -p "$here/stage"
for arch in win64 win32; do cp "$root/build/package/$arch/stage/Corvane.exe" "$here/stage/Corvane-$arch.exe"; done
cp "$root/build/package/win64/stage/Reference.chm" "$here/stage/" 2>/dev/null

echo "--- a copy elsewhere: the same commit and the same working tree"
head=$(git -C "$root" rev-parse HEAD)
git clone -q --shared --no-checkout "$root" "$copy" || fail "cannot clone $root"
git -C "$copy" reset -q --soft "$head" || fail "the copy cannot take $head"
(cd "$root" && git ls-files -z --cached --others --exclude-standard |
    tar --null -T - --ignore-failed-read -cf - 2>/dev/null) | tar -xf - -C "$copy" || fail "cannot copy the working tree"
sleep 2 # a later second, at least
(
    cd "$copy"
    umask 027
    export TZ=Pacific/Kiritimati LANG=C.UTF-8
    unset SOURCE_DATE_EPOCH CORVANE_PACKAGE_FROM_PRESETS CORVANE_SIGN_PFX
    nice -n 10 scripts/package.sh build/dist
) >"$out/copy.log" 2>&1 || { tail -n 30 "$out/copy.log"; fail "package.sh in the copy"; }

# Every file of both builds, and SHA256SUMS listing every file of its folder.
status=0
for dist in "$here/dist" "$copy/build/dist"; do
    listed=$(cut -c67- "$dist/SHA256SUMS" | sort)
    present=$(cd "$dist" && find . -type f ! -name SHA256SUMS | sed 's|^\./||' | sort)
    [ "$listed" = "$present" ] || fail "$dist/SHA256SUMS lists
$listed
but the folder holds
$present"
    (cd "$dist" && sha256sum --quiet -c SHA256SUMS) || fail "$dist/SHA256SUMS does not match its files"
done
compare() { # <name> <file here> <file in the copy>
    local a b
    a=$(sha256sum <"$2" | cut -d' ' -f1)
    b=$(sha256sum <"$3" 2>/dev/null | cut -d' ' -f1)
    if [ "$a" = "$b" ]; then
        printf 'same: %s  %s\n' "$a" "$1"
    else
        printf 'DIFFERENT: %s\n  here:         %s\n  in the copy:  %s (first bytes that differ: %s)\n' "$1" "$a" "${b:-missing}" \
            "$(cmp -l "$2" "$3" 2>/dev/null | head -n 4 | awk '{ printf "%s ", $1 }')"
        status=1
    fi
}
for arch in win64 win32; do
    compare "Corvane.exe ($arch)" "$here/stage/Corvane-$arch.exe" "$copy/build/package/$arch/stage/Corvane.exe"
done
[ -f "$here/stage/Reference.chm" ] && compare Reference.chm "$here/stage/Reference.chm" "$copy/build/package/win64/stage/Reference.chm"
while read -r _ name; do
    compare "$name" "$here/dist/$name" "$copy/build/dist/$name"
done <"$here/dist/SHA256SUMS"
compare SHA256SUMS "$here/dist/SHA256SUMS" "$copy/build/dist/SHA256SUMS"
[ "$status" -eq 0 ] || fail "the two builds differ"
ok "both builds wrote the same bytes, SHA256SUMS listing every file ($(($(date +%s) - started)) s)"
rm -rf "$copy"
