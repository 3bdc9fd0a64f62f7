#!/usr/bin/env bash
# A day of use of the desktop windows, in a real X server (Xvfb with openbox):
# the Qt window, and sorvane's Windows window under wine in a prefix of its
# own, each pressed CALCULATIONS times and About opened and closed ABOUTS
# times. Prints each probe's figures after a tenth of the day, after the
# calculations and after the About openings.
#   bash bench/day_of_use.sh BUILD_DIR [WINDOWS_BUILD_DIR] [CALCULATIONS] [ABOUTS]
# Both builds need -DSORVANE_BUILD_BENCHMARKS=ON.
set -euo pipefail
build=$(realpath "${1:?usage: day_of_use.sh BUILD_DIR [WINDOWS_BUILD_DIR] [CALCULATIONS] [ABOUTS]}")
windows_build=${2:+$(realpath "$2")}
calculations=${3:-3000}
abouts=${4:-300}

work=$(mktemp -d)
pids=()
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
    [ -z "$windows_build" ] || /usr/lib/wine/wineserver -k 2>/dev/null || true
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
source "$(dirname "$0")/../scripts/x_session.sh"
start_x_session

echo "Qt, under X11 ($calculations calculations, $abouts About openings):"
(cd "$work" && QT_QPA_PLATFORM=xcb "$build/bench/sorvane_day_of_use_probe" "$calculations" "$abouts")
if [ -n "$windows_build" ]; then
    /usr/lib/wine/wine64 wineboot -i </dev/null >/dev/null 2>&1
    /usr/lib/wine/wineserver -w
    echo "Windows, under wine ($calculations calculations, $abouts About openings):"
    (cd "$work" && /usr/lib/wine/wine64 "$windows_build/bench/sorvane_day_of_use_probe.exe" "$calculations" "$abouts" | tr -d '\r')
fi
