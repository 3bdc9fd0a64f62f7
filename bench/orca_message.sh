#!/usr/bin/env bash
# What a screen reader says of the page's message after a cancelled folder
# picker: Orca over Chromium (an --app window of its own, as an installed page
# runs), in an X server, a session bus and an accessibility bus of its own,
# with a speech-dispatcher whose output module says nothing aloud. The page's
# button is pressed from the keyboard, the real folder picker cancelled with
# Escape, and Orca's own log of what it spoke is read.
#   bash bench/orca_message.sh SITE_FOLDER
# Prints every line Orca spoke from the press on, and fails if the message's
# text is not among them; with SORVANE_ORCA_LOG=FILE a failed run leaves
# Orca's whole log there.
set -euo pipefail
site=$(realpath "${1:?usage: orca_message.sh SITE_FOLDER}")
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    pkill -KILL -f -- "--user-data-dir=$work/profile" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

source "$here/../scripts/x_session.sh"
start_x_session || fail "could not start an X server"

# speech-dispatcher's dummy module: Orca speaks, nothing is heard.
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime HOME=$work/home
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher" "$XDG_RUNTIME_DIR" "$HOME"
chmod 700 "$XDG_RUNTIME_DIR"
cat >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<'CONF'
AddModule "dummy" "sd_dummy" ""
DefaultModule dummy
AudioOutputMethod "oss"
CONF

python3 -m http.server --bind 127.0.0.1 --directory "$site" 0 >"$work/server.log" 2>&1 &
pids+=($!)
server_port() { sed -n 's/.* port \([0-9]*\) .*/\1/p' "$work/server.log"; }
server_started() { [ -n "$(server_port)" ]; }
wait_for 10 server_started || fail "the site's server did not start"
port=$(server_port)

cat >"$work/session.sh" <<SESSION
set -euo pipefail
# Orca, the browser and the bus end with the session: asked first, then made to.
finish() {
    local started=\$(jobs -p)
    kill \$started 2>/dev/null || true
    ended() { ! kill -0 \$started 2>/dev/null; }
    wait_for 5 ended || kill -KILL \$started 2>/dev/null || true
}
trap finish EXIT
source "$here/../scripts/x_session.sh"
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
gsettings set org.gnome.desktop.a11y.applications screen-reader-enabled true 2>/dev/null || true
orca --replace --debug-file "$work/orca.log" >/dev/null 2>&1 &
wait_for 20 grep -q 'SPEECH OUTPUT' "$work/orca.log" || { echo "Orca never spoke"; exit 1; }
chromium --app=http://127.0.0.1:$port/ --user-data-dir="$work/profile" --no-sandbox --disable-gpu --no-first-run \\
    --disable-background-networking --disable-component-update --disable-sync --disable-quic \\
    --force-renderer-accessibility --window-size=900,700 >"$work/chromium.log" 2>&1 &
main_window() { xdotool search --onlyvisible --name 'NACA 4 digit airfoil' | sed -n 1p; }
wait_for 30 main_window || { echo "the page's window did not appear"; exit 1; }
activate "\$(main_window)" || { echo "the page's window never got the focus"; exit 1; }
# Orca has read the window once the button's name is in its log.
wait_for 30 grep -q "SPEECH OUTPUT: 'Calculate and Show" "$work/orca.log" || { echo "Orca did not read the button"; exit 1; }
date +%H:%M:%S.%N >"$work/pressed"
xdotool key space
# The picker, where it stays open long enough to be found (here it may close by
# itself at once), is cancelled as a person does; the key goes to it alone,
# never to the page, where Escape would close the message.
picker() { xdotool search --onlyvisible --name '^Select where this site can save changes' | sed -n 1p; }
if wait_for 5 picker; then
    echo "picker: cancelled with Escape"
    xdotool key --window "\$(picker)" Escape 2>/dev/null || true
fi
spoken() { grep -a -q "SPEECH OUTPUT: '.*no folder was chosen" "$work/orca.log"; }
wait_for 20 spoken || { echo "Orca did not speak the message"; exit 1; }
SESSION
status=0
timeout 180 dbus-run-session -- bash "$work/session.sh" || status=$?
echo "What Orca spoke from the press on:"
pressed=$(cat "$work/pressed" 2>/dev/null || echo 99)
grep -a 'SPEECH OUTPUT' "$work/orca.log" | awk -v from="$pressed" '$1 >= from' || true
if [ "$status" -ne 0 ]; then
    [ -z "${SORVANE_ORCA_LOG:-}" ] || cp "$work/orca.log" "$SORVANE_ORCA_LOG"
    fail "status $status"
fi
