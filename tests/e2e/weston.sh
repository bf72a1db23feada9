#!/usr/bin/env bash
# On weston (no data-control: it keeps its own copy of the clipboard once it has read it), in its window
# on a private Xvfb: "Copy and Close" leaves the password readable. Argument: the program.
set -euo pipefail
program=$1
. "$(dirname "$0")/window_lib.sh"
start_display
printf '[core]\nidle-time=0\n[shell]\nlocking=false\npanel-position=none\n' >"$work/weston.ini"
weston --config="$work/weston.ini" --backend=x11-backend.so --socket=weston >"$work/weston.log" 2>&1 &
COMPOSITOR_PID=$!
window=$(poll_until xdotool search --onlyvisible --class '^weston') || fail "no weston: $(cat "$work/weston.log")"
activate_window "${window%%$'\n'*}"
clipboard() { WAYLAND_DISPLAY=weston timeout 10 wl-paste -n; }

# Keys go to the program once it has the keyboard, as its protocol log shows.
WAYLAND_DEBUG=client WAYLAND_DISPLAY=weston QT_QPA_PLATFORM=wayland "$program" 2>"$work/app.log" &
APP_PID=$!
poll_until grep -q 'wl_keyboard@[0-9]*\.enter' "$work/app.log" || fail "the program has no keyboard"
xdotool key alt+p alt+c
wait_for_exit "$APP_PID"
poll_until clipboard_matching '[a-z0-9]{7}' >/dev/null || fail "clipboard '$(clipboard)'"
