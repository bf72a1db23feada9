#!/usr/bin/env bash
# The main window by keyboard: a password on the clipboard, marked secret, kept after "Exit", "Copy and Close"
# and SIGTERM; a double-click and Ctrl+C in the password field mark it too.
# Arguments: the program, the screenshots folder.
set -euo pipefail
program=$1 shots=$2
. "$(dirname "$0")/window_lib.sh"
start_display

# Default options: 7 of a-z0-9. Alt+P creates, Alt+W copies, Alt+E exits.
start_program "$program"
screenshot "$main" "$shots/main-window.png"
xdotool key alt+p alt+w
first=$(poll_until clipboard_matching '[a-z0-9]{7}')
secret_hint || fail "the program offers no secret hint"
xdotool key alt+e
wait_for_exit "$APP_PID"
[ "$(clipboard)" = "$first" ] || fail "clipboard after Exit: '$(clipboard)'"
secret_hint || fail "the owner process offers no secret hint"

# At twice the scale: Space ticks "Use Upper Case Letters", two Tabs reach the length.
QT_SCALE_FACTOR=2 start_program "$program"
screenshot "$main" "$shots/main-window-scale2.png"
xdotool key space Tab Tab ctrl+a
xdotool type 12
xdotool key alt+p alt+w
second=$(poll_until clipboard_matching '[A-Za-z0-9]{12}' "$first")
xdotool key alt+p alt+c
wait_for_exit "$APP_PID"
poll_until clipboard_matching '[A-Za-z0-9]{12}' "$second" >/dev/null || fail "Copy and Close did not copy a new password"

# A double-click on the password field (its middle, below a menu bar of about 22 pixels) selects it, on
# PRIMARY; Ctrl+C copies it; then SIGTERM.
start_program "$program"
xdotool key alt+p
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove --window "$main" $((WIDTH / 2)) $((HEIGHT - (HEIGHT - 22) * 1763 / 4770)) click --repeat 2 1
poll_until secret_hint -selection primary || fail "the double-click's selection offers no secret hint"
xdotool key ctrl+c
third=$(poll_until clipboard_matching '[a-z0-9]{7}')
secret_hint || fail "Ctrl+C offers no secret hint"
xdotool key alt+p alt+w
fourth=$(poll_until clipboard_matching '[a-z0-9]{7}' "$third")
kill -TERM "$APP_PID"
wait_for_exit "$APP_PID"
[ "$(clipboard)" = "$fourth" ] && secret_hint || fail "clipboard after SIGTERM: '$(clipboard)'"
