# Sourced by scripts that need a Wayland compositor of their own:
# start_wayland_session FOLDER starts weston's headless backend with FOLDER as
# its private XDG_RUNTIME_DIR (so the machine's own is never touched), exports
# WAYLAND_DISPLAY and XDG_RUNTIME_DIR, unsets DISPLAY, and adds weston to the
# caller's pids array so its cleanup can end it.
start_wayland_session() {
    local runtime=$1 socket=sorvane-wayland
    mkdir -p "$runtime" && chmod 700 "$runtime"
    XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --no-config --idle-time=0 \
        --width=1024 --height=768 --socket=$socket >"$runtime/weston.log" 2>&1 &
    pids+=($!)
    local weston=$!
    for _ in $(seq 100); do
        [ -S "$runtime/$socket" ] && break
        kill -0 "$weston" 2>/dev/null || break
        sleep 0.1
    done
    if [ ! -S "$runtime/$socket" ]; then
        echo "weston did not start: $(tail -n 3 "$runtime/weston.log" | tr '\n' ' ')" >&2
        return 1
    fi
    export XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=$socket
    unset DISPLAY
}
