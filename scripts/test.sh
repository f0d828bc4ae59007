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
summary=()
for preset in "${presets[@]}"; do
    echo "=== $preset: configure and build"
    if ! cmake --preset "$preset" >/dev/null || ! cmake --build --preset "$preset" -j "$jobs"; then
        summary+=("$preset: BUILD FAILED")
        status=1
        continue
    fi
    echo "=== $preset: tests"
    log="build/$preset/ctest-summary.log"
    ctest --preset "$preset" -j "$jobs" 2>&1 | tee "$log"
    rc=${PIPESTATUS[0]}
    line=$(grep -E '^[0-9]+% tests passed' "$log" | tail -n1)
    if [ -f "build/$preset/wine/unavailable" ]; then
        if [ "$rc" -eq 0 ]; then
            summary+=("$preset: built; imports checked; tests skipped: $(cat "build/$preset/wine/unavailable")")
        else
            summary+=("$preset: built; ${line:-no test summary}; other tests skipped: $(cat "build/$preset/wine/unavailable")")
        fi
    else
        summary+=("$preset: ${line:-no test summary}")
    fi
    [ "$rc" -ne 0 ] && status=1
done

echo
echo "=== Summary"
printf '%s\n' "${summary[@]}"
exit $status
