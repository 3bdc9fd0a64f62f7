#!/usr/bin/env bash
# Started with no display to open a window on, the program says so in one line
# naming the variables and exits with status 1: no core dump, no advice to reinstall.
#   bash tests/ui/no_display_test.sh BINARY
set -euo pipefail
binary=$(realpath "${1:?usage: no_display_test.sh BINARY}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# DISPLAY as set for each case, and what the line must say.
cases=("|neither DISPLAY (X11) nor WAYLAND_DISPLAY (Wayland) is set"
       ":59|cannot open a window on the display (DISPLAY=:59, WAYLAND_DISPLAY unset)")
for case in "${cases[@]}"; do
    display=${case%%|*} expected=${case#*|}
    status=0
    env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_RUNTIME_DIR DISPLAY="$display" \
        "$binary" >"$work/out" 2>"$work/err" </dev/null || status=$?
    [ "$status" -eq 1 ] || { echo "FAIL: DISPLAY='$display': exit status $status, not 1"; cat "$work/err"; exit 1; }
    [ "$(wc -l <"$work/err")" -eq 1 ] || { echo "FAIL: DISPLAY='$display': not one line:"; cat "$work/err"; exit 1; }
    grep -q -F "sorvane: " "$work/err" && grep -q -F "$expected" "$work/err" ||
        { echo "FAIL: DISPLAY='$display': $(cat "$work/err")"; exit 1; }
    [ ! -s "$work/out" ] || { echo "FAIL: DISPLAY='$display' printed on standard output"; exit 1; }
    echo "DISPLAY='$display': $(cat "$work/err")"
done
