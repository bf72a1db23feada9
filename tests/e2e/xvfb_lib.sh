# Shared by the real-window tests: start a private Xvfb, find windows, press
# keys, take screenshots. Source it from a bash script with `set -euo pipefail`.

# A command that fails ends the test with its line, so a failure never
# passes silently.
trap 'echo "FAIL: ${BASH_SOURCE[0]##*/}:$LINENO: $BASH_COMMAND" >&2' ERR

# Starts Xvfb on a free display and exports DISPLAY; stops it on exit. The
# display is used only once a client has connected to it: a server that was
# given a display but cannot serve it (one that is still going away, say) is
# replaced by a new one.
start_xvfb() {
    local size=${1:-1024x768x24}
    unset WAYLAND_DISPLAY
    export QT_QPA_PLATFORM=xcb
    export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
    chmod 700 "$XDG_RUNTIME_DIR"
    trap 'stop_xvfb' EXIT
    local attempt i fdfile display
    for attempt in 1 2 3; do
        fdfile=$(mktemp)
        # -noreset: otherwise the server resets whenever its last client
        # leaves, and a client that connects meanwhile is refused.
        Xvfb -displayfd 3 -screen 0 "$size" -nolisten tcp -noreset 3>"$fdfile" >/dev/null 2>&1 &
        XVFB_PID=$!
        for i in $(seq 1 100); do
            [ -s "$fdfile" ] && break
            sleep 0.05
        done
        display=$(head -n1 "$fdfile")
        rm -f "$fdfile"
        if [ -n "$display" ]; then
            for i in $(seq 1 50); do
                if xdpyinfo -display ":$display" >/dev/null 2>&1; then
                    export DISPLAY=":$display"
                    return 0
                fi
                sleep 0.1
            done
        fi
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    done
    echo "Xvfb did not start" >&2
    return 1
}

stop_xvfb() {
    [ -n "${APP_PID:-}" ] && kill "$APP_PID" 2>/dev/null || true
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
    wait 2>/dev/null || true
}

# Waits until a visible window with this exact title exists; prints its id.
wait_for_window() {
    local title=$1 i id
    for i in $(seq 1 200); do
        id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.05
    done
    echo "window '$title' did not appear" >&2
    return 1
}

# Gives the window the keyboard focus (there is no window manager).
focus_window() {
    xdotool windowfocus --sync "$1"
    sleep 0.2
}

# Saves a PNG of one window.
screenshot_window() {
    local id=$1 file=$2
    mkdir -p "$(dirname "$file")"
    import -window "$id" "$file"
}

# Polls a command until it prints the expected text (or times out).
wait_for_output() {
    local expected=$1
    shift
    local i out=""
    for i in $(seq 1 100); do
        out=$("$@" 2>/dev/null || true)
        [ "$out" = "$expected" ] && return 0
        sleep 0.05
    done
    echo "expected '$expected' from '$*', got '$out'" >&2
    return 1
}

# Polls a command until its output matches an extended regular expression.
wait_for_output_matching() {
    local pattern=$1 i out=""
    shift
    for i in $(seq 1 200); do
        out=$("$@" 2>/dev/null || true)
        grep -Eq "$pattern" <<<"$out" && return 0
        sleep 0.05
    done
    fail "'$*' gave '$out', not $pattern"
}

clipboard() { xclip -o -selection clipboard 2>/dev/null; }

# Waits until the program started in the background as APP_PID has ended.
wait_for_exit() {
    local i
    for i in $(seq 1 200); do
        kill -0 "$APP_PID" 2>/dev/null || { wait "$APP_PID" || true; return 0; }
        sleep 0.05
    done
    fail "the program did not end"
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
