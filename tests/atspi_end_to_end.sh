#!/usr/bin/env bash
# The built program end to end on each display platform, driven only through
# the accessibility bus (tests/atspi_drive.py) in a private session bus: under
# an X server (Xvfb with openbox) and under Wayland (weston, headless).
#   bash tests/atspi_end_to_end.sh BINARY [x11|wayland ...]
set -euo pipefail
binary=$(realpath "${1:?usage: atspi_end_to_end.sh BINARY [PLATFORM...]}")
shift
platforms=("$@")
[ ${#platforms[@]} -gt 0 ] || platforms=(x11 wayland)
here=$(cd "$(dirname "$0")" && pwd)
scripts=$here/../scripts
expected=$here/expected/airfoil_2412_31.txt

for tool in dbus-run-session /usr/libexec/at-spi-bus-launcher; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing: no accessibility bus"; exit 1; }
done

# Each platform in a subshell of its own: its display server, its bus, its cleanup.
run_platform() (
    platform=$1
    work=$(mktemp -d)
    pids=()
    cleanup() {
        for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
        wait 2>/dev/null || true
        rm -rf "$work"
    }
    trap cleanup EXIT
    case "$platform" in
        x11)
            source "$scripts/x_session.sh"
            start_x_session || { echo "FAIL (x11): the X server did not start"; exit 1; }
            qt_platform=xcb ;;
        wayland)
            source "$scripts/wayland_session.sh"
            start_wayland_session "$work/runtime" || { echo "FAIL (wayland): the compositor did not start"; exit 1; }
            qt_platform=wayland ;;
        *) echo "FAIL: no platform '$platform'"; exit 1 ;;
    esac
    # A bus of its own; it ends with the driver, and the accessibility bus it started with it.
    unset DBUS_SESSION_BUS_ADDRESS
    # The buses' own chatter (resource limits, activations) is left out.
    timeout 60 dbus-run-session -- /usr/bin/python3 "$here/atspi_drive.py" "$binary" "$expected" "$qt_platform" \
        > >(grep -v '^SpiRegistry daemon') 2> >(grep -v -E '^(dbus-daemon\[|X connection to)' >&2)
)

for platform in "${platforms[@]}"; do
    run_platform "$platform"
done
