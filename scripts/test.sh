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

# Windows trees spend most of their time waiting on Wine, one window test at a time, each in
# a prefix and on a display of its own: two of them share the machine well side by side, each
# with one test at a time. The rest run alone, with all cores.
wine_trees=()
for preset in "${built[@]}"; do
    if [ -f "build/$preset/wine/arch" ] && [ ! -f "build/$preset/wine/unavailable" ]; then
        wine_trees+=("$preset")
    else
        echo "=== $preset: tests"
        ctest --preset "$preset" -j "$jobs" 2>&1 | tee "build/$preset/ctest-summary.log"
        summarise "$preset" "${PIPESTATUS[0]}"
    fi
done
if [ ${#wine_trees[@]} -eq 1 ]; then
    preset=${wine_trees[0]}
    echo "=== $preset: tests"
    ctest --preset "$preset" -j "$jobs" 2>&1 | tee "build/$preset/ctest-summary.log"
    summarise "$preset" "${PIPESTATUS[0]}"
elif [ ${#wine_trees[@]} -gt 1 ]; then
    echo "=== ${wine_trees[*]}: tests, side by side (each tree's output follows when all have ended)"
    for preset in "${wine_trees[@]}"; do
        (ctest --preset "$preset" -j 1 >"build/$preset/ctest-summary.log" 2>&1; echo $? >"build/$preset/ctest-rc") &
    done
    wait
    for preset in "${wine_trees[@]}"; do
        echo "=== $preset: tests"
        cat "build/$preset/ctest-summary.log"
        summarise "$preset" "$(cat "build/$preset/ctest-rc")"
    done
fi

echo
echo "=== Summary"
for preset in "${presets[@]}"; do
    echo "${result[$preset]:-$preset: no result}"
done
exit $status
