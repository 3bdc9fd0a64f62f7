#!/usr/bin/env bash
# Drives the real sorvane program in an X server of its own (Xvfb with openbox)
# the way a keyboard user would: types the code 2412 and 51 points, presses
# "Calculate and Show", then checks airfoil.txt and looks for the red outline.
#   bash scripts/real_window.sh test BINARY
#   bash scripts/real_window.sh screenshot BINARY OUT.png   (also saves the window)
# With SORVANE_DESKTOP_FONT="DejaVu Sans 14" the program gets that desktop font,
# as a GNOME session hands it over.
set -euo pipefail

mode=${1:?usage: real_window.sh test|screenshot BINARY [OUT.png]}
binary=$(realpath "${2:?missing the sorvane binary}")
out=${3:-}
[ "$mode" = screenshot ] && out=$(realpath -m "${out:?missing OUT.png}")

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

source "$(dirname "$0")/x_session.sh"
start_x_session || fail "could not start an X server"
[ -z "${SORVANE_DESKTOP_FONT:-}" ] || use_desktop_font "$work/config" "$SORVANE_DESKTOP_FONT"

cd "$work"
# Under strace, to see the file reach the disk before it replaces the old one.
strace -f -y -qq -e trace=fsync,fdatasync,rename,renameat,renameat2 -o "$work/trace" \
    env QT_QPA_PLATFORM=xcb "$binary" >"$work/sorvane.log" 2>&1 &
pids+=($!)

wait_for 20 xdotool search --onlyvisible --name "NACA 4 digit airfoil" || fail "the main window did not appear"
window=$(xdotool search --onlyvisible --name "NACA 4 digit airfoil" | sed -n 1p)
activate "$window" || fail "the main window never got the keyboard focus"

# The focus starts on the button; five Tabs reach the code field, one more the
# count, and one more the button again, which Space presses.
xdotool key --delay 60 Tab Tab Tab Tab Tab ctrl+a
xdotool type --delay 40 "2412"
xdotool key --delay 60 Tab ctrl+a
xdotool type --delay 40 "51"
xdotool key --delay 60 Tab space

wait_for 10 test -s airfoil.txt || fail "airfoil.txt was not written"
# The folder's sync comes after the rename: once strace has logged it, the save is whole in the log.
folder_synced() { grep -q "fsync([0-9]*<$(pwd -P)>)" "$work/trace"; }
wait_for 10 folder_synced || fail "strace logged no sync of the folder after the save"
[ "$(head -n 1 airfoil.txt)" = "NACA 2412" ] || fail "header: $(head -n 1 airfoil.txt)"
[ "$(wc -l < airfoil.txt)" -eq 53 ] || fail "airfoil.txt has $(wc -l < airfoil.txt) lines, not 53"
[ "$(sed -n 3p airfoil.txt)" = " 1     1    -0.00126 " ] || fail "line 3: $(sed -n 3p airfoil.txt)"

# The temporary file is synced, then renamed over airfoil.txt, then the folder is synced.
order=$(sed -n -E \
    -e 's/.*f(data)?sync\([0-9]+<.*\/airfoil\.txt\.tmp-[0-9]+-[0-9]+>\).*/sync-temporary/p' \
    -e 's/.*rename(at2?)?\(.*airfoil\.txt\.tmp-[0-9]+-[0-9]+".*airfoil\.txt".*/rename/p' \
    -e "s|.*fsync\\([0-9]+<$(pwd -P)>\\).*|sync-folder|p" "$work/trace" | tr '\n' ' ')
[ "$order" = "sync-temporary rename sync-folder " ] || fail "save order under strace: '$order'"

import -window "$window" "$work/window.png"
red=$(convert "$work/window.png" txt:- | grep -c -i '#FA0000' || true)
[ "$red" -ge 200 ] || fail "only $red red pixels: no outline on screen"
echo "real window: airfoil.txt synced and written, $red red outline pixels on screen"

if [ "$mode" = screenshot ]; then
    cp "$work/window.png" "$out"
    echo "saved $out"
fi
