# What the real-window tests (Linux and wine) share: windows, the clipboard, screenshots and
# waits that poll. Source it with `set -euo pipefail`; it makes $work; a failing command ends the test.
trap 'echo "FAIL: ${BASH_SOURCE[0]##*/}:$LINENO: $BASH_COMMAND" >&2' ERR
fail() { echo "FAIL: $*" >&2; exit 1; }

. "$(dirname "${BASH_SOURCE[0]}")/../../tools/lib/x-display.sh"
work=$(mktemp -d)
cleanup() {
    set +e
    local pid
    for pid in ${APP_PID:-} ${COMPOSITOR_PID:-} ${WM_PID:-} ${XVFB_PID:-}; do kill "$pid" && wait "$pid"; done 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# Runs a command every 0.1 s until it succeeds, for up to $POLL_SECONDS (60) s of wall-clock time however
# long each run takes (a loaded machine makes fewer runs); prints what that run printed.
poll_until() {
    local deadline=$((SECONDS + ${POLL_SECONDS:-60}))
    until "$@" 2>/dev/null; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# States to poll for: a window with this title; a message box (titled
# "Vellumar", not the main window $1); no such window; $1 active; $1 ended.
window_titled() { local ids; ids=$(xdotool search --onlyvisible --name "^$1\$") && echo "${ids%%$'\n'*}"; }
message_box() { xdotool search --onlyvisible --name '^Vellumar$' | grep -vxm1 "$1"; }
no_window() { ! xdotool search --onlyvisible --name "^$1\$" >/dev/null; }
active() { [ "$(xdotool getactivewindow)" = "$1" ]; }
ended() { ! kill -0 "$1"; }

# Starts the program and activates its main window; sets APP_PID and main.
start_program() {
    "$@" &
    APP_PID=$!
    main=$(wait_for_window Vellumar)
    activate_window "$main"
}
wait_for_window() { poll_until window_titled "$1" || fail "window '$1' did not appear; $(describe_display)"; }
# What a failed wait saw: whether the program runs, and the visible windows.
describe_display() {
    local state=ended
    [ -n "${APP_PID:-}" ] && kill -0 "$APP_PID" 2>/dev/null && state=running
    echo "program $state; windows: $(xdotool search --onlyvisible --name . getwindowname %@ 2>&1 | paste -sd '|')"
}
wait_for_message_box() { poll_until message_box "$1" || fail "no message box"; }
wait_for_exit() { poll_until ended "$1" || fail "process $1 did not end"; wait "$1" 2>/dev/null || true; }
activated() { timeout 10 xdotool windowactivate --sync "$1" >/dev/null; active "$1"; }  # --sync alone may wait for ever
activate_window() { poll_until activated "$1" || fail "window $1 did not become active"; sleep 0.3; }

clipboard() { xclip -o -selection clipboard "$@"; }
# The clipboard once all of it matches the extended regex $1 and differs from $2.
clipboard_matching() {
    local now
    now=$(clipboard) && [[ $now =~ ^($1)$ ]] && [ "$now" != "${2-}" ] && printf '%s' "$now"
}
# Whether the clipboard (or with "-selection primary" PRIMARY) is marked as a secret.
secret_hint() { local types; types=$(xclip -o -selection clipboard -t TARGETS "$@") && grep -qx x-kde-passwordManagerHint <<<"$types"; }
clipboard_has() { local now; now=$(clipboard) && grep -qF "$@" <<<"$now"; }

screenshot() { mkdir -p "$(dirname "$2")"; import -window "$1" "$2"; }

# A saved list of 1000 default passwords: 7 of a-z0-9 and CR LF each, then CR LF.
has_size() { [ "$(stat -c %s "$1")" -eq "$2" ]; }
check_saved_list() {
    poll_until has_size "$1" 9002 || fail "$1 has $(stat -c %s "$1" 2>&1) bytes, not 9002"
    [ "$(grep -c -E $'^[a-z0-9]{7}\r$' "$1")" -eq 1000 ] || fail "$1 lacks 1000 password lines"
    [ "$(tail -c 4 "$1" | od -An -c | tr -d ' ')" = '\r\n\r\n' ] || fail "$1 does not end with an empty line"
}

# Linux: a private Xvfb with openbox (tools/lib/x-display.sh); exports DISPLAY.
start_display() {
    unset WAYLAND_DISPLAY
    export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$work/runtime}
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
    start_x_display 1024x768x24 || fail "no X display"
}

# Windows: the display and wine prefix of tools/windows-full-stage.sh.
need_wine() {
    [ -n "${DISPLAY:-}" ] && [ -n "${WINEPREFIX:-}" ] && return 0
    echo "SKIP: needs DISPLAY and WINEPREFIX (tools/windows-full-stage.sh sets them up)" >&2
    exit 77
}
# Unpacks the zip $1 into a folder named in Cyrillic (beyond a Western ANSI
# code page) and starts vellumar.exe from it; sets folder, APP_PID and main.
start_unpacked() {  # the zip, the folder's name (default: Cyrillic, beyond the ANSI code page)
    local zip unpacked="$work/${2:-Пароли}"
    zip=$(readlink -f "$1")
    mkdir "$unpacked"
    (cd "$unpacked" && cmake -E tar xf "$zip")
    folder=$(dirname "$(find "$unpacked" -name vellumar.exe)")
    start_program wine "$folder/vellumar.exe"
}
# The Windows name of a host path (wine's drive Z: is the host's root).
windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }

# Wayland: compositors, the program and the tools run as nobody when the test runs as root (sway refuses
# root), in a private runtime folder; no X display.
user=()
[ "$(id -u)" != 0 ] || user=(setpriv --reuid 65534 --regid 65534 --clear-groups)
as_user() { "${user[@]}" "$@"; }
wayland_runtime() {
    unset DISPLAY WAYLAND_DISPLAY
    export QT_QPA_PLATFORM=wayland XDG_RUNTIME_DIR=$work/runtime
    chmod 711 "$work"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    [ "$(id -u)" != 0 ] || chown 65534:65534 "$XDG_RUNTIME_DIR"
}
wayland_socket() { local socket; socket=$(cd "$XDG_RUNTIME_DIR" && ls wayland-[0-9]) && echo "$socket"; }
wl_clipboard() { as_user timeout 10 wl-paste -n "$@"; }
wl_secret_hint() { local types; types=$(wl_clipboard --list-types) && grep -qx x-kde-passwordManagerHint <<<"$types"; }
# Presses Alt with each key, in one wtype call with pauses around (separate calls lose keys).
alt_keys() { local args=() key; for key; do args+=(-s 300 -M alt -k "$key" -m alt); done; as_user wtype "${args[@]}" -s 700; }
# The clipboard owner process of the program $1 on platform $2 (one at most).
owner_of() { pgrep -f -x -- "$1 --internal-clipboard-owner $2"; }
