# Sourced by the scripts that start Corvane under Wine: picks the build to run.
#   pick_arch [win32|win64]   sets $arch, $preset and $loader; the default is win64, the build
#                             nearly every Windows user runs and the one every machine here runs
pick_arch() {
    arch=${1:-win64}
    case "$arch" in
    win32 | win64) ;;
    *)
        echo "unknown build '$arch': say win32 or win64" >&2
        exit 2
        ;;
    esac
    if ! why=$(sh cmake/wine/machine.sh check "$arch"); then
        echo "Cannot run the $arch build here: $why." >&2
        [ "$arch" = win32 ] && echo "The 64-bit build runs here: leave out 'win32'." >&2
        exit 1
    fi
    preset=$arch
    loader=$(sh cmake/wine/machine.sh loader "$arch")
}
