#!/usr/bin/env bash
# On weston (no data-control: it keeps its own copy of the clipboard once it has read it), in its window
# on a private Xvfb: "Copy and Close" leaves the password readable, natively and through weston's
# Xwayland, whose window manager owns CLIPBOARD_MANAGER (there for X11 and Wayland, marked secret, until
# another program copies). Argument: the program.
set -euo pipefail
# Weston's Xwayland takes the lowest free display: as root, with sockets of its own.
if [ "$(id -u)" = 0 ] && [ -z "${OWN_X11_UNIX:-}" ]; then
    OWN_X11_UNIX=1 exec unshare --mount --propagation private "$0" "$@"
fi
[ -z "${OWN_X11_UNIX:-}" ] || mount -t tmpfs tmpfs /tmp/.X11-unix
program=$1
. "$(dirname "$0")/window_lib.sh"
start_display
printf '[core]\nidle-time=0\n[shell]\nlocking=false\npanel-position=none\n' >"$work/weston.ini"
weston --config="$work/weston.ini" --backend=x11-backend.so --socket=weston --xwayland >"$work/weston.log" 2>&1 &
COMPOSITOR_PID=$!
window=$(poll_until xdotool search --onlyvisible --class '^weston') || fail "no weston: $(cat "$work/weston.log")"
activate_window "${window%%$'\n'*}"
export WAYLAND_DISPLAY=weston
xwayland=$(poll_until grep -o 'xserver listening on display :[0-9]*' "$work/weston.log") || fail "no Xwayland"
xwayland=${xwayland##* }
clipboard() { timeout 10 wl-paste -n; }
# Keys reach the program: on Wayland once its protocol log shows the keyboard; through Xwayland once
# Copy Without Closing has copied a new password (read there: wl-paste would take the keyboard).
reached() { if [ "$1" = wayland ]; then grep -q 'wl_keyboard@[0-9]*\.enter' "$work/app.log"; else
    local now; xdotool key alt+p alt+w && now=$(DISPLAY=$xwayland xclip -o -selection clipboard) &&
    [[ $now =~ ^[a-z0-9]{7}$ ]] && [ "$now" != "$password" ]; fi; }
password=
for platform in wayland xcb; do
    WAYLAND_DEBUG=client QT_QPA_PLATFORM=$platform DISPLAY=$xwayland "$program" 2>"$work/app.log" &
    APP_PID=$!
    poll_until reached "$platform" || fail "$platform: keys do not reach the program"
    xdotool key alt+p alt+c
    wait_for_exit "$APP_PID"
    password=$(poll_until clipboard_matching '[a-z0-9]{7}') || fail "$platform: clipboard '$(clipboard)'"
    [ "$platform" = wayland ] && continue
    [ "$(DISPLAY=$xwayland xclip -o -selection clipboard)" = "$password" ] || fail "Xwayland: no password for X11"
    DISPLAY=$xwayland secret_hint || fail "Xwayland: no secret hint"
    owner=$(owner_of "$program" xcb) || fail "Xwayland: no owner process"
    printf other | DISPLAY=$xwayland xclip -selection clipboard
    poll_until ended "$owner" || fail "Xwayland: the owner did not end"
done
