# Sourced by scripts that need an X server of their own.

# wait_for SECONDS COMMAND...: runs the command every tenth of a second until it
# succeeds; fails if it never does within SECONDS.
wait_for() {
    local limit=$(( $1 * 10 )); shift
    for _ in $(seq "$limit"); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
    return 1
}

# start_x_session starts Xvfb on a display number the server claims itself
# (-displayfd: no race with another test choosing the same free number), then
# openbox, and returns once the window manager has taken the screen. It exports
# DISPLAY and adds both processes to the caller's pids array for its cleanup.
start_x_session() {
    local numbers display= xvfb
    numbers=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$numbers" >/dev/null 2>&1 &
    xvfb=$!
    pids+=("$xvfb")
    # The server writes its number and a newline once it takes connections.
    for _ in $(seq 100); do
        read -r display <"$numbers" && break
        kill -0 "$xvfb" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$numbers"
    [ -n "$display" ] || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$display"

    openbox >/dev/null 2>&1 &
    pids+=($!)
    wait_for 10 window_manager_running || { echo "openbox did not take the screen" >&2; return 1; }
}

# An EWMH window manager names its check window on the root window.
window_manager_running() {
    local check
    check=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null) || return 1
    [[ "$check" == *"window id #"* ]]
}

has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

# activate WINDOW: raises the window and returns once it has the keyboard
# focus, so that what is typed next reaches it; fails if it never gets it.
activate() {
    xdotool windowactivate --sync "$1" >/dev/null 2>&1 || has_focus "$1" || return 1
    wait_for 10 has_focus "$1"
}

# Hands Qt a desktop font as a GNOME session does: the GTK platform theme reads
# gtk-font-name from gtk-3.0/settings.ini in a configuration folder of its own.
#   use_desktop_font FOLDER "DejaVu Sans 10"
use_desktop_font() {
    mkdir -p "$1/gtk-3.0"
    printf '[Settings]\ngtk-font-name=%s\n' "$2" >"$1/gtk-3.0/settings.ini"
    export XDG_CONFIG_HOME=$1 QT_QPA_PLATFORMTHEME=gtk3
}
