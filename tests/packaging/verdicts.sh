# Sourced by the packaging tests: how they report, and what they wait for.

skip() {
    echo "SKIPPED: $*"
    exit 77
}
fail() {
    echo "FAILED: $*"
    exit 1
}
ok() { echo "ok: $*"; }

# Skips the test where a tool it drives is missing.
need() { # <tool:Debian package>...
    local tool
    for tool in "$@"; do
        command -v "${tool%%:*}" >/dev/null || skip "${tool%%:*} not found (Debian package ${tool#*:})"
    done
}

# An uninstaller copies itself away and returns at once: waits up to 20 s for its folder to go.
gone() { # <folder>
    local i
    for i in $(seq 1 40); do
        [ -e "$1" ] || return 0
        sleep 0.5
    done
    return 1
}
