#!/bin/sh
# What this machine can run under Wine. Some kernels refuse 32-bit programs (32-bit emulation
# off), and Wine's 32-bit loader is itself a 32-bit Linux program: there nothing 32-bit runs,
# while the 64-bit loader runs 64-bit Windows programs as usual.
#   machine.sh kernel32        exit 0 where the kernel runs 32-bit programs
#   machine.sh check <arch>    exit 0 where Wine runs <arch> (win32|win64) programs; otherwise
#                              prints the reason on stdout and exits 1
#   machine.sh loader <arch>   the Wine loader for <arch>
# CORVANE_NO_32BIT=1 makes the answer for 32-bit "no" on any machine, to try that path;
# CORVANE_NO_32BIT=kernel does so as if the kernel had refused, with the kernel's own reason.
set -eu
here=$(cd "$(dirname "$0")" && pwd)

# A 96-byte i386 ELF program that only calls exit(42): it needs no 32-bit library, so it tells
# whether the kernel runs 32-bit programs before Wine's 32-bit loader is even installed.
kernel_runs_32bit() {
    probe=$(mktemp)
    printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000' >"$probe"
    printf '\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000' >>"$probe"
    printf '\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000' >>"$probe"
    printf '\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010' >>"$probe"
    printf '\000\200\004\010\140\000\000\000\140\000\000\000\005\000\000\000' >>"$probe"
    printf '\000\020\000\000\273\052\000\000\000\270\001\000\000\000\315\200' >>"$probe"
    chmod +x "$probe"
    rc=0
    "$probe" 2>/dev/null || rc=$?
    rm -f "$probe"
    [ "$rc" -eq 42 ]
}

forced_no_32bit() {
    case "${CORVANE_NO_32BIT:-}" in
    "" | 0 | no | NO | false | FALSE | kernel) return 1 ;;
    *) return 0 ;;
    esac
}

kernel_refuses_32bit() {
    [ "${CORVANE_NO_32BIT:-}" = kernel ] || ! kernel_runs_32bit
}

loader() {
    case "$1" in
    win32) echo /usr/lib/wine/wine ;;
    *) echo /usr/lib/wine/wine64 ;;
    esac
}

check() {
    arch=$1
    if [ "$arch" = win32 ]; then
        if forced_no_32bit; then
            echo "this machine cannot run 32-bit programs (CORVANE_NO_32BIT is set)"
            return 1
        fi
        if kernel_refuses_32bit; then
            echo "this machine cannot run 32-bit programs (the kernel's 32-bit emulation is off)"
            return 1
        fi
    fi
    l=$(loader "$arch")
    if [ ! -x "$l" ]; then
        # scripts/install-deps.sh keeps apt's reason when Wine's 32-bit half would not install.
        if [ "$arch" = win32 ] && [ -s "$here/../../build/wine32-unavailable" ]; then
            head -n1 "$here/../../build/wine32-unavailable"
            return 1
        fi
        echo "Wine's loader for $arch programs ($l) is not installed"
        return 1
    fi
    if ! "$l" --version >/dev/null 2>&1; then
        echo "Wine's loader for $arch programs ($l) does not start on this machine"
        return 1
    fi
}

case "${1:-}" in
kernel32)
    ! forced_no_32bit && ! kernel_refuses_32bit
    ;;
check)
    check "${2:?arch}"
    ;;
loader)
    loader "${2:?arch}"
    ;;
*)
    echo "usage: $0 kernel32 | check win32|win64 | loader win32|win64" >&2
    exit 2
    ;;
esac
