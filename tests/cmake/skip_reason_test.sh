#!/bin/sh
# The skip reason of a tree that cannot run Windows programs reaches ctest's output whole,
# whatever it holds. Cases: the kernel's own words, and a reason made of shell syntax.
#   skip_reason_test.sh <source dir> <work dir>
set -u
src=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
fails=0

run_case() { # name expected [cmake args...]
    name=$1 expected=$2
    shift 2
    tree="$work/$name"
    if ! cmake -S "$src/tests/cmake/skip_reason" -B "$tree" -DCORVANE_SOURCE_DIR="$src" "$@" \
        >"$work/$name.configure.log" 2>&1; then
        echo "FAIL $name: configure failed"; cat "$work/$name.configure.log"; fails=$((fails + 1)); return
    fi
    rc=0
    (cd "$tree" && ctest -V) >"$work/$name.ctest.log" 2>&1 || rc=$?
    if [ "$rc" -ne 0 ]; then
        echo "FAIL $name: ctest exited $rc"; cat "$work/$name.ctest.log"; fails=$((fails + 1)); return
    fi
    if ! grep -qF "Windows tests skipped: $expected" "$work/$name.ctest.log" \
        || ! grep -qE '1 tests? skipped|wine.unavailable .*Skipped|\*\*\*Skipped' "$work/$name.ctest.log"; then
        echo "FAIL $name: ctest did not report the skip with: $expected"; cat "$work/$name.ctest.log"
        fails=$((fails + 1)); return
    fi
    echo "ok   $name"
}

kernel="this machine cannot run 32-bit programs (the kernel's 32-bit emulation is off)"
CORVANE_NO_32BIT=kernel run_case kernel "$kernel"

odd='it'"'"'s "odd": $(exit 3); `false`; $HOME \ (a) ; exit 1'
printf '%s\n' "$odd" >"$work/odd.txt"
run_case odd "$odd" -DREASON_FILE="$work/odd.txt"

[ "$fails" -eq 0 ] && echo "skip reasons intact" || exit 1
