#!/usr/bin/env bash
# Start-up time under wine of the shipped sorvane.exe against two baselines:
# the same fourteen controls created plainly (no fitting, fonts or command)
# and a bare window of the same size, both with the same manifest. Two
# measures, runs interleaved in one X server (Xvfb with openbox) and one wine
# server of their own:
#   on screen  process start to the program's window mapped by the window
#              manager, as the X server reports it: what a person sees; for
#              sorvane.exe itself and both baselines;
#   painted    process start to every paint the window asked for handled, as
#              the probes report it from inside (Sorvane's window in a probe).
# Prints medians and ratios.
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
start_x_session
/usr/lib/wine/wineserver -k 2>/dev/null || true
"$wine" wineboot -i </dev/null >/dev/null 2>&1
# One wine server for every run, as a desktop session keeps it.
/usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1 || true

# The time of every top-level window the window manager maps, one line each,
# taken as the X server's notice arrives.
maps="$results/maps"
: >"$maps"
stdbuf -oL xev -root -event substructure 2>/dev/null | while IFS= read -r line; do
    case "$line" in
        MapNotify*) mapping=yes ;;
        *"override NO"*) [ "${mapping:-}" = yes ] && echo "${EPOCHREALTIME/./}" >>"$maps"; mapping= ;;
        *) ;;
    esac
done &
pids+=($!)
sleep 0.5

# measure PROGRAM NAME: microseconds from the process's start to its window on
# screen into NAME.shown, and, where it reports one, to its window painted into NAME.painted.
measure() {
    local program=$1 name=$2 before start pid painted mapped
    before=$(wc -l <"$maps")
    start=${EPOCHREALTIME/./}
    "$wine" "$program" >"$results/out" 2>/dev/null &
    pid=$!
    for _ in $(seq 1000); do [ "$(wc -l <"$maps")" -gt "$before" ] && break; sleep 0.01; done
    mapped=$(sed -n "$((before + 1))p" "$maps")
    # The probes end by themselves once painted; sorvane.exe is closed.
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.01; done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    [ -n "$mapped" ] && echo $((mapped - start)) >>"$results/$name.shown"
    painted=$(sed -n 's/.*painted_ns=\([0-9]*\).*/\1/p' "$results/out")
    [ -n "$painted" ] && echo $((painted / 1000 - start)) >>"$results/$name.painted"
    # Nothing of one run may still be closing while the next starts.
    sleep 0.1
}

one_round() {
    for probe in "${probes[@]}"; do measure "$build/bench/${probe}_startup_probe.exe" "$probe"; done
    measure "$build/app/sorvane.exe" exe
}
one_round  # warm the caches
rm -f "$results"/*.shown "$results"/*.painted
for _ in $(seq "$runs"); do one_round; done

median() { sort -n "$1" | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
WINE_VERSION=$("$wine" --version) awk -v n="$runs" -v size="$(stat -c %s "$build/app/sorvane.exe")" \
    -v bs="$(median "$results/bare.shown")" -v ps="$(median "$results/plain_controls.shown")" \
    -v es="$(median "$results/exe.shown")" -v bp="$(median "$results/bare.painted")" \
    -v pp="$(median "$results/plain_controls.painted")" -v sp="$(median "$results/sorvane.painted")" 'BEGIN {
    printf "runs each:                       %d (interleaved, wine %s)\n", n, ENVIRON["WINE_VERSION"]
    printf "on screen, bare window:          %.1f ms median\n", bs / 1000
    printf "on screen, plain controls:       %.1f ms median  (%.3f x bare)\n", ps / 1000, ps / bs
    printf "on screen, sorvane.exe:          %.1f ms median  (%.3f x bare, %.3f x plain controls)\n", es / 1000, es / bs, es / ps
    printf "painted, bare window probe:      %.1f ms median\n", bp / 1000
    printf "painted, plain controls probe:   %.1f ms median  (%.3f x bare)\n", pp / 1000, pp / bp
    printf "painted, Sorvane window probe:   %.1f ms median  (%.3f x bare, %.3f x plain controls)\n", sp / 1000, sp / bp, sp / pp
    printf "sorvane.exe:                     %.2f MB\n", size / 1e6
}'
