#!/usr/bin/env bash
# Drives the real sorvane.exe under wine, in an X server of its own (Xvfb with
# openbox) and a wine server of its own, as a keyboard user would.
#   bash tests/windows/real_window.sh plain|dpi144|large-font SORVANE_EXE PROBE_EXE LAYOUT_TESTS_EXE [OUT.png]
# plain: the calculation, the result fields read through the clipboard, the
# file byte for byte, the outline on screen, Enter in a field, the messages, a
# folder and a read-only file in the way, About once only, and closing.
# dpi144: the system at 144 dots per inch (LogPixels). large-font: a message
# font of 18 pt (WindowMetrics). Both: the window at its new size, and a calculation.
# Each setting first runs the layout tests in the same session: every caption whole.
# With OUT.png, a screenshot of the main window is kept there.
set -euo pipefail

setting=${1:?usage: real_window.sh plain|dpi144|large-font SORVANE_EXE PROBE_EXE LAYOUT_TESTS_EXE [OUT.png]}
exe=$(realpath "${2:?missing sorvane.exe}")
probe=$(realpath "${3:?missing the window probe}")
layout_tests=$(realpath "${4:?missing the layout tests}")
out=${5:+$(realpath -m "$5")}
here=$(cd "$(dirname "$0")" && pwd)
expected="$here/../expected/airfoil_2412_31.txt"

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
work=$(mktemp -d)
# A new prefix of this test's own: its wine server meets only this X server,
# and no other test's prefix or server.
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

pids=()
cleanup() {
    "$wineserver" -k 2>/dev/null || true
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL ($setting): $*" >&2
    [ -z "${SORVANE_FAILED_SCREEN:-}" ] || import -window root "$SORVANE_FAILED_SCREEN" 2>/dev/null || true
    exit 1
}

source "$here/../../scripts/x_session.sh"
start_x_session || fail "could not start an X server"
"$wine" wineboot -i </dev/null >/dev/null 2>&1 || fail "wineboot failed"

# The setting, in the prefix's registry as Windows' display and text-size settings leave it.
desktop='HKCU\Control Panel\Desktop'
metrics="$desktop\\WindowMetrics"
"$wine" reg delete "$desktop" /v LogPixels /f >/dev/null 2>&1 || true
"$wine" reg delete "$metrics" /v MessageFont /f >/dev/null 2>&1 || true
case "$setting" in
    plain) client_expected="462 322 96" ;;
    dpi144)
        "$wine" reg add "$desktop" /v LogPixels /t REG_DWORD /d 144 /f >/dev/null
        client_expected="693 483 144" ;;
    large-font)
        # A LOGFONTW: 18 pt (24 px at 96 dpi), regular, the system's dialog face.
        face=$(printf 'MS Shell Dlg' | iconv -t UTF-16LE | od -An -tx1 | tr -d ' \n')
        font="E8FFFFFF""00000000""00000000""00000000""90010000""00000000""00000000""$face"
        font=$(printf '%-184s' "$font" | tr ' ' 0)
        "$wine" reg add "$metrics" /v MessageFont /t REG_BINARY /d "$font" /f >/dev/null
        client_expected="" ;;
    *) fail "unknown setting" ;;
esac
"$wineserver" -w

"$wine" "$layout_tests" --gtest_brief=1 </dev/null >"$work/layout.log" 2>&1 ||
    { tr -d '\r' <"$work/layout.log" >&2; fail "the layout tests failed"; }
tr -d '\r' <"$work/layout.log" | grep -E 'NOTE|PASSED' || true

cd "$work"
"$wine" "$exe" >"$work/sorvane.log" 2>&1 &
pids+=($!)
sorvane_pid=$!

main_window() { xdotool search --onlyvisible --name "NACA 4 digit airfoil" | sed -n 1p; }
wait_for 60 main_window || fail "the main window did not appear"
window=$(main_window)
activate "$window" || fail "the main window never got the keyboard focus"

read -r width height dpi < <("$wine" "$probe" client | tr -d '\r')
echo "client area: $width x $height at $dpi dpi"
if [ -n "$client_expected" ]; then
    [ "$width $height $dpi" = "$client_expected" ] || fail "client area $width x $height at $dpi dpi, not $client_expected"
else
    # A larger font grows the whole design by one factor.
    awk -v w="$width" -v h="$height" 'BEGIN { exit !(w > 462 * 1.3 && (w / 462) / (h / 322) > 0.98 && (w / 462) / (h / 322) < 1.02) }' ||
        fail "the window did not grow in proportion for the large font: $width x $height"
fi

# The focus starts on the button; five Tabs reach the code field, one more the
# count, and one more the button again, which Space presses.
xdotool key --delay 80 Tab Tab Tab Tab Tab ctrl+a
xdotool type --delay 50 "2412"
xdotool key --delay 80 Tab ctrl+a
xdotool type --delay 50 "31"
xdotool key --delay 80 Tab space
wait_for 10 test -s airfoil.txt || fail "airfoil.txt was not written"
sed 's/$/\r/' "$expected" | cmp - airfoil.txt || fail "airfoil.txt differs from $expected with CR LF line ends"

import -window "$window" "$work/window.png"
red=$(convert "$work/window.png" txt:- | grep -c -i '#FA0000' || true)
[ "$red" -ge 150 ] || fail "only $red red pixels: no outline on screen"
echo "$setting: airfoil.txt byte for byte, $red red outline pixels on screen"
[ -z "$out" ] || cp "$work/window.png" "$out"
[ "$setting" = plain ] || exit 0

# The result fields, as a person copies them: Tab from the button passes the
# drawing box, then camber, thickness and camber position.
clipboard() { xclip -o -selection clipboard 2>/dev/null | tr -d '\r'; }
# copy_field [KEYS...]: the keys (Tab by default), then the focused field once it reaches the clipboard.
copy_field() {
    local before copied
    before=$(clipboard)
    xdotool key --delay 80 "${@:-Tab}" ctrl+a ctrl+c
    clipboard_changed() { copied=$(clipboard) && [ -n "$copied" ] && [ "$copied" != "$before" ]; }
    wait_for 10 clipboard_changed || fail "nothing new reached the clipboard after ${*:-Tab} ctrl+c"
    echo "$copied"
}
xdotool key --delay 80 Tab
results="$(copy_field) $(copy_field) $(copy_field)"
[ "$results" = "0.02 0.12 0.4" ] || fail "result fields: $results"

# Enter in a field runs nothing: the window has no default button. Keys are handled
# in order, so a calculation Enter started would have written its file before the copy.
rm airfoil.txt
xdotool key --delay 80 Tab Return
[ "$(copy_field ctrl+End)" = 2412 ] || fail "the code field did not hold 2412 after Enter"
[ ! -e airfoil.txt ] || fail "Enter in the code field ran the calculation"

message_box() { xdotool search --onlyvisible --name '^Sorvane$' | sed -n 1p; }
# expect_message TEXT_PART: a message box opens with it, and Enter on OK closes it.
expect_message() {
    wait_for 10 message_box || fail "no message box for: $1"
    local text
    text=$("$wine" "$probe" message | tr -d '\r')
    [[ "$text" == *"$1"* ]] || fail "message '$text' lacks '$1'"
    activate "$(message_box)" || fail "the message box never got the keyboard focus"
    xdotool key Return
    wait_for 10 bash -c '! xdotool search --onlyvisible --name "^Sorvane$" >/dev/null' || fail "the message box stayed"
    echo "message: $text"
}
# calculate CODE: types the code, then presses the button from the keyboard.
calculate() {
    activate "$window" || fail "the main window never got the keyboard focus back"
    xdotool key --delay 80 ctrl+a
    xdotool type --delay 50 "$1"
    xdotool key --delay 80 Tab Tab space
}

calculate 2012
expect_message "Max Camber point must be between the leading and trailing edges ( 0 <xF< 1 ) !"
[ ! -e airfoil.txt ] || fail "a refused code wrote airfoil.txt"

# The focus came back to the button; Tab five times reaches the code again.
mkdir airfoil.txt
xdotool key --delay 80 Tab Tab Tab Tab Tab
calculate 0012
expect_message "airfoil.txt"
[ -d airfoil.txt ] || fail "the folder named airfoil.txt is gone"
rmdir airfoil.txt

printf 'kept\r\n' >airfoil.txt
chmod 444 airfoil.txt
xdotool key --delay 80 Tab Tab Tab Tab Tab
calculate 0012
expect_message "read-only"
[ "$(cat airfoil.txt)" = "$(printf 'kept\r')" ] || fail "the read-only airfoil.txt was changed"

# About from the menu bar's one entry (Alt, then Enter), twice: one window.
# The program itself says when About is in front (the window manager may keep the X focus).
about_windows() { "$wine" "$probe" about | tr -d '\r'; }
about_in_front() { [[ "$(about_windows)" == *front ]]; }
about_behind() { [[ "$(about_windows)" != *front ]]; }
for _ in 1 2; do
    activate "$window" || fail "the main window never got the keyboard focus back"
    wait_for 10 about_behind || fail "the main window did not come to the front"
    xdotool key --delay 150 alt Return
    wait_for 10 about_in_front || fail "About did not come to the front"
done
[ "$(about_windows)" = "1 front" ] || fail "About windows: $(about_windows)"
about=$(xdotool search --onlyvisible --name '^About$' | sed -n 1p)
import -window "$about" "$work/about.png"
yellow=$(convert "$work/about.png" txt:- | grep -c -i '#FFFFC0' || true)
green=$(convert "$work/about.png" txt:- | grep -c -i '#008000' || true)
[ "$yellow" -gt 20000 ] && [ "$green" -gt 50 ] || fail "About shows $yellow yellow and $green green pixels"

# Closing the main window first leaves About and the program; closing About ends it.
activate "$window" || fail "the main window never got the keyboard focus back"
xdotool key alt+F4
wait_for 10 bash -c '! xdotool search --onlyvisible --name "NACA 4 digit airfoil" >/dev/null' || fail "the main window stayed"
# That nothing ends has no event to wait for: the program is given two seconds to end, and must not.
program_ended() { ! kill -0 "$sorvane_pid" 2>/dev/null; }
! wait_for 2 program_ended || fail "the program ended with About still open"
activate "$about" || fail "About never got the keyboard focus"
xdotool key alt+F4
wait_for 15 bash -c "! kill -0 $sorvane_pid 2>/dev/null" || fail "the program did not end with its last window"
echo "plain: results, Enter, three messages, one About, closing: as designed"
