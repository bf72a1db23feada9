#!/usr/bin/env bash
# On sway (wlroots' data-control, headless): each way to end the program leaves its password on the
# clipboard, marked secret, in the owner process, which ends once another program copies.
# Argument: the program.
set -euo pipefail
program=$1
. "$(dirname "$0")/window_lib.sh"
wayland_runtime
: >"$work/sway.conf"
WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 "${user[@]}" sway -c "$work/sway.conf" \
    >"$work/sway.log" 2>&1 &
COMPOSITOR_PID=$!
WAYLAND_DISPLAY=$(poll_until wayland_socket) || fail "sway did not start: $(cat "$work/sway.log")"
SWAYSOCK=$(poll_until ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock) || fail "sway has no IPC socket"
export WAYLAND_DISPLAY SWAYSOCK
clipboard() { wl_clipboard; }

for way in copy-close copy-exit close-box sigterm; do
    "${user[@]}" "$program" &
    APP_PID=$!
    poll_until as_user swaymsg "[pid=$APP_PID] focus" >/dev/null || fail "$way: no window"
    case $way in
    copy-close) alt_keys p c ;;
    *)
        alt_keys p w
        poll_until clipboard_matching '[a-z0-9]{7}' >/dev/null || fail "$way: nothing copied"
        case $way in
        copy-exit) alt_keys e ;;
        close-box) as_user swaymsg "[pid=$APP_PID] kill" >/dev/null ;;
        sigterm) kill -TERM "$APP_PID" ;;
        esac ;;
    esac
    wait_for_exit "$APP_PID"
    password=$(poll_until clipboard_matching '[a-z0-9]{7}') || fail "$way: clipboard '$(clipboard)'"
    wl_secret_hint || fail "$way: no secret hint"
    owner=$(owner_of "$program" wayland) || fail "$way: no owner process"
    as_user wl-copy other
    poll_until ended "$owner" || fail "$way: the owner did not end"
    [ "$(clipboard)" = other ] || fail "$way: clipboard after the owner: '$(clipboard)'"
    echo "$way: $password kept"
done
