# Shared by the real-window tests of the Windows program under wine. Source
# it from a bash script with `set -euo pipefail`.
#
# The caller (tools/windows-full-stage.sh) provides the X display with a
# window manager, and a wine prefix whose server and desktop stay up for the
# whole run (so the clipboard outlives the program as it does on Windows).
# Without them the tests are skipped (exit code 77).

if [ -z "${DISPLAY:-}" ] || [ -z "${WINEPREFIX:-}" ]; then
    echo "SKIP: needs DISPLAY and WINEPREFIX (tools/windows-full-stage.sh sets them up)" >&2
    exit 77
fi

# A command that fails ends the test with its line, so a failure never
# passes silently.
trap 'echo "FAIL: ${BASH_SOURCE[0]##*/}:$LINENO: $BASH_COMMAND" >&2' ERR

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Waits (up to about 30 s: wine on a loaded machine is slow to start) until a
# visible window with this exact title exists; prints its id.
wait_for_window() {
    local title=$1 i id
    for i in $(seq 1 300); do
        id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    echo "window '$title' did not appear" >&2
    return 1
}

# Waits until the program shows a window that is not one of the given ones
# (wine's common dialogs have no title to look for); prints its id.
wait_for_new_window() {
    local i id known
    for i in $(seq 1 300); do
        for id in $(xdotool search --onlyvisible --class '^vellumar\.exe$' 2>/dev/null || true); do
            for known in "$@"; do [ "$id" = "$known" ] && continue 2; done
            echo "$id"
            return 0
        done
        sleep 0.1
    done
    echo "no new window appeared" >&2
    return 1
}

# Waits for a message box of the program: a second visible window titled
# like the main window (whose id is given); prints its id.
wait_for_message_box() {
    local main=$1 i box
    for i in $(seq 1 300); do
        box=$(xdotool search --onlyvisible --name '^Vellumar$' 2>/dev/null | grep -vx "$main" | head -n1 || true)
        if [ -n "$box" ]; then
            echo "$box"
            return 0
        fi
        sleep 0.1
    done
    fail "no message box"
}

# Runs a command every 0.1 s, for up to about 30 s, until it succeeds.
poll_until() {
    local i
    for i in $(seq 1 300); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
no_window_titled() { ! xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
process_ended() { ! kill -0 "$1" 2>/dev/null; }

# Waits until no visible window has this title.
wait_for_no_window() { poll_until no_window_titled "$1" || fail "window '$1' is still there"; }

# Makes the window the active one (through the window manager) and waits
# until it is.
activate_window() {
    local id=$1 i
    for i in $(seq 1 50); do
        xdotool windowactivate --sync "$id" >/dev/null 2>&1 || true
        [ "$(xdotool getactivewindow 2>/dev/null || true)" = "$id" ] && { sleep 0.3; return 0; }
        sleep 0.1
    done
    fail "window $id did not become active"
}

# Waits until a file exists.
wait_for_file() { poll_until test -e "$1" || fail "$1 did not appear"; }

# Waits until the process has ended.
wait_for_exit() {
    poll_until process_ended "$1" || fail "process $1 did not end"
    wait "$1" 2>/dev/null || true
}

screenshot_window() {
    local id=$1 file=$2
    mkdir -p "$(dirname "$file")"
    import -window "$id" "$file"
}

# Unpacks the zip into a fresh folder as a user would; prints the folder of
# vellumar.exe.
unpack_program() {
    local zip=$1 into=$2
    mkdir -p "$into"
    zip=$(readlink -f "$zip")
    (cd "$into" && cmake -E tar xf "$zip")
    dirname "$(find "$into" -name vellumar.exe | head -n1)"
}

# The Windows name of a host path (wine's drive Z: is the host's root).
windows_path() {
    printf 'Z:%s' "$1" | tr / '\\'
}

# Starts the program; sets APP_PID. Anything still running is ended on exit.
start_program() {
    wine "$1" >/dev/null 2>&1 &
    APP_PID=$!
}
end_program() {
    if [ -n "${APP_PID:-}" ]; then
        kill "$APP_PID" 2>/dev/null || true
        wait "$APP_PID" 2>/dev/null || true
    fi
    APP_PID=
}
