#!/usr/bin/env bash
# Start-up time (process start to the main window painted) and peak memory of
# Sorvane's window against a bare Qt main window of the same size, both in one
# X server (Xvfb with openbox), runs interleaved. Prints medians and ratios.
# With a desktop font ("DejaVu Sans 10"), both run as under a GNOME session
# that sets it: the GTK platform theme hands it to Qt.
#   bash bench/startup.sh BUILD_DIR [RUNS] [DESKTOP_FONT]
set -euo pipefail
build=$(realpath "${1:?usage: startup.sh BUILD_DIR [RUNS] [DESKTOP_FONT]}")
runs=${2:-21}
desktop_font=${3:-}
sorvane_probe="$build/bench/sorvane_startup_probe"
bare_probe="$build/bench/bare_startup_probe"

pids=()
config=$(mktemp -d)
trap 'kill "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$config"' EXIT
source "$(dirname "$0")/../scripts/x_session.sh"
start_x_session
export QT_QPA_PLATFORM=xcb
[ -z "$desktop_font" ] || use_desktop_font "$config" "$desktop_font"

measure() {  # prints "milliseconds peak_kb"
    local start out painted peak
    start=${EPOCHREALTIME/./}
    out=$("$1" 2>/dev/null)
    painted=$(sed -n 's/.*painted_ns=\([0-9]*\).*/\1/p' <<<"$out")
    peak=$(sed -n 's/.*peak_kb=\([0-9]*\).*/\1/p' <<<"$out")
    echo "$(( (painted / 1000 - start) )) $peak"
}

"$bare_probe" >/dev/null 2>&1; "$sorvane_probe" >/dev/null 2>&1  # warm the file cache
: >/tmp/startup_bare.txt; : >/tmp/startup_sorvane.txt
for _ in $(seq "$runs"); do
    measure "$bare_probe" >>/tmp/startup_bare.txt
    measure "$sorvane_probe" >>/tmp/startup_sorvane.txt
done

median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
bare_us=$(cut -d' ' -f1 /tmp/startup_bare.txt | median)
sorvane_us=$(cut -d' ' -f1 /tmp/startup_sorvane.txt | median)
bare_kb=$(cut -d' ' -f2 /tmp/startup_bare.txt | median)
sorvane_kb=$(cut -d' ' -f2 /tmp/startup_sorvane.txt | median)
awk -v bu="$bare_us" -v su="$sorvane_us" -v bk="$bare_kb" -v sk="$sorvane_kb" -v n="$runs" -v font="$desktop_font" 'BEGIN {
    printf "runs each:            %d (interleaved)\n", n
    if (font != "") printf "desktop font:         %s (GTK platform theme)\n", font
    printf "start-up, bare window: %.1f ms median\n", bu / 1000
    printf "start-up, Sorvane:     %.1f ms median  (%.3f x bare)\n", su / 1000, su / bu
    printf "peak memory, bare:     %.1f MiB median\n", bk / 1024
    printf "peak memory, Sorvane:  %.1f MiB median  (%.3f x bare)\n", sk / 1024, sk / bk
}'
