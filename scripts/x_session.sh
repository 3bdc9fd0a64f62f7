# Sourced by scripts that need an X server of their own.

# wait_for SECONDS COMMAND...: runs the command every tenth of a second until it succeeds.
wait_for() {
    local limit=$(( $1 * 10 )); shift
    for _ in $(seq "$limit"); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
    return 1
}

# start_x_session FIRST LAST picks a free display number in that range,
# starts Xvfb and openbox on it, exports DISPLAY, and adds both processes to
# the caller's pids array so its cleanup can end them.
start_x_session() {
    local first=$1 last=$2 n display=
    for n in $(seq "$first" "$last"); do
        if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=$n; break; fi
    done
    [ -n "$display" ] || { echo "no free X display number" >&2; return 1; }

    Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
    [ -e "/tmp/.X11-unix/X$display" ] || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$display"

    openbox >/dev/null 2>&1 &
    pids+=($!)
    sleep 0.5
}

# Hands Qt a desktop font as a GNOME session does: the GTK platform theme reads
# gtk-font-name from gtk-3.0/settings.ini in a configuration folder of its own.
#   use_desktop_font FOLDER "DejaVu Sans 10"
use_desktop_font() {
    mkdir -p "$1/gtk-3.0"
    printf '[Settings]\ngtk-font-name=%s\n' "$2" >"$1/gtk-3.0/settings.ini"
    export XDG_CONFIG_HOME=$1 QT_QPA_PLATFORMTHEME=gtk3
}
