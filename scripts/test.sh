#!/bin/bash
# Installs whatever is missing, then builds and runs every test: the portable core natively
# (with ASan and UBSan), and everything for 32-bit and 64-bit Windows under Wine.
#   scripts/test.sh [preset...]     (default: native win32 win64)
# Where this machine cannot run 32-bit programs (or CORVANE_NO_32BIT=1), the win32 tree is still
# built and its exe's imports checked; its Windows tests are reported as skipped, with the reason.
set -u
cd "$(dirname "$0")/.."
./scripts/install-deps.sh || exit 1

presets=("$@")
[ ${#presets[@]} -eq 0 ] && presets=(native win32 win64)
jobs=$(nproc 2>/dev/null || echo 2)
status=0
declare -A result

# Everything is built first: a build uses both cores on its own.
built=()
for preset in "${presets[@]}"; do
    echo "=== $preset: configure and build"
    if ! cmake --preset "$preset" >/dev/null || ! cmake --build --preset "$preset" -j "$jobs"; then
        result[$preset]="$preset: BUILD FAILED"
        status=1
        continue
    fi
    built+=("$preset")
done

summarise() { # preset rc
    local preset=$1 rc=$2 log="build/$1/ctest-summary.log" line
    line=$(grep -E '^[0-9]+% tests passed' "$log" | tail -n1)
    if [ -f "build/$preset/wine/unavailable" ]; then
        if [ "$rc" -eq 0 ]; then
            result[$preset]="$preset: built; imports checked; tests skipped: $(cat "build/$preset/wine/unavailable")"
        else
            result[$preset]="$preset: built; ${line:-no test summary}; other tests skipped: $(cat "build/$preset/wine/unavailable")"
        fi
    else
        result[$preset]="$preset: ${line:-no test summary}"
    fi
    [ "$rc" -ne 0 ] && status=1
}

# One tree at a time: Wine tests are timing-sensitive, and two Wine sessions side by side
# once lost a test process to a kill from outside (seen once, cause not found); a run must not
# depend on such luck.
for preset in "${built[@]}"; do
    echo "=== $preset: tests"
    ctest --preset "$preset" -j "$jobs" 2>&1 | tee "build/$preset/ctest-summary.log"
    summarise "$preset" "${PIPESTATUS[0]}"
done

echo
echo "=== Summary"
for preset in "${presets[@]}"; do
    echo "${result[$preset]:-$preset: no result}"
done
exit $status
