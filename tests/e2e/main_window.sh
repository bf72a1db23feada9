#!/usr/bin/env bash
# The main window by keyboard: a password on the clipboard, marked secret, kept after "Exit" and "Copy and Close".
# Arguments: the program, the screenshots folder.
set -euo pipefail
program=$1 shots=$2
. "$(dirname "$0")/window_lib.sh"
start_display
secret_hint() { local targets; targets=$(clipboard -t TARGETS) && grep -qx x-kde-passwordManagerHint <<<"$targets"; }

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
