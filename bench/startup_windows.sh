#!/usr/bin/env bash
# Start-up time under wine, process start to the main window painted, of
# Sorvane's sorvane.exe window against two baselines: the same fourteen
# controls created plainly (no fitting, fonts or command) and a bare window of
# the same size, all with the same manifest. Runs interleaved in one X server
# (Xvfb with openbox) and one wine server of their own; prints medians and ratios.
#   bash bench/startup_windows.sh WINDOWS_BUILD_DIR [RUNS]
# The build needs -DSORVANE_BUILD_BENCHMARKS=ON.
set -euo pipefail
build=$(realpath "${1:?usage: startup_windows.sh WINDOWS_BUILD_DIR [RUNS]}")
runs=${2:-21}
probes=(bare plain_controls sorvane)

wine=/usr/lib/wine/wine64
export WINEPREFIX="$build/wineprefix-bench" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
pids=()
results=$(mktemp -d)
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; kill "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$results"' EXIT
source "$(dirname "$0")/../scripts/x_session.sh"
start_x_session 231 260
/usr/lib/wine/wineserver -k 2>/dev/null || true
"$wine" wineboot -i </dev/null >/dev/null 2>&1
# One wine server for every run, as a desktop session keeps it.
/usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1 || true

measure() {  # prints microseconds from the process's start to its window painted
    local start painted
    start=${EPOCHREALTIME/./}
    painted=$("$wine" "$build/bench/$1_startup_probe.exe" 2>/dev/null | sed -n 's/.*painted_ns=\([0-9]*\).*/\1/p')
    echo $(( painted / 1000 - start ))
}

for probe in "${probes[@]}"; do measure "$probe" >/dev/null; done  # warm the caches
for _ in $(seq "$runs"); do
    for probe in "${probes[@]}"; do measure "$probe" >>"$results/$probe"; done
done

median() { sort -n "$1" | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
bare=$(median "$results/bare")
plain=$(median "$results/plain_controls")
sorvane=$(median "$results/sorvane")
WINE_VERSION=$("$wine" --version) awk -v b="$bare" -v p="$plain" -v s="$sorvane" -v n="$runs" -v size="$(stat -c %s "$build/app/sorvane.exe")" 'BEGIN {
    printf "runs each:                 %d (interleaved, wine %s)\n", n, ENVIRON["WINE_VERSION"]
    printf "start-up, bare window:     %.1f ms median\n", b / 1000
    printf "start-up, plain controls:  %.1f ms median  (%.3f x bare)\n", p / 1000, p / b
    printf "start-up, Sorvane:         %.1f ms median  (%.3f x bare, %.3f x plain controls)\n", s / 1000, s / b, s / p
    printf "sorvane.exe:               %.2f MB\n", size / 1e6
}'
