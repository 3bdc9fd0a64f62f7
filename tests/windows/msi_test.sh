#!/usr/bin/env bash
# Installs, starts, upgrades and uninstalls the MSI under wine, in a fresh
# prefix with a HOME of its own (wine links the prefix's Documents to $HOME),
# in an X server and wine server of its own.
#   bash tests/windows/msi_test.sh VERSION SORVANE_EXE
# Output is captured before it is matched: under pipefail, a grep -q or head
# that stops reading early may kill its writer and fail the pipeline by chance.
set -euo pipefail
version=${1:?usage: msi_test.sh VERSION SORVANE_EXE}
exe=$(realpath "${2:?missing sorvane.exe}")
here=$(cd "$(dirname "$0")" && pwd)
build_msi="$here/../../packaging/windows/build_msi.sh"
# The same sources, one patch release later.
IFS=. read -r major minor patch <<<"$version"
newer="$major.$minor.$((patch + 1))"

work=$(mktemp -d)
wine=/usr/lib/wine/wine64
export HOME="$work/home" WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$HOME"
pids=()
cleanup() {
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL (msi): $*" >&2; exit 1; }
bash "$build_msi" "$version" "$exe" "$work/sorvane-$version-x64.msi"
bash "$build_msi" "$newer" "$exe" "$work/sorvane-$newer-x64.msi"
table() { msiinfo export "$work/sorvane-$version-x64.msi" "$1"; }
conditions=$(table LaunchCondition)
grep -q "A newer version of Sorvane is already installed" <<<"$conditions" ||
    fail "the MSI has no message for an older version"
# Add/Remove Programs shows the program's icon (wine's installer does not write it out).
properties=$(table Property)
grep -q $'^ARPPRODUCTICON\tSorvaneIcon' <<<"$properties" || fail "no icon for Add/Remove Programs"
icons=$(table Icon)
grep -q '^SorvaneIcon' <<<"$icons" || fail "the icon is not in the MSI"

source "$here/../../scripts/x_session.sh"
start_x_session || fail "could not start an X server"
"$wine" wineboot -i </dev/null >/dev/null 2>&1 || fail "wineboot failed"

drive_c="$WINEPREFIX/drive_c"
program="$drive_c/Program Files/Sorvane"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
# The Add/Remove Programs entries named Sorvane, one "version" line each.
entries() {
    "$wine" reg query "$uninstall_key" /s 2>/dev/null | tr -d '\r' |
        awk '/DisplayName +REG_SZ +Sorvane$/ {found = 1} /DisplayVersion/ && found {print $3; found = 0}'
}
shortcut() { find "$drive_c" -name Sorvane.lnk | sed -n 1p; }

"$wine" msiexec /i "$work/sorvane-$version-x64.msi" /qn || fail "msiexec /i failed"
for file in sorvane.exe LICENSE.txt README.txt; do
    [ -f "$program/$file" ] || fail "$file is not in Program Files\\Sorvane"
done
[ -n "$(shortcut)" ] || fail "no Start menu shortcut"
[ "$(entries)" = "$version" ] || fail "Add/Remove Programs: '$(entries)', not $version"
echo "installed: Program Files\\Sorvane, the shortcut $(basename "$(shortcut)"), one entry $version"

# Started from the Start menu, it works in Documents: calculates once with
# the design's defaults and closes.
main_window() { xdotool search --onlyvisible --name "NACA 4 digit airfoil" | sed -n 1p; }
calculate_from_start_menu() {  # calculate_from_start_menu DOCUMENTS
    "$wine" start /unix "$(realpath "$(shortcut)")"
    wait_for 60 main_window || fail "the program did not start from the shortcut"
    activate "$(main_window)" || fail "the main window never got the keyboard focus"
    xdotool key space
    wait_for 10 test -s "$1/airfoil.txt" || fail "airfoil.txt did not appear in $1"
    [ "$(head -n 1 "$1/airfoil.txt" | tr -d '\r')" = "NACA 0012" ] || fail "airfoil.txt: $(head -n 1 "$1/airfoil.txt")"
    xdotool key alt+F4
    wait_for 15 bash -c '! pgrep -x sorvane.exe' || fail "the program did not end"
}
calculate_from_start_menu "$HOME"
echo "started from the shortcut: airfoil.txt in Documents"

# Another person's Documents, as a second account's profile would have it: the
# shortcut carries no folder of the account that installed, so the file goes
# to whoever starts the program, and the installer's Documents keep theirs.
others="$work/other-documents"
mkdir -p "$others"
echo "the installing account's own file" >>"$HOME/airfoil.txt"
kept=$(cat "$HOME/airfoil.txt")
folders='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer'
for key in 'User Shell Folders' 'Shell Folders'; do
    "$wine" reg add "$folders\\$key" /v Personal /t REG_SZ /d "$("$wine" winepath -w "$others" | tr -d '\r')" /f \
        >/dev/null || fail "could not move Documents"
done
calculate_from_start_menu "$others"
[ "$(cat "$HOME/airfoil.txt")" = "$kept" ] || fail "the installing account's airfoil.txt was rewritten"
echo "another user's start: airfoil.txt in that user's Documents, the first Documents untouched"

"$wine" msiexec /i "$work/sorvane-$newer-x64.msi" /qn || fail "the upgrade failed"
[ "$(entries)" = "$newer" ] || fail "after the upgrade: '$(entries)', not one entry $newer"
if "$wine" msiexec /i "$work/sorvane-$version-x64.msi" /qn /l*v 'C:\downgrade.log'; then
    fail "the older MSI installed over the newer one"
fi
downgrade=$(tr -d '\0' <"$drive_c/downgrade.log")
grep -q 'WIX_DOWNGRADE_DETECTED = {' <<<"$downgrade" || fail "the older MSI was refused for another reason"
[ "$(entries)" = "$newer" ] || fail "the refused older MSI changed the entries: '$(entries)'"
echo "upgraded in place to $newer; $version refused"

"$wine" msiexec /x "$work/sorvane-$newer-x64.msi" /qn || fail "msiexec /x failed"
[ ! -e "$program" ] || fail "Program Files\\Sorvane is still there"
[ -z "$(shortcut)" ] || fail "the shortcut is still there"
[ -z "$(entries)" ] || fail "the Add/Remove Programs entry is still there"
[ -f "$HOME/airfoil.txt" ] || fail "uninstalling removed the user's airfoil.txt"
echo "uninstalled: no program files, shortcut or entry; airfoil.txt kept"
